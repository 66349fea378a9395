// Enumerations from their raw values and from element text, and the equality
// rules of the models.

#include <syndra/atom_feed.hpp>
#include <syndra/conversions.hpp>
#include <syndra/rss_feed.hpp>
#include <syndra/syndication.hpp>

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace syndra {
namespace {

TEST(ModelValues, SkipDayFromText) {
    const struct {
        std::string_view text;
        std::optional<RSSFeedSkipDay> expected;
    } cases[] = {
        {"monday", RSSFeedSkipDay::monday},
        {"Sunday", RSSFeedSkipDay::sunday},
        {"WEDNESDAY", RSSFeedSkipDay::wednesday},
        {"\xC5\xBFunday", RSSFeedSkipDay::sunday},  // long s folds to s
        {"\xC5\xBFunday\xC3", std::nullopt},
        {" sunday", std::nullopt},
        {"sunday\n", std::nullopt},
        {"sun", std::nullopt},
        {"", std::nullopt},
        {"sundaysundaysundaysunday", std::nullopt},
        {std::string_view("sunday\0", 7), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(skipDayFromText(c.text), c.expected) << '"' << c.text << '"';
    }
    // The raw value must match exactly.
    EXPECT_EQ(skipDayFromRawValue("Sunday"), std::nullopt);
    EXPECT_EQ(skipDayFromRawValue("saturday"), RSSFeedSkipDay::saturday);
}

TEST(ModelValues, UpdatePeriodFromText) {
    const struct {
        std::string_view text;
        std::optional<SyndicationUpdatePeriod> expected;
    } cases[] = {
        {"hourly", SyndicationUpdatePeriod::hourly},
        {"HOURLY", SyndicationUpdatePeriod::hourly},
        {"Daily", SyndicationUpdatePeriod::daily},
        {"WEE\xE2\x84\xAALY", SyndicationUpdatePeriod::weekly},  // Kelvin sign folds to k
        {"yearly", SyndicationUpdatePeriod::yearly},
        {"hourly\n", std::nullopt},
        {"  weekly  ", std::nullopt},
        {"fortnightly", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(updatePeriodFromText(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ModelValues, RawValuesRoundTrip) {
    for (int i = 0; i < 7; ++i) {
        const auto day = static_cast<RSSFeedSkipDay>(i);
        EXPECT_EQ(skipDayFromRawValue(rawValue(day)), day);
    }
    for (int i = 0; i < 5; ++i) {
        const auto period = static_cast<SyndicationUpdatePeriod>(i);
        EXPECT_EQ(updatePeriodFromRawValue(rawValue(period)), period);
    }
    EXPECT_EQ(rawValue(RSSFeedSkipDay::thursday), "thursday");
    EXPECT_EQ(rawValue(SyndicationUpdatePeriod::monthly), "monthly");
    // A value outside the enumeration has no raw value rather than a crash.
    EXPECT_EQ(rawValue(static_cast<RSSFeedSkipDay>(42)), "");
}

RSSFeedItem itemWithCategories(std::initializer_list<const char*> values) {
    RSSFeedItem item;
    item.categories.emplace();
    for (const char* value : values) {
        RSSFeedItemCategory category;
        category.value = value;
        item.categories->push_back(category);
    }
    return item;
}

// (Texts compare by canonical equivalence: see text_test.cpp.)
TEST(ModelValues, Equality) {
    // Empty and filled differ; an absent list differs from an empty one.
    RSSFeedItem empty;
    RSSFeedItem emptyList;
    emptyList.categories.emplace();
    EXPECT_NE(empty, emptyList);

    // Lists compare in order.
    EXPECT_EQ(itemWithCategories({"a", "b"}), itemWithCategories({"a", "b"}));
    EXPECT_NE(itemWithCategories({"a", "b"}), itemWithCategories({"b", "a"}));
    EXPECT_NE(itemWithCategories({"a"}), itemWithCategories({"a", "a"}));

    // Extension objects compare by value, deep inside.
    RSSFeedItem withMedia;
    withMedia.media.emplace().mediaComments = std::vector<Text>{"nice"};
    RSSFeedItem sameMedia = withMedia;
    EXPECT_EQ(withMedia, sameMedia);
    sameMedia.media->mediaComments->front() = "bad";
    EXPECT_NE(withMedia, sameMedia);
    EXPECT_NE(withMedia, RSSFeedItem{});

    // A number that is no number (framerate="nan") equals itself, so a model
    // equals its copy; it still differs from any number.
    RSSFeedItem withNaN;
    withNaN.media.emplace().mediaContents = std::vector<MediaContent>{MediaContent{}};
    withNaN.media->mediaContents->front().attributes =
        MediaContent::Attributes{.framerate = toDouble("nan")};
    RSSFeedItem copy = withNaN;
    EXPECT_EQ(withNaN, copy);
    copy.media->mediaContents->front().attributes->framerate = 25.0;
    EXPECT_NE(withNaN, copy);
}

TEST(ModelValues, MediaContentComparesAttributesOnly) {
    MediaContent a;
    a.attributes = MediaContent::Attributes{.url = "v.mp4", .width = 640};
    MediaContent b = a;
    b.mediaTitle.emplace().value = "A different title";
    b.mediaKeywords = std::vector<Text>{"x"};
    EXPECT_EQ(a, b);

    b.attributes->width = 641;
    EXPECT_NE(a, b);

    // Inside an entry the rule holds as well; other entry fields still count.
    AtomFeedEntry first;
    first.media.emplace().mediaContents = std::vector<MediaContent>{a};
    AtomFeedEntry second = first;
    second.media->mediaContents->front().mediaTitle.emplace().value = "t";
    EXPECT_EQ(first, second);
    second.media->mediaThumbnails.emplace();
    EXPECT_NE(first, second);
}

}  // namespace
}  // namespace syndra
