#include <syndra/rss_feed.hpp>
#include <syndra/text.hpp>

#include "support/case_file.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace syndra {
namespace {

// Pairs of texts and whether they are canonically equivalent are kept in
// data/text_equivalence.txt.
TEST(TextTest, CanonicalEquivalenceComparesBothWays) {
    const auto cases = testsupport::readCases(TEST_DATA_DIR "/text_equivalence.txt");
    ASSERT_GT(cases.size(), 20u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        const std::string& a = c[1];
        const std::string& b = c[2];
        const bool equivalent = c[3] == "true";
        EXPECT_EQ(canonicallyEquivalent(a, b), equivalent);
        EXPECT_EQ(canonicallyEquivalent(b, a), equivalent);
        // Models compare their texts by equivalence; a Text alone by its bytes.
        EXPECT_EQ(RSSFeedImage{.title = a} == RSSFeedImage{.title = b}, equivalent);
        EXPECT_EQ(Text(a) == Text(b), a == b);
    }
}

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

// Short texts live in the object, longer ones behind a length prefix of one
// or more bytes: every length across those boundaries keeps its bytes.
TEST(TextTest, KeepsEveryLengthWholeThroughCopiesMovesAndAppends) {
    const int inlined = static_cast<int>(Text::kInlineSize);
    for (const std::size_t size : {0, 1, inlined, inlined + 1, 127, 128, 16383, 16384}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + 1);
        Text text(bytes), copy = text, moved = std::move(copy);
        EXPECT_TRUE(text.data()[size] == '\0' && copy.empty() && moved == bytes) << size;
        moved.append(std::string_view("\0z", 2));
        EXPECT_EQ(moved, bytes + std::string("\0z", 2)) << size;
        EXPECT_EQ(text, bytes) << size;
        // An optional text keeps "no text" apart from "", whatever moves it.
        std::optional<Text> held = text, none, taken = std::move(held), kept = none;
        EXPECT_TRUE(held && taken == bytes && !std::optional<Text>(std::move(none)) && !none)
            << size;
        kept.swap(taken);
        EXPECT_TRUE(kept == bytes && !taken && taken.value_or(moved) == moved) << size;
        EXPECT_TRUE(kept.emplace(*kept) == bytes && (kept = std::nullopt) == std::optional<Text>())
            << size;
    }
}

}  // namespace
}  // namespace syndra
