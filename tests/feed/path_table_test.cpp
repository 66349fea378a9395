// The path tables and the public mapping operations that run their rules.
// What each rule makes of whole documents is in the golden files
// (data/golden/*_rules.xml and media_in_*.xml).

#include "attribute_list.hpp"

#include <syndra/atom_feed.hpp>
#include <syndra/mapping.hpp>
#include <syndra/rss_feed.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace syndra {
namespace {

using Json = nlohmann::ordered_json;
using P = RSSPath;
using R = RDFPath;

// The models' public mapping operations run the table rules: a model built by
// calls, in document order, is the one the parser would build. Rule-less paths
// and values that are no case change nothing.
TEST(ModelMapping, OperationsRunTheTableRules) {
    const test::AttributeList none;
    const test::AttributeList enclosure{{"url", "a.mp3"}, {"length", "12"}};
    const test::AttributeList link{{"href", "http://e/1"}, {"rel", "alternate"}};
    const std::vector<std::pair<std::function<Feed()>, const char*>> cases = {
        {[&] {
             RSSFeed feed;
             mapCharacters(feed, "lost before any item", P::channelItemTitle);
             mapAttributes(feed, enclosure, P::channelItemEnclosure);
             mapAttributes(feed, none, P::channelItem);
             mapAttributes(feed, enclosure, P::channelItemEnclosure);
             mapCharacters(feed, "Tom & Jerry", P::channelItemTitle);
             mapCharacters(feed, "Tom", P::channelItemTitle);
             mapCharacters(feed, "60", P::channelTtl);
             mapCharacters(feed, "", P::channelLink);
             mapCharacters(feed, "Tue, 10 Jun 2003 04:00:00 GMT", P::channelPubDate);
             mapCharacters(feed, "", P::channelPubDate);
             mapAttributes(feed, enclosure, P::channel);
             mapCharacters(feed, "lost", P::rss);
             mapAttributes(feed, enclosure, static_cast<RSSPath>(rssPathCount));
             mapCharacters(feed, "lost", static_cast<RSSPath>(rssPathCount));
             return Feed(feed);
         },
         R"({"link":"","pubDate":"2003-06-10T04:00:00Z","ttl":60,"items":[{"title":"Tom & Jerry",
             "enclosure":{"attributes":{"url":"a.mp3","length":12}}}]})"},
        {[] {
             RSSFeed feed;
             mapAttributes(feed, R::item);
             mapCharacters(feed, "One", R::itemTitle);
             mapAttributes(feed, R::itemDcDate);
             mapCharacters(feed, "2003-06-10T04:00:00Z", R::itemDcDate);
             mapCharacters(feed, "lost", R::channelItemsSeqLi);
             mapAttributes(feed, static_cast<RDFPath>(rdfPathCount));
             return Feed(feed);
         },
         R"({"items":[{"title":"One","dublinCore":{"dcDate":"2003-06-10T04:00:00Z"}}]})"},
        {[&] {
             AtomFeed feed;
             mapAttributes(feed, none, AtomPath::entry);
             mapAttributes(feed, link, AtomPath::entryLink);
             mapCharacters(feed, "2003-12-13T18:30:02Z", AtomPath::entryUpdated);
             mapCharacters(feed, "lost", AtomPath::entry);
             mapAttributes(feed, link, static_cast<AtomPath>(atomPathCount));
             return Feed(feed);
         },
         R"({"entries":[{"links":[{"attributes":{"href":"http://e/1","rel":"alternate"}}],
             "updated":"2003-12-13T18:30:02Z"}]})"},
    };
    for (const auto& [build, expected] : cases) {
        EXPECT_EQ(test::fieldsOf(build()), Json::parse(expected)) << expected;
    }
}

// The path tables are data: the enumeration, the texts and the look-up must
// agree for every case.
template <class Path, class Model>
void expectConsistentTable(std::span<const detail::PathRule<Model>> table, std::size_t count,
                           std::optional<Path> (*lookUp)(std::string_view)) {
    ASSERT_EQ(table.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto path = static_cast<Path>(i);
        EXPECT_EQ(pathText(path), table[i].path);
        EXPECT_EQ(lookUp(table[i].path), path) << table[i].path;
        EXPECT_TRUE(table[i].path.starts_with('/') && !table[i].path.ends_with('/'));
    }
    EXPECT_EQ(pathText(static_cast<Path>(count)), "");
}

TEST(PathTables, EnumerationTextAndLookUpAgree) {
    expectConsistentTable<RSSPath>(detail::rssTable(), rssPathCount, rssPath);
    expectConsistentTable<RDFPath>(detail::rdfTable(), rdfPathCount, rdfPath);
    expectConsistentTable<AtomPath>(detail::atomTable(), atomPathCount, atomPath);
}

TEST(PathTables, LookUpIsExact) {
    EXPECT_EQ(rssPath("/rss/channel/item/media:group/media:content"),
              RSSPath::channelItemMediaGroupContent);
    EXPECT_EQ(rssPath("/rss/channel/item/itunes:duration"), RSSPath::channelItemITunesDuration);
    EXPECT_EQ(rdfPath("/rdf:RDF/item/dc:rights"), RDFPath::itemDcRights);
    EXPECT_EQ(atomPath("/feed/entry/media:group/media:content"), AtomPath::entryMediaGroupContent);
    for (const char* miss : {"/rss/channel/", "/RSS/channel", "/rss/channel/title ", "rss/channel",
                             "/rss/channel/item/media:content/media:title/", "",
                             "/feed/entry/media:content/media:title", "/rss/channel/Title"}) {
        EXPECT_EQ(rssPath(miss), std::nullopt) << miss;
        EXPECT_EQ(atomPath(miss), std::nullopt) << miss;
    }
}

// Any sequence of elements, in any order, leaves a model the rules can keep
// writing into: missing targets are skipped, never dereferenced.
template <class Model>
void playRandomly(std::span<const detail::PathRule<Model>> table, unsigned seed) {
    std::mt19937 random(seed);
    const char* texts[] = {"",         " ",          "7",
                           "1:30",     "a:1, b ,,c", "12.5 -3",
                           "Sunday",   "hourly",     "Tue, 10 Jun 2003 04:00:00 GMT",
                           "\xff\xfe", "x y z"};
    const test::AttributeList attributes{{"url", "u"}, {"width", "5"}, {"text", "t"}};
    Model model;
    for (int i = 0; i < 4000; ++i) {
        const auto& rule = table[random() % table.size()];
        if (rule.start != nullptr && random() % 2 == 0) {
            rule.start(model, random() % 3 == 0 ? test::AttributeList().map() : attributes.map());
        }
        if (rule.text != nullptr) rule.text(model, texts[random() % std::size(texts)]);
    }
    EXPECT_FALSE(toJSON(Feed(model)).empty());
}

TEST(PathTables, RulesSurviveAnyOrderOfElements) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        playRandomly(detail::rssTable(), seed);
        playRandomly(detail::rdfTable(), seed);
        playRandomly(detail::atomTable(), seed);
    }
}

}  // namespace
}  // namespace syndra
