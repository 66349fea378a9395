// The quick date reader stands in for the ICU patterns on the shapes feeds use
// most. Whenever it answers, every formatter it names must read the text to the
// same instant through ICU; anything unusual must be left to ICU. (The date
// fuzzer checks the same agreement on arbitrary bytes.)

#include <syndra/conversions.hpp>
#include <syndra/date_formatters.hpp>

#include "detail/date_fast_path.hpp"
#include "detail/icu_dates.hpp"
#include "detail/unicode_trim.hpp"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace syndra {
namespace {

using namespace std::chrono;
using std::nullopt;

Date at(int y, unsigned mo, unsigned d, int h, int mi, int s, int ms = 0) {
    return Date(sys_days(year(y) / month(mo) / day(d)) + hours(h) + minutes(mi) + seconds(s) +
                milliseconds(ms));
}

std::string show(const std::optional<Date>& date) {
    return date ? std::to_string(date->time_since_epoch().count()) + " ms" : "no date";
}

std::optional<detail::QuickDate> quick(std::string_view text) {
    return detail::quickDate(detail::trimWhiteSpaceAndNewlines(text));
}

// A quick answer names at least one formatter, each one it names reads the
// text to that instant through ICU, and the public entry point hands it out.
::testing::AssertionResult agreesWithIcu(const std::string& text) {
    const auto answer = quick(text);
    if (!answer) return ::testing::AssertionSuccess();
    auto differs = [&](std::string_view what, const std::optional<Date>& icu) {
        return ::testing::AssertionFailure()
               << what << " of " << ::testing::PrintToString(text) << ": quick "
               << show(answer->date) << ", ICU " << show(icu);
    };
    if (!answer->byRFC822 && !answer->byRFC3339 && !answer->byISO8601)
        return differs("no formatter", nullopt);
    if (const auto icu = detail::icuToDate(text); icu != answer->date)
        return differs("toDate", icu);
    if (const auto icu = detail::icuRFC822Date(text); answer->byRFC822 && icu != answer->date)
        return differs("RFC 822", icu);
    if (const auto icu = detail::icuPatternDate(RFC3339DateFormatter::kDateFormats, text);
        answer->byRFC3339 && icu != answer->date)
        return differs("RFC 3339", icu);
    if (const auto icu = detail::icuPatternDate(ISO8601DateFormatter::kDateFormats, text);
        answer->byISO8601 && icu != answer->date)
        return differs("ISO 8601", icu);
    if (toDate(text) != answer->date) return differs("public toDate", toDate(text));
    return ::testing::AssertionSuccess();
}

struct Case {
    std::string text;
    std::optional<Date> quick;  // nothing: left to ICU
};

const Case kCases[] = {
    {"Tue, 10 Jun 2003 04:00:00 GMT", at(2003, 6, 10, 4, 0, 0)},
    {"Tue, 10 Jun 2003 04:00 GMT", at(2003, 6, 10, 4, 0, 0)},
    {"10 Jun 2003 04:00:00 +0000", at(2003, 6, 10, 4, 0, 0)},
    {"10 Jun 2003 04:00 Z", at(2003, 6, 10, 4, 0, 0)},
    {"Sun, 1 Jun 2003 04:00:00 UT", at(2003, 6, 1, 4, 0, 0)},
    {"Sun, 01 Jun 2003 04:00:00 UTC", at(2003, 6, 1, 4, 0, 0)},
    // US names are fixed offsets, summer or not, from 1937 to 2199.
    {"Tue, 10 Jun 2003 04:00:00 EST", at(2003, 6, 10, 9, 0, 0)},
    {"Fri, 01 Jan 1937 00:00:00 CST", at(1937, 1, 1, 6, 0, 0)},
    {"31 Dec 2199 23:59:59 PST", at(2200, 1, 1, 7, 59, 59)},
    {"Tue, 10 Jun 2003 04:00:00 -05:00", at(2003, 6, 10, 9, 0, 0)},
    {"Tue, 10 Jun 2003 04:00:00 GMT+2", at(2003, 6, 10, 2, 0, 0)},
    {"Tue, 10 Jun 2003 04:00:00 UTC-9:30", at(2003, 6, 10, 13, 30, 0)},
    {"Tue, 10 Jun 2003 04:00:00 -2359", at(2003, 6, 11, 3, 59, 0)},
    {"2003-06-10 04:00:00 +0200", at(2003, 6, 10, 2, 0, 0)},
    {"2003-12-13T18:30:02Z", at(2003, 12, 13, 18, 30, 2)},
    {"2003-12-13T18:30:02.25+01:00", at(2003, 12, 13, 17, 30, 2, 250)},
    {"2003-12-13T18:30:02.123-08:00", at(2003, 12, 14, 2, 30, 2, 123)},
    {"2000-02-29T12:00:00Z", at(2000, 2, 29, 12, 0, 0)},
    {"1583-01-01T00:00:00Z", at(1583, 1, 1, 0, 0, 0)},
    {"Fri, 31 Dec 9999 23:59:59 GMT", at(9999, 12, 31, 23, 59, 59)},
    // Readable by ICU, but not plain enough to be sure of without it.
    {"Mon, 10 Jun 2003 04:00:00 GMT", nullopt},  // wrong weekday
    {"tue, 10 jun 2003 04:00:00 gmt", nullopt},
    {"Tuesday, 10 Jun 2003 04:00:00 GMT", nullopt},
    {"Tue,  10 Jun 2003 04:00:00 GMT", nullopt},
    {"Tue, 010 Jun 2003 04:00:00 GMT", nullopt},
    {"Tue, 10 Jun 2003 4:00:00 GMT", nullopt},
    {"Tue, 10 Jun 03 04:00:00 GMT", nullopt},
    {"Tue, 10 Jun 2003 04:00:00 +01", nullopt},
    {"Tue, 10 Jun 2003 04:00:00 GMT+0130", nullopt},
    {"Tue, 10 Jun 2003 04:00:00 +013015", nullopt},
    {"Tue, 10 Jun 2003 04:00:00 BST", nullopt},
    {"Tue, 10 Jun 1936 04:00:00 CST", nullopt},  // Chicago on Eastern time
    {"1 Jan 2200 00:00:00 PST", nullopt},
    {"Tue, 10 Jun 1582 04:00:00 GMT", nullopt},  // Julian calendar
    {"10000-01-01T00:00:00Z", nullopt},
    {"2003-06-10 04:00:00 EST", nullopt},
    {"2003-06-10T04:00:00.1Z", nullopt},
    {"2003-06-10T04:00:00.1234Z", nullopt},  // ICU cuts long fractions itself
    {"2003-06-10T04:00:00z", nullopt},
    {"2003-06-10T04:00:00+0100", nullopt},
    {"2003-06-10T04:00", nullopt},
    // Refused by ICU too; the quick reader does not try to say so.
    {"Tue, 31 Jun 2003 04:00:00 GMT", nullopt},
    {"Tue, 10 Jun 2003 24:00:00 GMT", nullopt},
    {"Tue, 10 Jun 2003 04:00:60 GMT", nullopt},
    {"Tue, 10 Jun 2003 04:00:00 +2400", nullopt},
    {"1900-02-29T12:00:00Z", nullopt},
    {"2003-13-01T00:00:00Z", nullopt},
};

TEST(DateFastPathTest, AnswersPlainShapesAndLeavesTheRestToIcu) {
    for (const Case& c : kCases) {
        const auto answer = quick(c.text);
        const std::optional<Date> date = answer ? std::optional<Date>(answer->date) : nullopt;
        EXPECT_EQ(date, c.quick) << c.text << " gave " << show(date);
        EXPECT_TRUE(agreesWithIcu(c.text));
    }
}

// Every single-byte deletion, insertion and replacement of the plain dates
// above: most must fall back to ICU, the ones still answered must agree.
TEST(DateFastPathTest, NearMissesFallBackOrAgreeWithIcu) {
    using namespace std::string_literals;
    const std::string pieces[] = {"0"s, "1"s, "2"s, "5"s,  "9"s,    " "s,       "\t"s, ":"s,
                                  "-"s, "+"s, "."s, ","s,  "T"s,    "Z"s,       "z"s,  "G"s,
                                  "U"s, "S"s, "a"s, "\0"s, "\x80"s, "\xC2\xA0"s};
    int answered = 0;
    for (const Case& c : kCases) {
        if (!c.quick) continue;
        const std::string& text = c.text;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            std::vector<std::string> edits;
            if (i < text.size()) edits.push_back(text.substr(0, i) + text.substr(i + 1));
            for (const std::string& piece : pieces) {
                edits.push_back(text.substr(0, i) + piece + text.substr(i));
                if (i < text.size())
                    edits.push_back(text.substr(0, i) + piece + text.substr(i + 1));
            }
            for (const std::string& edit : edits) {
                answered += quick(edit) ? 1 : 0;
                ASSERT_TRUE(agreesWithIcu(edit));
            }
        }
    }
    EXPECT_GT(answered, 0);  // some edits (another digit) are still plain dates
}

