// Texts read as values: what each reader gives for each text is kept in
// data/values/values.txt.

#include <syndra/conversions.hpp>
#include <syndra/rss_feed.hpp>
#include <syndra/syndication.hpp>

#include "detail/encoding.hpp"
#include "detail/feed_kind.hpp"
#include "detail/url_reader.hpp"
#include "detail/xml_walk.hpp"
#include "support/case_file.hpp"

#include <gtest/gtest.h>

#include <locale.h>
#include <charconv>
#include <clocale>
#include <cmath>
#include <optional>
#include <string>

namespace syndra {
namespace {

template <class T, class Show>
std::string orDash(const std::optional<T>& value, Show show) {
    return value ? std::string(show(*value)) : "-";
}

std::string number(double value) {
    if (std::isnan(value)) return "nan";
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

/// What the reader named `function` in the data file gives for `text`.
std::string read(const std::string& function, const std::string& text) {
    const auto raw = [](auto value) { return rawValue(value); };
    const auto same = [](const auto& value) { return value; };
    if (function == "toBool")
        return orDash(toBool(text), [](bool b) { return b ? "true" : "false"; });
    if (function == "isValidUtf8") return detail::isValidUtf8(text) ? "true" : "false";
    if (function == "toInt") return orDash(toInt(text), [](auto i) { return std::to_string(i); });
    if (function == "toDouble") return orDash(toDouble(text), number);
    if (function == "toDuration") return orDash(toDuration(text), number);
    if (function == "skipDay") return orDash(skipDayFromText(text), raw);
    if (function == "skipDayRaw") return orDash(skipDayFromRawValue(text), raw);
    if (function == "updatePeriod") return orDash(updatePeriodFromText(text), raw);
    if (function == "declaredEncoding") return orDash(detail::declaredEncoding(text), same);
    if (function == "feedURL") return orDash(detail::sanitizeFeedURL(text), same);
    if (function == "feedKind") {
        return orDash(detail::detectFeedDataKind(text), [](detail::FeedDataKind kind) {
            return kind == detail::FeedDataKind::xml ? "xml" : "json";
        });
    }
    if (function == "sniff") {
        static const char* const kForms[] = {"unknown", "utf8",    "utf16le",
                                             "utf16be", "utf32le", "utf32be"};
        const detail::Sniffed s = detail::sniffUnicodeForm(text);
        return kForms[static_cast<int>(s.form)] + (" " + std::to_string(s.markLength));
    }
    return "no reader " + function;
}

TEST(Values, EachReaderGivesTheExpectedValueOrNothing) {
    const auto cases = testsupport::readCases(TEST_DATA_DIR "/values/values.txt");
    ASSERT_GT(cases.size(), 150u);
    for (const auto& c : cases) {
        EXPECT_EQ(read(c[0], c[1]), c[2])
            << "line " << c.line << ": " << c[0] << " of " << ::testing::PrintToString(c[1]);
    }
}

TEST(Values, EnumerationsReadBackFromTheirRawValues) {
    using Day = RSSFeedSkipDay;
    using Period = SyndicationUpdatePeriod;
    for (int i = 0; i < 7; ++i) EXPECT_EQ(skipDayFromRawValue(rawValue(Day(i))), Day(i));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(updatePeriodFromRawValue(rawValue(Period(i))), Period(i));
    // A value outside the enumeration has no raw value rather than a crash.
    EXPECT_EQ(rawValue(static_cast<RSSFeedSkipDay>(42)), "");
}

TEST(Values, ToDoubleIgnoresTheThreadsLocale) {
    locale_t decimalComma = static_cast<locale_t>(nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        decimalComma = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr));
        if (decimalComma != static_cast<locale_t>(nullptr)) break;
    }
    if (decimalComma == static_cast<locale_t>(nullptr)) {
        GTEST_SKIP() << "no decimal-comma locale installed";
    }
    const locale_t previous = uselocale(decimalComma);
    const auto point = toDouble("3.5");
    const auto comma = toDouble("3,5");
    uselocale(previous);
    freelocale(decimalComma);
    EXPECT_EQ(point, 3.5);
    EXPECT_EQ(comma, std::nullopt);
}

}  // namespace
}  // namespace syndra
