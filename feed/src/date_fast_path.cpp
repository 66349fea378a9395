#include "detail/date_fast_path.hpp"

#include <array>
#include <chrono>
#include <cstddef>
#include <string_view>

namespace syndra::detail {
namespace {

using namespace std::chrono;

// ICU's calendar is Julian before October 1582; from 1583 on it and
// std::chrono count days the same way.
constexpr int kFirstYear = 1583;

// A US zone abbreviation makes ICU take the offset of the zone behind it at
// that date, so the name is a fixed offset only where that zone's standard
// offset never changed: Chicago kept Eastern time for most of 1936, and every
// one of the four zones kept local mean time before 1883.
constexpr int kFirstYearOfZoneNames = 1937;
constexpr int kLastYearOfZoneNames = 2199;

constexpr std::array<std::string_view, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

struct ZoneName {
    std::string_view name;
    int offsetMinutes;
};
constexpr std::array<ZoneName, 8> kZoneNames = {{
    {"EST", -300},
    {"EDT", -240},
    {"CST", -360},
    {"CDT", -300},
    {"MST", -420},
    {"MDT", -360},
    {"PST", -480},
    {"PDT", -420},
}};

struct Zone {
    int offsetMinutes = 0;
    // A US abbreviation: the "zzz" field reads it, the "Z" field does not.
    bool named = false;
    // "Z" or ±hh:mm, the forms the RFC 3339 "ZZZZZ" field is known to read.
    bool rfc3339 = false;
};

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

class Cursor {
public:
    explicit Cursor(std::string_view text) noexcept : text_(text) {}

    bool done() const noexcept { return at_ == text_.size(); }
    bool nextIsDigit() const noexcept { return !done() && isDigit(text_[at_]); }
    std::string_view rest() const noexcept { return text_.substr(at_); }

    bool skip(char c) noexcept {
        if (done() || text_[at_] != c) return false;
        ++at_;
        return true;
    }

    /// Exactly `count` ASCII digits.
    std::optional<int> digits(std::size_t count) noexcept {
        if (text_.size() - at_ < count) return std::nullopt;
        int value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const char c = text_[at_ + i];
            if (!isDigit(c)) return std::nullopt;
            value = value * 10 + (c - '0');
        }
        at_ += count;
        return value;
    }

