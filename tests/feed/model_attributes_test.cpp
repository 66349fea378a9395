// Attribute objects: built only when the element has attributes, each field
// from the attribute of exactly its name, converted as its type says.

#include "attribute_list.hpp"

#include <syndra/mapping.hpp>
#include <syndra/media.hpp>
#include <syndra/rss_feed.hpp>

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

namespace syndra {
namespace {

using test::AttributeList;
using test::Pairs;

template <class Element>
struct Case {
    const char* name;
    Pairs attributes;
    std::optional<typename Element::Attributes> expected;
};

template <class Element>
void expectAttributes(const Case<Element>& c) {
    SCOPED_TRACE(c.name);
    const AttributeList list(c.attributes);
    const auto element = fromAttributes<Element>(list);
    EXPECT_EQ(element.attributes.has_value(), c.expected.has_value());
    EXPECT_TRUE(element.attributes == c.expected);
}

TEST(ModelAttributes, Enclosure) {
    using A = RSSFeedItemEnclosure::Attributes;
    const Case<RSSFeedItemEnclosure> cases[] = {
        {"no attributes at all", {}, std::nullopt},
        {"only unknown attributes", {{"foo", "bar"}}, A{}},
        {"all three",
         {{"url", "http://e.com/a.mp3"}, {"length", "1234"}, {"type", "audio/mpeg"}},
         A{.url = "http://e.com/a.mp3", .length = 1234, .type = "audio/mpeg"}},
        {"length not a number", {{"url", "u"}, {"length", "12 MB"}}, A{.url = "u"}},
        {"length empty", {{"url", "u"}, {"length", ""}}, A{.url = "u"}},
        {"eleven digits", {{"length", "12345678901"}}, A{.length = 12345678901}},
        {"names are case-sensitive", {{"URL", "u"}, {"Type", "t"}}, A{}},
        {"text kept untrimmed", {{"url", " u "}}, A{.url = " u "}},
    };
    for (const auto& c : cases) expectAttributes(c);
}

TEST(ModelAttributes, GuidAndCloud) {
    using G = RSSFeedItemGUID::Attributes;
    const Case<RSSFeedItemGUID> guids[] = {
        {"false", {{"isPermaLink", "false"}}, G{.isPermaLink = false}},
        {"yes", {{"isPermaLink", "yes"}}, G{.isPermaLink = true}},
        {"capitals are no boolean", {{"isPermaLink", "FALSE"}}, G{}},
    };
    for (const auto& c : guids) expectAttributes(c);

    using C = RSSFeedCloud::Attributes;
    const Case<RSSFeedCloud> clouds[] = {
        {"protocol is stored as protocolSpecification",
         {{"domain", "rpc.example.com"},
          {"port", "80"},
          {"path", "/RPC2"},
          {"registerProcedure", "pingMe"},
          {"protocol", "soap"}},
         C{.domain = "rpc.example.com",
           .port = 80,
           .path = "/RPC2",
           .registerProcedure = "pingMe",
           .protocolSpecification = "soap"}},
        {"port with a leading space", {{"port", " 80"}}, C{}},
        {"attribute named like the field is not read", {{"protocolSpecification", "x"}}, C{}},
    };
    for (const auto& c : clouds) expectAttributes(c);
}

TEST(ModelAttributes, MediaConversions) {
    using MC = MediaContent::Attributes;
    const Case<MediaContent> contents[] = {
        {"every kind of field",
         {{"url", "v.mp4"},
          {"fileSize", "1000"},
          {"type", "video/mp4"},
          {"medium", "video"},
          {"isDefault", "true"},
          {"expression", "full"},
          {"bitrate", "128"},
          {"framerate", "29.97"},
          {"samplingrate", "44.1"},
          {"channels", "2"},
          {"duration", "90"},
          {"height", "720"},
          {"width", "1280"},
          {"lang", "en"}},
         MC{.url = "v.mp4",
            .fileSize = 1000,
            .type = "video/mp4",
            .medium = "video",
            .isDefault = true,
            .expression = "full",
            .bitrate = 128,
            .framerate = 29.97,
            .samplingrate = 44.1,
            .channels = 2,
            .duration = 90,
            .height = 720,
            .width = 1280,
            .lang = "en"}},
        {"duration is whole seconds only", {{"duration", "1:30"}}, MC{}},
        {"decimal with trailing space", {{"framerate", "25 "}}, MC{}},
        {"isDefault in capitals", {{"isDefault", "TRUE"}}, MC{}},
    };
    for (const auto& c : contents) expectAttributes(c);

    using L = MediaLocation::Attributes;
    const Case<MediaLocation> locations[] = {
        {"start and end are durations",
         {{"description", "Paris"}, {"start", "1:30"}, {"end", "01:02:03"}},
         L{.description = "Paris", .start = 90.0, .end = 3723.0}},
        {"a bad duration", {{"start", "1:-5"}}, L{}},
    };
    for (const auto& c : locations) expectAttributes(c);

    // Thumbnail sizes stay text; player and embed sizes are integers.
    expectAttributes(
        Case<MediaThumbnail>{"thumbnail sizes are text",
                             {{"width", "100px"}, {"height", "75"}},
                             MediaThumbnail::Attributes{.width = "100px", .height = "75"}});
    expectAttributes(Case<MediaPlayer>{"player sizes are integers",
                                       {{"url", "p"}, {"width", "100px"}, {"height", "75"}},
                                       MediaPlayer::Attributes{.url = "p", .height = 75}});
    expectAttributes(Case<MediaEmbed>{"embed sizes are integers",
                                      {{"width", "640"}, {"height", "-"}},
                                      MediaEmbed::Attributes{.width = 640}});
    expectAttributes(Case<MediaStarRating>{
        "star rating",
        {{"average", "3.5"}, {"count", "20"}, {"min", "1"}, {"max", "5"}},
        MediaStarRating::Attributes{.average = 3.5, .count = 20, .min = 1, .max = 5}});
    expectAttributes(
        Case<MediaPrice>{"price",
                         {{"type", "rent"}, {"price", "1e1"}, {"currency", "EUR"}},
                         MediaPrice::Attributes{.type = "rent", .price = 10.0, .currency = "EUR"}});
}

TEST(ModelAttributes, AtomLinkLength) {
    using A = AtomFeedLink::Attributes;
    const Case<AtomFeedLink> cases[] = {
        {"plus sign", {{"length", "+42"}}, A{.length = 42}},
        {"minus sign", {{"length", "-7"}}, A{.length = -7}},
        {"leading space", {{"length", " 42"}}, A{}},
        {"fraction", {{"length", "4.2"}}, A{}},
        {"empty", {{"length", ""}}, A{}},
        {"beyond 64 bits", {{"length", "9223372036854775808"}}, A{}},
        {"all text fields",
         {{"href", "h"}, {"rel", "r"}, {"type", "t"}, {"hreflang", "l"}, {"title", "x"}},
         A{.href = "h", .rel = "r", .type = "t", .hreflang = "l", .title = "x"}},
    };
    for (const auto& c : cases) expectAttributes(c);
}

TEST(ModelAttributes, ElementObjectsStartWithoutText) {
    const AttributeList type{{"type", "html"}};
    const auto summary = fromAttributes<AtomFeedEntrySummary>(type);
    ASSERT_TRUE(summary.attributes);
    EXPECT_EQ(summary.attributes->type, Text("html"));
    EXPECT_FALSE(summary.value);

    const AttributeList text{{"text", "Technology"}};
    const auto category = fromAttributes<ITunesCategory>(text);
    EXPECT_FALSE(category.subcategory);
    EXPECT_EQ(category.attributes->text, Text("Technology"));
}

}  // namespace
}  // namespace syndra
