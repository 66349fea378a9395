#pragma once

#include <syndra/date.hpp>

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace syndra {

/// A date parser that tries an ordered list of date patterns (Unicode TR 35
/// syntax, locale en_US_POSIX, time zone GMT, strict) on the text trimmed of
/// white space and line breaks; the first pattern that reads the whole text
/// wins. Instances hold no mutable state (the ICU formatters behind them are
/// cached per thread), so one instance may serve several threads. The three
/// formatters below read the common shapes without ICU, to the same instant.
class DateFormatter {
public:
    virtual ~DateFormatter() = default;
    DateFormatter(const DateFormatter&) = delete;
    DateFormatter& operator=(const DateFormatter&) = delete;

    /// The first date any pattern reads from the whole trimmed text.
    virtual std::optional<Date> date(std::string_view text) const;

    std::span<const std::string_view> dateFormats() const noexcept { return formats_; }

protected:
    explicit DateFormatter(std::span<const std::string_view> formats) noexcept
        : formats_(formats) {}

private:
    std::span<const std::string_view> formats_;
};

/// RFC 822 dates ("Tue, 10 Jun 2003 04:00:00 GMT"), with a fallback that drops
/// a leading weekday word of any spelling and tries the backup patterns.
class RFC822DateFormatter : public DateFormatter {
public:
    static constexpr std::array<std::string_view, 4> kDateFormats = {
        "EEE, d MMM yyyy HH:mm:ss zzz", "EEE, d MMM yyyy HH:mm zzz", "d MMM yyyy HH:mm:ss Z",
        "yyyy-MM-dd HH:mm:ss Z"};
    static constexpr std::array<std::string_view, 2> kBackupFormats = {"d MMM yyyy HH:mm:ss zzz",
                                                                       "d MMM yyyy HH:mm zzz"};
    /// Removes a leading "Word, " when the rest is word characters, spaces,
    /// colons, plus and minus signs only.
    static constexpr std::string_view kWeekdayExpression = "^[a-zA-Z]+, ([\\w :+-]+)$";
    static constexpr std::string_view kWeekdayTemplate = "$1";

    RFC822DateFormatter() noexcept : DateFormatter(kDateFormats) {}
    std::optional<Date> date(std::string_view text) const override;
    std::span<const std::string_view> backupFormats() const noexcept { return kBackupFormats; }
};

/// RFC 3339 timestamps ("2003-06-10T04:00:00Z", "2003-06-10T04:00:00.25+02:00").
class RFC3339DateFormatter : public DateFormatter {
public:
    static constexpr std::array<std::string_view, 3> kDateFormats = {
        "yyyy-MM-dd'T'HH:mm:ssZZZZZ", "yyyy-MM-dd'T'HH:mm:ss.SSZZZZZ",
        "yyyy-MM-dd'T'HH:mm:ss-SS:ZZ"};
    RFC3339DateFormatter() noexcept : DateFormatter(kDateFormats) {}
    std::optional<Date> date(std::string_view text) const override;
};

/// ISO 8601 forms seen in feeds, down to "yyyy-MM-dd'T'HH:mm" read as GMT.
class ISO8601DateFormatter : public DateFormatter {
public:
    static constexpr std::array<std::string_view, 4> kDateFormats = {
        "yyyy-MM-dd'T'HH:mm:ss.SSZZZZZ", "yyyy-MM-dd'T'HH:mm:ssZZZZZ", "yyyy-MM-dd'T'HH:mmSSZZZZZ",
        "yyyy-MM-dd'T'HH:mm"};
    ISO8601DateFormatter() noexcept : DateFormatter(kDateFormats) {}
    std::optional<Date> date(std::string_view text) const override;
};

}  // namespace syndra
