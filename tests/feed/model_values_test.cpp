// The equality rules of the models.

#include <syndra/atom_feed.hpp>
#include <syndra/conversions.hpp>
#include <syndra/rss_feed.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace syndra {
namespace {

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
