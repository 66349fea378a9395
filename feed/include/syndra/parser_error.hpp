#pragma once

#include <map>
#include <string>
#include <utility>

namespace syndra {

/// The one error type of the parser. Three cases; each has user-facing texts
/// and a numeric code for callers that bridge it to a platform error object.
class ParserError {
public:
    enum class Case { feedCDATABlockEncodingError, internalError, feedNotFound };

    static constexpr const char* domain = "com.syndra.error";

    static ParserError feedCDATABlockEncodingError(std::string path);
    static ParserError internalError(std::string reason);
    static ParserError feedNotFound();

    Case errorCase() const noexcept { return case_; }
    /// The CDATA case's element path.
    const std::string& path() const noexcept { return detail_; }
    /// The internal error's reason.
    const std::string& reason() const noexcept { return detail_; }

    /// The case's name as written above, e.g. "internalError".
    const char* caseName() const noexcept;
    int code() const noexcept;
    std::string errorDescription() const;
    std::string failureReason() const;
    std::string recoverySuggestion() const;
    /// What a user of the error sees: errorDescription().
    std::string localizedDescription() const { return errorDescription(); }

    /// Platform-error form: domain, code and the three texts under the keys
    /// "NSLocalizedDescription", "NSLocalizedFailureReason" and
    /// "NSLocalizedRecoverySuggestion".
    struct PlatformError {
        std::string domain;
        int code = 0;
        std::map<std::string, std::string> userInfo;
    };
    PlatformError platformError() const;

    friend bool operator==(const ParserError&, const ParserError&) = default;

private:
    ParserError(Case c, std::string detail) : case_(c), detail_(std::move(detail)) {}
    Case case_;
    std::string detail_;
};

}  // namespace syndra
