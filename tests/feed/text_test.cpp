#include <syndra/rss_feed.hpp>
#include <syndra/text.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace syndra {
namespace {

struct EquivalenceCase {
    const char* name;
    std::string a;
    std::string b;
    bool equivalent;
};

class CanonicalEquivalence : public ::testing::TestWithParam<EquivalenceCase> {};

TEST_P(CanonicalEquivalence, ComparesBothWays) {
    const auto& c = GetParam();
    EXPECT_EQ(canonicallyEquivalent(c.a, c.b), c.equivalent);
    EXPECT_EQ(canonicallyEquivalent(c.b, c.a), c.equivalent);
    // Models compare their texts by equivalence; a Text alone by its bytes.
    EXPECT_EQ(RSSFeedImage{.title = c.a} == RSSFeedImage{.title = c.b}, c.equivalent);
    EXPECT_EQ(Text(c.a) == Text(c.b), c.a == c.b);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CanonicalEquivalence,
    ::testing::Values(
        EquivalenceCase{"Empty", "", "", true},
        EquivalenceCase{"SameAscii", "Cassivo", "Cassivo", true},
        EquivalenceCase{"DifferentAscii", "abc", "abd", false},
        EquivalenceCase{"LetterCase", "Feed", "feed", false},
        EquivalenceCase{"PrefixOnly", "feed", "feeds", false},
        EquivalenceCase{"PrecomposedAndDecomposed", "caf\xC3\xA9", "cafe\xCC\x81", true},
        EquivalenceCase{"AccentedAndPlain", "caf\xC3\xA9", "cafe", false},
        EquivalenceCase{"TwoComposedTexts", "caf\xC3\xA9", "caf\xC3\xA8", false},
        EquivalenceCase{"ComposedAgainstDecomposedOther", "caf\xC3\xA9", "cafe\xCC\x80", false},
        // Already composed on one side only: "e" + acute + dot below reorders
        // to the composed "é" + dot below only after normalizing.
        EquivalenceCase{"ReorderedMarksAgainstComposed", "e\xCC\x81\xCC\xA3",
                        "\xE1\xBA\xB9\xCC\x81", true},
        EquivalenceCase{"AngstromSignAndRingA", "\xE2\x84\xAB", "\xC3\x85", true},
        EquivalenceCase{"AngstromSignAndCombiningRing", "\xE2\x84\xAB", "A\xCC\x8A", true},
        // A non-ASCII text can decompose to pure ASCII: the Kelvin sign is "K".
        EquivalenceCase{"KelvinSignAndK", "\xE2\x84\xAA", "K", true},
        EquivalenceCase{"KelvinSignAfterLongAsciiRun", "absolute zero is 0 \xE2\x84\xAA",
                        "absolute zero is 0 K", true},
        EquivalenceCase{"GreekQuestionMarkAndSemicolon", "\xCD\xBE", ";", true},
        EquivalenceCase{"CombiningMarksInEitherOrder", "a\xCC\xA3\xCC\x82", "a\xCC\x82\xCC\xA3",
                        true},
        EquivalenceCase{"HangulSyllableAndJamo", "\xEA\xB0\x80", "\xE1\x84\x80\xE1\x85\xA1", true},
        // Compatibility forms are not canonical ones.
        EquivalenceCase{"LigatureAndLetters", "\xEF\xAC\x81", "fi", false},
        EquivalenceCase{"FullwidthAndAscii", "\xEF\xBC\xA1", "A", false},
        EquivalenceCase{"LoneCombiningMarkAndEmpty", "\xCC\x81", "", false},
        // Broken UTF-8 must not read as U+FFFD and match other broken bytes.
        EquivalenceCase{"SameInvalidBytes", "\xC3", "\xC3", true},
        EquivalenceCase{"DifferentInvalidBytes", "\xFF", "\xFE", false},
        EquivalenceCase{"InvalidAgainstReplacementCharacter", "\xFF", "\xEF\xBF\xBD", false},
        EquivalenceCase{"TruncatedAgainstComplete", "caf\xC3", "caf\xC3\xA9", false},
        EquivalenceCase{"EncodedSurrogateAgainstOther", "\xED\xA0\x80", "\xED\xA0\x81", false},
        EquivalenceCase{"InvalidTailAfterEquivalentText", "caf\xC3\xA9\xFF", "cafe\xCC\x81\xFF",
                        false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextTest, OrderAndHashAgreeWithEquality) {
    const Text precomposed = "\xC3\xA9t\xC3\xA9";
    const Text decomposed = "e\xCC\x81te\xCC\x81";
    const std::optional<Text> absent;
    // A string literal, a std::string and a Text all compare by bytes.
    EXPECT_TRUE(precomposed == "\xC3\xA9t\xC3\xA9" && "\xC3\xA9t\xC3\xA9" == precomposed);
    EXPECT_TRUE(precomposed != decomposed && decomposed != std::string("\xC3\xA9t\xC3\xA9"));
    EXPECT_TRUE(decomposed < precomposed && (decomposed <=> decomposed) == 0);
    EXPECT_NE(std::hash<Text>()(precomposed), std::hash<Text>()(decomposed));
    EXPECT_EQ(std::hash<Text>()(Text(decomposed.str())), std::hash<Text>()(decomposed));
    // In a model, absent equals absent only.
    EXPECT_NE(RSSFeedImage{.title = ""}, RSSFeedImage{.title = absent});
}

}  // namespace
}  // namespace syndra