std::string twoDigits(unsigned n) {
    char text[4];
    std::snprintf(text, sizeof text, "%02u", n % 100);
    return text;
}

// Each plain shape, on days spread over every year from 1583 to 9999 with
// varying times and zones: all answered without ICU, all as ICU reads them.
TEST(DateFastPathTest, ReadsPlainDatesAcrossTheCalendarAsIcuDoes) {
    constexpr std::array<std::string_view, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed",
                                                           "Thu", "Fri", "Sat"};
    constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    constexpr std::array<std::string_view, 6> kZones = {"GMT",   "+0530", "-1100",
                                                        "UTC-3", "Z",     "GMT+11:45"};
    constexpr std::array<std::string_view, 8> kNames = {"EST", "EDT", "CST", "CDT",
                                                        "MST", "MDT", "PST", "PDT"};
    constexpr std::array<std::string_view, 4> kOffsets = {"Z", "+05:30", "-11:00", "+14:00"};
    unsigned i = 0;
    for (sys_days day = sys_days(1583y / January / 1); day <= sys_days(9999y / December / 31);
         day += days(997), ++i) {
        const year_month_day date(day);
        const int y = static_cast<int>(date.year());
        const auto mo = static_cast<unsigned>(date.month());
        const auto d = static_cast<unsigned>(date.day());
        const std::string hm = twoDigits(i % 24) + ':' + twoDigits(i * 7 % 60);
        const std::string hms = hm + ':' + twoDigits(i * 13 % 60);
        const std::string ymd = std::to_string(y) + '-' + twoDigits(mo) + '-' + twoDigits(d);
        const std::string dmy =
            std::to_string(d) + ' ' + std::string(kMonths[mo - 1]) + ' ' + std::to_string(y);
        const bool named = y >= 1937 && y <= 2199;
        const std::string texts[] = {
            std::string(kWeekdays[weekday(day).c_encoding()]) + ", " + dmy + ' ' + hms + ' ' +
                std::string(kZones[i % kZones.size()]),
            dmy + ' ' + hm + ' ' + std::string(named ? kNames[i % kNames.size()] : "UT"),
            ymd + ' ' + hms + ' ' + (i % 2 ? "-0000" : "+2330"),
            ymd + 'T' + hms + (i % 3 ? "" : '.' + twoDigits(i) + (i % 2 ? "7" : "")) +
                std::string(kOffsets[i % kOffsets.size()]),
        };
        for (const std::string& text : texts) {
            ASSERT_TRUE(quick(text)) << text;
            ASSERT_TRUE(agreesWithIcu(text));
        }
    }
}

}  // namespace
}  // namespace syndra
