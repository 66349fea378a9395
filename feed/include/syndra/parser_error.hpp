#pragma once

#include <map>
#include <string>
#include <utility>

namespace syndra {

/// What went wrong, in terms a program can act on: retry later (network,
/// httpStatus), give up on the source (notAFeed, syntax, encoding,
/// invalidJSONFeed), or raise a limit (tooLarge, limitExceeded).
enum class ErrorKind {
    notAFeed,         ///< well-formed, but no RSS, RDF, Atom or JSON Feed document
    file,             ///< a local file is missing, unreadable or not a regular file
    network,          ///< no connection, no name, a timeout, TLS, too many redirects
    httpStatus,       ///< the server answered with a status of 400 or more
    tooLarge,         ///< the document is larger than Options::maxDocumentBytes
    limitExceeded,    ///< past maxItems, maxDepth or maxModelBytes
    syntax,           ///< the document is malformed XML or JSON
    encoding,         ///< bytes that are not text in the document's encoding
    invalidJSONFeed,  ///< JSON, but a member does not have the type JSON Feed says
    aborted,          ///< FeedParser::abortParsing() was called
    outOfMemory,      ///< an allocation failed
};

/// The enumerator's name, e.g. "limitExceeded".
const char* kindName(ErrorKind kind) noexcept;

/// The one error type of the parser. Three cases; each has user-facing texts
/// and a numeric code for callers that bridge it to a platform error object.
/// Beside the case, kind() tells what went wrong.
///
/// parse() reports feedCDATABlockEncodingError as an internalError (kind
/// encoding) whose reason is the CDATA error's description; the CDATA case
/// itself reaches only the lower layers.
class ParserError {
public:
    enum class Case { feedCDATABlockEncodingError, internalError, feedNotFound };

    static constexpr const char* domain = "com.syndra.error";

    static ParserError feedCDATABlockEncodingError(std::string path);
    static ParserError internalError(std::string reason, ErrorKind kind = ErrorKind::syntax);
    static ParserError feedNotFound();
    /// An internal error of kind httpStatus for a response with `status`.
    static ParserError httpError(int status, std::string reason);

    Case errorCase() const noexcept { return case_; }
    ErrorKind kind() const noexcept { return kind_; }
    /// The HTTP status of an httpStatus error, else 0.
    int httpStatus() const noexcept { return status_; }
    /// The CDATA case's element path; empty for the other cases.
    const std::string& path() const noexcept;
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
    ParserError(Case c, ErrorKind kind, std::string detail)
        : case_(c), kind_(kind), detail_(std::move(detail)) {}
    Case case_;
    ErrorKind kind_;
    int status_ = 0;
    std::string detail_;
};

}  // namespace syndra
