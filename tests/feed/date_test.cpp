#include <syndra/conversions.hpp>
#include <syndra/date_formatters.hpp>

#include "detail/icu_dates.hpp"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace syndra {
namespace {

using namespace std::chrono;
using std::nullopt;

Date at(int y, unsigned mo, unsigned d, int h, int mi, int s, int ms = 0) {
    return Date(sys_days(year(y) / month(mo) / day(d)) + hours(h) + minutes(mi) + seconds(s) +
                milliseconds(ms));
}

std::string repeat(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

std::string show(const std::optional<Date>& date) {
    return date ? std::to_string(date->time_since_epoch().count()) + " ms" : "no date";
}

// One pattern at a time, to pin each pattern's exact text to what it reads.
class OnePattern : public DateFormatter {
public:
    explicit OnePattern(const std::string_view& pattern)
        : DateFormatter(std::span<const std::string_view>(&pattern, 1)) {}
};

struct PatternCase {
    std::string_view pattern;
    std::string text;
    std::optional<Date> expected;
};

TEST(DatePatternTest, EachPatternReadsItsOwnShape) {
    const auto& rfc822 = RFC822DateFormatter::kDateFormats;
    const auto& backup = RFC822DateFormatter::kBackupFormats;
    const auto& rfc3339 = RFC3339DateFormatter::kDateFormats;
    const auto& iso = ISO8601DateFormatter::kDateFormats;
    const Date june10 = at(2003, 6, 10, 4, 0, 0);
    const PatternCase cases[] = {
        {rfc822[0], "Tue, 10 Jun 2003 04:00:00 GMT", june10},
        {rfc822[0], "Tue, 10 Jun 2003 04:00 GMT", nullopt},
        {rfc822[0], "10 Jun 2003 04:00:00 GMT", nullopt},
        {rfc822[1], "Tue, 10 Jun 2003 04:00 GMT", june10},
        {rfc822[1], "Tue, 10 Jun 2003 04:00:00 GMT", nullopt},
        {rfc822[2], "10 Jun 2003 04:00:00 +0000", june10},
        {rfc822[2], "10 Jun 2003 04:00:00 EST", nullopt},  // Z takes no abbreviations
        {rfc822[3], "2003-06-10 04:00:00 +0000", june10},
        {rfc822[3], "2003-06-10T04:00:00 +0000", nullopt},
        {backup[0], "10 Jun 2003 04:00:00 GMT", june10},
        {backup[0], "10 Jun 2003 04:00:00 EST", at(2003, 6, 10, 9, 0, 0)},
        {backup[1], "10 Jun 2003 04:00 GMT", june10},
        {rfc3339[0], "2003-06-10T04:00:00Z", june10},
        {rfc3339[0], "2003-06-10T04:00:00+02:00", at(2003, 6, 10, 2, 0, 0)},
        {rfc3339[0], "2003-06-10T04:00:00.12+02:00", nullopt},
        {rfc3339[1], "2003-06-10T04:00:00.12+02:00", at(2003, 6, 10, 2, 0, 0, 120)},
        {rfc3339[1], "2003-06-10T04:00:00Z", nullopt},
        // Seconds, a hyphen, fraction digits, a colon, then an RFC 822 offset.
        {rfc3339[2], "2003-06-10T04:00:00-05:+0100", at(2003, 6, 10, 3, 0, 0, 50)},
        {rfc3339[2], "2003-06-10T04:00:00-05:00", nullopt},
        {iso[0], "2003-06-10T04:00:00.5Z", at(2003, 6, 10, 4, 0, 0, 500)},
        {iso[1], "2003-06-10T04:00:00-03:00", at(2003, 6, 10, 7, 0, 0)},
        // No colon before the field the pattern calls fraction digits.
        {iso[2], "2003-06-10T04:0012Z", at(2003, 6, 10, 4, 0, 0, 120)},
        {iso[3], "2003-06-10T04:00", june10},
        {iso[3], "2003-06-10T04:00Z", nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OnePattern(c.pattern).date(c.text), c.expected)
            << "pattern \"" << c.pattern << "\", text \"" << c.text << '"';
    }
}

struct FormatterCase {
    std::string text;
    std::optional<Date> rfc822;
    std::optional<Date> rfc3339;
    std::optional<Date> iso8601;
};

TEST(DateFormatterTest, EachFormatterTriesItsPatternsInOrder) {
    const Date june10 = at(2003, 6, 10, 4, 0, 0);
    const FormatterCase cases[] = {
        {"Tue, 10 Jun 2003 04:00:00 GMT", june10, nullopt, nullopt},
        // The weekday fallback: any leading word, then the backup patterns.
        {"Xyz, 10 Jun 2003 04:00:00 GMT", june10, nullopt, nullopt},
        {"Dienstag, 10 Jun 2003 04:00:00 GMT", june10, nullopt, nullopt},
        {"Tuesday, 10 Jun 2003 04:00 PDT", at(2003, 6, 10, 11, 0, 0), nullopt, nullopt},
        // The fallback wants letters, a comma and a space, and a plain rest;
        // ICU then tolerates a space left before the day.
        {"Tue 10 Jun 2003 04:00:00 GMT", nullopt, nullopt, nullopt},
        {"Xyz,  10 Jun 2003 04:00:00 GMT", june10, nullopt, nullopt},
        {"Xyz,10 Jun 2003 04:00:00 GMT", nullopt, nullopt, nullopt},
        {"X1z, 10 Jun 2003 04:00:00 GMT", nullopt, nullopt, nullopt},
        {"Xyz, 10 Jun 2003 04:00:00 GMT.", nullopt, nullopt, nullopt},
        {"2003-06-10T04:00:00Z", nullopt, june10, june10},
        {"2003-06-10T04:00:00.12+02:00", nullopt, at(2003, 6, 10, 2, 0, 0, 120),
         at(2003, 6, 10, 2, 0, 0, 120)},
        {"2003-06-10T04:00:00-05:+0100", nullopt, at(2003, 6, 10, 3, 0, 0, 50), nullopt},
        {"2003-06-10T04:0012Z", nullopt, nullopt, at(2003, 6, 10, 4, 0, 0, 120)},
        {"2003-06-10T04:00", nullopt, nullopt, june10},
        {"2003-06-10T04:00:00", nullopt, nullopt, nullopt},
        {"", nullopt, nullopt, nullopt},
        {" \n\t ", nullopt, nullopt, nullopt},
    };
    const RFC822DateFormatter rfc822;
    const RFC3339DateFormatter rfc3339;
    const ISO8601DateFormatter iso8601;
    for (const auto& c : cases) {
        EXPECT_EQ(rfc822.date(c.text), c.rfc822) << "RFC 822: \"" << c.text << '"';
        EXPECT_EQ(rfc3339.date(c.text), c.rfc3339) << "RFC 3339: \"" << c.text << '"';
        EXPECT_EQ(iso8601.date(c.text), c.iso8601) << "ISO 8601: \"" << c.text << '"';
    }
}

struct ToDateCase {
    std::string text;
    std::optional<Date> expected;
};

TEST(ToDateTest, ReadsRealWorldDates) {
    const ToDateCase cases[] = {
        {"Tue, 10 Jun 2003 04:00:00 GMT", at(2003, 6, 10, 4, 0, 0)},
        {"Wed, 02 Oct 2002 08:00:00 EST", at(2002, 10, 2, 13, 0, 0)},
        {"Wed, 2 Oct 2002 13:00:00 +0200", at(2002, 10, 2, 11, 0, 0)},
        {"Wed, 02 Oct 2002 15:00:00 -05:00", at(2002, 10, 2, 20, 0, 0)},
        {"2003-12-13T18:30:02Z", at(2003, 12, 13, 18, 30, 2)},
        {"2003-12-13T18:30:02.25+01:00", at(2003, 12, 13, 17, 30, 2, 250)},
        {"2003-12-13T18:30:02.123456789Z", at(2003, 12, 13, 18, 30, 2, 123)},
        {"2003-12-13T18:30:02-08:00", at(2003, 12, 14, 2, 30, 2)},
        {"2003-06-10T04:00", at(2003, 6, 10, 4, 0, 0)},
        {"\n    Tue, 10 Jun 2003 04:00:00 GMT\n  ", at(2003, 6, 10, 4, 0, 0)},
        // NO-BREAK SPACE, IDEOGRAPHIC SPACE, LINE and PARAGRAPH SEPARATOR, NEL.
        {"\xC2\xA0\xE3\x80\x80"
         "2003-12-13T18:30:02Z\xE2\x80\xA8\xE2\x80\xA9\xC2\x85",
         at(2003, 12, 13, 18, 30, 2)},
        // Lenient corners of the ICU parse, kept as observed.
        {"tue, 10 jun 2003 04:00:00 gmt", at(2003, 6, 10, 4, 0, 0)},
        {"Tue, 10 June 2003 04:00:00 GMT", at(2003, 6, 10, 4, 0, 0)},
        {"Wed, 10 Jun 2003 04:00:00 GMT", at(2003, 6, 10, 4, 0, 0)},  // wrong weekday
        {"Tue,  10 Jun 2003 04:00:00 GMT", at(2003, 6, 10, 4, 0, 0)},
        // Out-of-range fields are refused, not rolled over.
        {"Tue, 31 Jun 2003 04:00:00 GMT", nullopt},
        {"Tue, 10 Jun 2003 24:00:00 GMT", nullopt},
        {"Tue, 10 Jun 2003 04:00:60 GMT", nullopt},
        {"2003-13-01T00:00:00Z", nullopt},
        {"2003-2-3T8:30:02Z", nullopt},
        {"\xE2\x80\x8B"
         "2003-12-13T18:30:02Z",
         nullopt},  // ZERO WIDTH SPACE stays
        {"2003-12-13T18:30:02Z\xFF", nullopt},
        {std::string("2003-12-13T18:30:02Z\0", 21), nullopt},
        {std::string(300, ' ') + "2003-12-13T18:30:02Z", at(2003, 12, 13, 18, 30, 2)},
        {"2003-12-13T18:30:02." + std::string(300, '0') + "Z", nullopt},
        // Fractions longer than ICU's 32-bit reading: cut to nine digits, not
        // wrapped around, and never a division by zero.
        {"2003-12-13T18:30:02.9999999999Z", at(2003, 12, 13, 18, 30, 2, 999)},
        {"2003-12-13T18:30:02." + std::string(40, '9') + "+01:00",
         at(2003, 12, 13, 17, 30, 2, 999)},
        {"2003-12-13T18:30:02." + repeat("\xD9\xA7", 40) + "Z", at(2003, 12, 13, 18, 30, 2, 777)},
        {"2003-12-13T18:30:02-" + std::string(40, '5') + ":+0100", nullopt},
        {"2003-06-10T04:00" + std::string(40, '1') + "Z", nullopt},
        {"Tue, 10 Jun 2003 04:00:" + std::string(40, '0') + " GMT", nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toDate(c.text), c.expected)
            << '"' << c.text << "\" gave " << show(toDate(c.text));
    }
}

struct ZoneCase {
    std::string zone;
    std::optional<int> offsetMinutes;  // nothing: the date does not convert
};

// Which zone designators the RFC 822 patterns accept, at 04:00 local time on
// 10 June 2003. Abbreviations are fixed offsets: EST is -5 hours even in June.
TEST(ToDateTest, ZoneDesignatorsInRfc822Dates) {
    const ZoneCase cases[] = {
        {"GMT", 0},          {"UT", 0},         {"UTC", 0},       {"Z", 0},
        {"gmt", 0},          {"EST", -300},     {"EDT", -240},    {"CST", -360},
        {"CDT", -300},       {"MST", -420},     {"MDT", -360},    {"PST", -480},
        {"PDT", -420},       {"+0000", 0},      {"-0000", 0},     {"+0200", 120},
        {"-05:00", -300},    {"-0500", -300},   {"GMT+2", 120},   {"GMT+02:00", 120},
        {"UTC-3", -180},     {"BST", nullopt},  {"CET", nullopt}, {"CEST", nullopt},
        {"JST", nullopt},    {"AEST", nullopt}, {"IST", nullopt}, {"A", nullopt},
        {"+25:00", nullopt}, {"", nullopt},
    };
    const Date local = at(2003, 6, 10, 4, 0, 0);
    for (const auto& c : cases) {
        const std::optional<Date> expected =
            c.offsetMinutes ? std::optional<Date>(local - minutes(*c.offsetMinutes)) : nullopt;
        for (const std::string prefix : {"Tue, 10 Jun 2003 04:00:00 ", "Xyz, 10 Jun 2003 04:00:00 ",
                                         "10 Jun 2003 04:00:00 "}) {
            const std::string text = prefix + c.zone;
            EXPECT_EQ(toDate(text), expected) << '"' << text << "\" gave " << show(toDate(text));
        }
    }
}

TEST(ToDateTest, ThreadsParsingAtOnceAgree) {
    const std::vector<std::string> texts = {
        "Tue, 10 Jun 2003 04:00:00 GMT",
        "Wed, 02 Oct 2002 08:00:00 EST",
        "Xyz, 10 Jun 2003 04:00:00 PDT",
        "10 Jun 2003 04:00:00 +0000",
        "2003-06-10 04:00:00 -0500",
        "2003-12-13T18:30:02.25+01:00",
        "2003-12-13T18:30:02Z",
        "2003-06-10T04:00",
        "not a date",
        "Tue, 31 Jun 2003 04:00:00 GMT",
    };
    std::vector<std::optional<Date>> expected;
    for (const auto& text : texts) expected.push_back(toDate(text));

    constexpr int kThreads = 6;
    constexpr int kRounds = 40;
    std::array<int, kThreads> mismatches{};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const RFC822DateFormatter shared822;
            for (int round = 0; round < kRounds; ++round) {
                for (std::size_t i = 0; i < texts.size(); ++i) {
                    // Each thread starts at a different text so patterns interleave.
                    const std::size_t k = (i + static_cast<std::size_t>(t)) % texts.size();
                    if (toDate(texts[k]) != expected[k]) ++mismatches[t];
                    std::optional<Date> viaClass = shared822.date(texts[k]);
                    if (!viaClass) viaClass = RFC3339DateFormatter().date(texts[k]);
                    if (!viaClass) viaClass = ISO8601DateFormatter().date(texts[k]);
                    if (viaClass != expected[k]) ++mismatches[t];
                }
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

struct FormatCase {
    Date date;
    std::string text;
};

TEST(DateFormattingTest, WritesRfc3339ThatReadsBackToTheSameInstant) {
    const FormatCase cases[] = {
        {at(2003, 6, 10, 4, 0, 0), "2003-06-10T04:00:00Z"},
        {at(2003, 6, 10, 4, 0, 0, 250), "2003-06-10T04:00:00.250Z"},
        {at(2003, 6, 10, 4, 0, 0, 7), "2003-06-10T04:00:00.007Z"},
        {Date(), "1970-01-01T00:00:00Z"},
        {Date(milliseconds(-1)), "1969-12-31T23:59:59.999Z"},
        {at(2024, 2, 29, 23, 59, 59), "2024-02-29T23:59:59Z"},
        {at(12345, 1, 1, 0, 0, 0), "12345-01-01T00:00:00Z"},
    };
    const RFC3339DateFormatter parser;
    for (const auto& c : cases) {
        EXPECT_EQ(detail::formatRFC3339(c.date), c.text);
        EXPECT_EQ(parser.date(detail::formatRFC3339(c.date)), c.date) << c.text;
    }
}

// Year 1 is as far back as RFC 3339 text goes both ways: an earlier instant
// is written with its proleptic year and is not read as a date. At the other
// end, no instant is read that would be written as a year the reader refuses.
TEST(DateFormattingTest, InstantsOutsideTheWritableYearsAreNotRead) {
    const RFC3339DateFormatter parser;
    // (ICU counts in the Julian calendar before 1582.)
    const auto first = parser.date("0001-01-01T00:00:00Z");
    ASSERT_TRUE(first.has_value());
    const Date yearOne = *first;
    EXPECT_EQ(detail::formatRFC3339(yearOne), "0001-01-01T00:00:00Z");
    EXPECT_EQ(parser.date("1-01-01T00:00:00+14:00"), std::nullopt);
    EXPECT_EQ(parser.date("0001-01-01T00:00:00.5+00:01"), std::nullopt);
    EXPECT_EQ(detail::formatRFC3339(yearOne - std::chrono::hours(14)), "0000-12-31T10:00:00Z");
    const auto last = parser.date("144683-12-31T23:59:59.999Z");
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(parser.date(detail::formatRFC3339(*last)), last);
    EXPECT_EQ(parser.date("144683-12-31T23:59:59-14:00"), std::nullopt);
}

}  // namespace
}  // namespace syndra