    /// One of `names` (case as written), as its index.
    template <std::size_t N>
    std::optional<unsigned> name(const std::array<std::string_view, N>& names) noexcept {
        const std::string_view rest = this->rest();
        for (std::size_t i = 0; i < N; ++i) {
            if (rest.starts_with(names[i])) {
                at_ += names[i].size();
                return static_cast<unsigned>(i);
            }
        }
        return std::nullopt;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

std::optional<int> offset(int hours, int minutes, bool negative) noexcept {
    // ICU reads offsets up to 23:59 either way.
    if (hours > 23 || minutes > 59) return std::nullopt;
    const int total = hours * 60 + minutes;
    return negative ? -total : total;
}

// "+0200", "-05:00": the whole of `text`.
std::optional<Zone> numericZone(std::string_view text) noexcept {
    Cursor c(text);
    const bool negative = c.skip('-');
    if (!negative && !c.skip('+')) return std::nullopt;
    const auto hours = c.digits(2);
    if (!hours) return std::nullopt;
    const bool extended = c.skip(':');
    const auto minutes = c.digits(2);
    if (!minutes || !c.done()) return std::nullopt;
    const auto total = offset(*hours, *minutes, negative);
    if (!total) return std::nullopt;
    return Zone{*total, false, extended};
}

// "+2", "-05", "+5:30", "+05:30" after "GMT", "UTC" or "UT".
std::optional<Zone> gmtOffsetZone(std::string_view text) noexcept {
    Cursor c(text);
    const bool negative = c.skip('-');
    if (!negative && !c.skip('+')) return std::nullopt;
    auto hours = c.digits(1);
    if (!hours) return std::nullopt;
    if (c.nextIsDigit()) hours = *hours * 10 + *c.digits(1);
    int minutes = 0;
    if (c.skip(':')) {
        const auto read = c.digits(2);
        if (!read) return std::nullopt;
        minutes = *read;
    }
    if (!c.done()) return std::nullopt;
    const auto total = offset(*hours, minutes, negative);
    if (!total) return std::nullopt;
    return Zone{*total, false, false};
}

std::optional<Zone> zone(std::string_view text, int year) noexcept {
    if (text == "Z") return Zone{0, false, true};
    if (text.empty()) return std::nullopt;
    if (text.front() == '+' || text.front() == '-') return numericZone(text);
    for (const std::string_view utc : {"GMT", "UTC", "UT"}) {
        if (!text.starts_with(utc)) continue;
        const std::string_view rest = text.substr(utc.size());
        if (rest.empty()) return Zone{0, false, false};
        if (auto zone = gmtOffsetZone(rest)) return zone;
    }
    if (year < kFirstYearOfZoneNames || year > kLastYearOfZoneNames) return std::nullopt;
    for (const auto& [name, offsetMinutes] : kZoneNames) {
        if (text == name) return Zone{offsetMinutes, true, false};
    }
    return std::nullopt;
}

struct Fields {
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The instant, when every field is in range; the strict ICU parse refuses the
// others and so does this.
std::optional<Date> instant(const Fields& f, const Zone& z,
                            std::optional<unsigned> weekday = std::nullopt) noexcept {
    if (f.year < kFirstYear) return std::nullopt;
    const year_month_day date{year(f.year), month(f.month), day(f.day)};
    if (!date.ok() || f.hour > 23 || f.minute > 59 || f.second > 59) return std::nullopt;
    const sys_days days(date);
    if (weekday && std::chrono::weekday(days).c_encoding() != *weekday) return std::nullopt;
    return Date(days) + hours(f.hour) + minutes(f.minute - z.offsetMinutes) + seconds(f.second) +
           milliseconds(f.millisecond);
}

// "Tue, 10 Jun 2003 04:00:00 GMT" and the same without the weekday or the
// seconds: each of the four is one RFC 822 pattern (or a backup pattern).
std::optional<QuickDate> rfc822(std::string_view text) noexcept {
    Cursor c(text);
    std::optional<unsigned> weekday;
    if (!c.nextIsDigit()) {
        weekday = c.name(kWeekdays);
        if (!weekday || !c.skip(',') || !c.skip(' ')) return std::nullopt;
    }
    Fields f;
    auto day = c.digits(1);
    if (!day) return std::nullopt;
    if (c.nextIsDigit()) day = *day * 10 + *c.digits(1);
    f.day = static_cast<unsigned>(*day);
    if (!c.skip(' ')) return std::nullopt;
    const auto month = c.name(kMonths);
    if (!month || !c.skip(' ')) return std::nullopt;
    f.month = *month + 1;
    const auto year = c.digits(4);
    if (!year || !c.skip(' ')) return std::nullopt;
    f.year = *year;
    const auto hour = c.digits(2);
    if (!hour || !c.skip(':')) return std::nullopt;
    const auto minute = c.digits(2);
    if (!minute) return std::nullopt;
    f.hour = *hour;
    f.minute = *minute;
    if (c.skip(':')) {
        const auto second = c.digits(2);
        if (!second) return std::nullopt;
        f.second = *second;
    }
    if (!c.skip(' ')) return std::nullopt;
    const auto z = zone(c.rest(), f.year);
    if (!z) return std::nullopt;
    const auto date = instant(f, *z, weekday);
    if (!date) return std::nullopt;
    return QuickDate{*date, true, false, false};
}

// "2003-06-10 04:00:00 +0000" (the last RFC 822 pattern), and RFC 3339's
// "2003-06-10T04:00:00Z" and "2003-06-10T04:00:00.25+01:00", which the
// ISO 8601 formatter reads too.
std::optional<QuickDate> numeric(std::string_view text) noexcept {
    Cursor c(text);
    Fields f;
    const auto year = c.digits(4);
    if (!year || !c.skip('-')) return std::nullopt;
    const auto month = c.digits(2);
    if (!month || !c.skip('-')) return std::nullopt;
    const auto day = c.digits(2);
    if (!day) return std::nullopt;
    const bool spaced = c.skip(' ');
    if (!spaced && !c.skip('T')) return std::nullopt;
    const auto hour = c.digits(2);
    if (!hour || !c.skip(':')) return std::nullopt;
    const auto minute = c.digits(2);
    if (!minute || !c.skip(':')) return std::nullopt;
    const auto second = c.digits(2);
    if (!second) return std::nullopt;
    f.year = *year;
    f.month = static_cast<unsigned>(*month);
    f.day = static_cast<unsigned>(*day);
    f.hour = *hour;
    f.minute = *minute;
    f.second = *second;

    if (spaced) {
        if (!c.skip(' ')) return std::nullopt;
        const auto z = zone(c.rest(), f.year);
        if (!z || z->named) return std::nullopt;
        const auto date = instant(f, *z);
        if (!date) return std::nullopt;
        return QuickDate{*date, true, false, false};
    }

    if (c.skip('.')) {
        // Hundredths as the pattern writes them, or milliseconds, which ICU
        // reads the same way; other digit counts are left to it.
        const auto hundredths = c.digits(2);
        if (!hundredths) return std::nullopt;
        f.millisecond = *hundredths * 10;
        if (c.nextIsDigit()) f.millisecond += *c.digits(1);
    }
    const auto z = zone(c.rest(), f.year);
    if (!z || !z->rfc3339) return std::nullopt;
    const auto date = instant(f, *z);
    if (!date) return std::nullopt;
    return QuickDate{*date, false, true, true};
}

}  // namespace

std::optional<QuickDate> quickDate(std::string_view trimmed) noexcept {
    // The longest shape: "Tue, 10 Jun 2003 04:00:00 UTC+05:30".
    if (trimmed.size() < 16 || trimmed.size() > 40) return std::nullopt;
    if (trimmed.size() > 4 && trimmed[4] == '-') return numeric(trimmed);
    return rfc822(trimmed);
}

}  // namespace syndra::detail
