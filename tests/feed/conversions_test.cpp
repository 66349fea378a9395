#include <syndra/conversions.hpp>

#include <gtest/gtest.h>

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace syndra {
namespace {

using std::nullopt;

TEST(ConversionsTest, ToBoolReadsOnlyTheExactWords) {
    for (const char* text : {"True", "true", "Yes", "yes", "1"}) EXPECT_EQ(toBool(text), true);
    for (const char* text : {"False", "false", "No", "no", "0"}) EXPECT_EQ(toBool(text), false);
    for (const std::string text : {"TRUE", "YES", "y", "", " true", "true ", "01", "on"}) {
        EXPECT_EQ(toBool(text), nullopt) << '"' << text << '"';
    }
    EXPECT_EQ(toBool(std::string("true\0", 5)), nullopt);
}

TEST(ConversionsTest, ToIntTakesAnOptionalSignAndDigitsOnly) {
    const std::pair<std::string, std::int64_t> valid[] = {
        {"0", 0},
        {"007", 7},
        {"+42", 42},
        {"-42", -42},
        {"-0", 0},
        {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
    };
    for (const auto& [text, value] : valid) EXPECT_EQ(toInt(text), value) << text;
    const std::string invalid[] = {
        "9223372036854775808",
        "-9223372036854775809",
        "",
        "+",
        "-",
        "+-1",
        "-+1",
        "--1",
        "++1",
        "1.0",
        " 1",
        "1 ",
        "1,000",
        "0x10",
        "1e3",
        "\xD9\xA3",  // ARABIC-INDIC DIGIT THREE
        std::string("1\0", 2),
    };
    for (const auto& text : invalid) EXPECT_EQ(toInt(text), nullopt) << '"' << text << '"';
}

TEST(ConversionsTest, ToDoubleConsumesTheWholeText) {
    const std::pair<std::string, double> valid[] = {
        {"3.5", 3.5},    {"-3.5", -3.5},   {"+3.5", 3.5},  {".5", 0.5},
        {"5.", 5.0},     {"1e3", 1000.0},  {"1E-2", 0.01}, {"007", 7.0},
        {"0x1p4", 16.0}, {"0X1.8P1", 3.0},  // the C library's hexadecimal notation
    };
    for (const auto& [text, value] : valid) EXPECT_EQ(toDouble(text), value) << text;
    const std::string invalid[] = {
        "",
        " 3.5",
        "\t3.5",
        "\n3.5",
        "3.5 ",
        "3.5\n",
        "3,5",
        "3.5abc",
        "1e",
        "e3",
        ".",
        "0x",
        "nan(",
        "infinit",
        std::string("\0"
                    "1",
                    2),
        std::string("1\0", 2),
    };
    for (const auto& text : invalid) EXPECT_EQ(toDouble(text), nullopt) << '"' << text << '"';
    for (const char* text : {"inf", "INF", "Infinity", "-inf"}) {
        EXPECT_TRUE(std::isinf(toDouble(text).value_or(0))) << text;
    }
    for (const char* text : {"nan", "NAN", "nan(123)"}) {
        EXPECT_TRUE(std::isnan(toDouble(text).value_or(0))) << text;
    }
}

TEST(ConversionsTest, ToDoubleIgnoresTheThreadsLocale) {
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
    EXPECT_EQ(comma, nullopt);
}

TEST(ConversionsTest, ToDurationReadsBase60Pieces) {
    const std::pair<std::string, double> valid[] = {
        {"90", 90.0},
        {"5:00", 300.0},
        {"1:02:03", 3723.0},
        {"00:90", 90.0},
        {"1:0:0:0", 216000.0},
        {"+5", 5.0},
        {"-0", 0.0},
        {" 12:30 ", 750.0},
        {"\n\t12:30\r\n", 750.0},
        {"\xC2\xA0"
         "12:30\xE2\x80\xA8",
         750.0},  // NO-BREAK SPACE, LINE SEPARATOR
        {"\xE3\x80\x80"
         "5\xC2\x85",
         5.0},  // IDEOGRAPHIC SPACE, NEL
    };
    for (const auto& [text, value] : valid) EXPECT_EQ(toDuration(text), value) << text;
    const std::string invalid[] = {
        "",
        "   ",
        ":",
        "1:",
        ":1",
        "1::2",
        "1:-5",
        "-5",
        "1.5",
        "1:30.5",
        "1 : 30",
        "1:3a",
        "\xE2\x80\x8B"
        "5",  // ZERO WIDTH SPACE is not white space
        "9223372036854775808",
    };
    for (const auto& text : invalid) EXPECT_EQ(toDuration(text), nullopt) << '"' << text << '"';
}

TEST(ConversionsTest, ToDurationOfManyPiecesIsFiniteOrAbsent) {
    // 200 pieces: 60^199 is beyond the double range, and 0 × ∞ would be NaN.
    std::string zeros;
    for (int i = 0; i < 199; ++i) zeros += "0:";
    EXPECT_EQ(toDuration(zeros + "5"), 5.0);
    EXPECT_EQ(toDuration("1:" + zeros + "5"), nullopt);
}

}  // namespace
}  // namespace syndra
