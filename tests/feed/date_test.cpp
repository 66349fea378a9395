// Date texts and the instants read from them are kept in data/dates/dates.txt.
// The quick reader stands in for the ICU patterns on the shapes feeds use
// most: whenever it answers, every formatter it names must read the text to
// the same instant through ICU. (The date fuzzer checks that agreement on
// arbitrary bytes.)

#include <syndra/conversions.hpp>
#include <syndra/date_formatters.hpp>

#include "detail/date_fast_path.hpp"
#include "detail/icu_dates.hpp"
#include "detail/unicode_trim.hpp"
#include "support/case_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
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

std::string show(const std::optional<Date>& date) {
    return date ? detail::formatRFC3339(*date) : "-";
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

// One pattern at a time, to pin each pattern's exact text to what it reads.
class OnePattern : public DateFormatter {
public:
    explicit OnePattern(const std::string_view& pattern)
        : DateFormatter(std::span<const std::string_view>(&pattern, 1)) {}
};

/// What `reader` (as named in the data file) reads from `text`.
std::optional<Date> readAs(const std::string& reader, const std::string& text) {
    if (reader == "toDate") return toDate(text);
    if (reader == "rfc822") return RFC822DateFormatter().date(text);
    if (reader == "rfc3339") return RFC3339DateFormatter().date(text);
    if (reader == "iso8601") return ISO8601DateFormatter().date(text);
    if (reader == "quick") {
        const auto answer = quick(text);
        return answer ? std::optional<Date>(answer->date) : nullopt;
    }
    const std::map<std::string, std::span<const std::string_view>> families = {
        {"rfc822", RFC822DateFormatter::kDateFormats},
        {"backup", RFC822DateFormatter::kBackupFormats},
        {"rfc3339", RFC3339DateFormatter::kDateFormats},
        {"iso8601", ISO8601DateFormatter::kDateFormats}};
    const auto hash = reader.find('#');
    return OnePattern(families.at(reader.substr(0, hash))[std::stoul(reader.substr(hash + 1))])
        .date(text);
}

std::vector<testsupport::CaseLine> dateCases() {
    auto cases = testsupport::readCases(TEST_DATA_DIR "/dates/dates.txt");
    EXPECT_GT(cases.size(), 100u) << "the date cases went missing";
    return cases;
}

TEST(DateReading, EachReaderReadsEachTextToTheExpectedInstant) {
    for (const auto& c : dateCases()) {
        const std::string& reader = c[0];
        std::vector<std::string> texts = {c[1]};
        if (reader == "zone") {
            texts = {"Tue, 10 Jun 2003 04:00:00 " + c[1], "Xyz, 10 Jun 2003 04:00:00 " + c[1],
                     "10 Jun 2003 04:00:00 " + c[1]};
        }
        for (const std::string& text : texts) {
            EXPECT_EQ(show(readAs(reader == "zone" ? "toDate" : reader, text)), c[2])
                << "line " << c.line << ": " << reader << " of " << ::testing::PrintToString(text);
            EXPECT_TRUE(reader == "quick" ? agreesWithIcu(text) : ::testing::AssertionSuccess())
                << "line " << c.line;
        }
    }
    // An instant before year 1 is written with its proleptic year.
    const auto yearOne = RFC3339DateFormatter().date("0001-01-01T00:00:00Z");
    ASSERT_TRUE(yearOne);
    EXPECT_EQ(detail::formatRFC3339(*yearOne - hours(14)), "0000-12-31T10:00:00Z");
}

// The formatters share ICU objects across threads: each thread, starting at
// another text so that patterns interleave, must read what one thread reads.
TEST(DateReading, ThreadsParsingAtOnceAgree) {
    std::vector<std::string> texts;
    std::vector<std::optional<Date>> expected;
    for (const auto& c : dateCases()) {
        if (c[0] != "toDate" && c[0] != "quick") continue;
        texts.push_back(c[1]);
        expected.push_back(toDate(c[1]));
    }
    constexpr int kThreads = 6;
    std::array<int, kThreads> mismatches{};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const RFC822DateFormatter shared822;
            for (std::size_t i = 0; i < 2 * texts.size(); ++i) {
                const std::size_t k = (i + static_cast<std::size_t>(t) * 7) % texts.size();
                if (toDate(texts[k]) != expected[k]) ++mismatches[t];
                std::optional<Date> viaClass = shared822.date(texts[k]);
                if (!viaClass) viaClass = RFC3339DateFormatter().date(texts[k]);
                if (!viaClass) viaClass = ISO8601DateFormatter().date(texts[k]);
                if (viaClass != expected[k]) ++mismatches[t];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

// Every single-byte deletion, insertion and replacement of the plain dates the
// quick reader answers: most must fall back to ICU, the ones still answered
// must agree.
TEST(DateReading, QuickReaderNearMissesFallBackOrAgreeWithIcu) {
    const std::string pieces[] = {
        "0",    "1",       "2", "5", "9", " ", "\t", ":", "-", "+",
        ".",    ",",       "T", "Z", "z", "G", "U",  "S", "a", std::string(1, '\0'),
        "\x80", "\xC2\xA0"};
    for (const auto& c : dateCases()) {
        if (c[0] != "quick" || c[2] == "-") continue;
        const std::string& text = c[1];
        for (std::size_t i = 0; i <= text.size(); ++i) {
            const std::string rest = text.substr(std::min(i + 1, text.size()));
            std::vector<std::string> edits = {text.substr(0, i) + rest};
            for (const std::string& piece : pieces) {
                edits.push_back(text.substr(0, i) + piece + text.substr(i));
                edits.push_back(text.substr(0, i) + piece + rest);
            }
            for (const std::string& edit : edits) ASSERT_TRUE(agreesWithIcu(edit));
        }
    }
}

std::string twoDigits(unsigned n) {
    char text[4];
    std::snprintf(text, sizeof text, "%02u", n % 100);
    return text;
}

// Each plain shape, on days spread over every year from 1583 to 9999 with
// varying times and zones: all answered without ICU, all as ICU reads them.
TEST(DateReading, QuickReaderReadsPlainDatesAcrossTheCalendarAsIcuDoes) {
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
