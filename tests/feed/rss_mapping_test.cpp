// RSS 2.0 and RDF documents through their path tables: each scenario plays
// elements through the table rules and compares the model with the expected
// one, written in the dump's JSON form.

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

using test::element;
using test::start;
using Json = nlohmann::ordered_json;

template <class Path>
struct Scenario {
    const char* name;
    std::vector<test::Element<Path>> elements;
    const char* expected;
};

template <class Path>
void expectScenarios(std::span<const detail::PathRule<RSSFeed>> table,
                     const std::vector<Scenario<Path>>& scenarios) {
    for (const auto& s : scenarios) {
        RSSFeed feed;
        test::play(feed, table, s.elements);
        const Json actual = test::fieldsOf(Feed(feed));
        const Json expected = Json::parse(s.expected);
        EXPECT_EQ(actual, expected)
            << s.name << "\n  actual:   " << actual.dump() << "\n  expected: " << expected.dump();
    }
}

using P = RSSPath;

TEST(RSSMapping, Channel) {
    expectScenarios<P>(
        detail::rssTable(),
        {
            {"the root and the channel map nothing",
             {element(P::rss, "x"), element(P::channel, "x")},
             R"({})"},
            {"texts are kept untrimmed and repeated elements run together",
             {element(P::channelTitle, " Daily "), element(P::channelTitle, "News\n")},
             R"({"title":" Daily News\n"})"},
            {"an element without text leaves its field absent; an empty text is text",
             {element(P::channelLink, ""), element(P::channelDescription),
              element(P::channelPubDate, "Tue, 10 Jun 2003 04:00:00 GMT"),
              element(P::channelPubDate, ""), element(P::channelTtl, "60"),
              element(P::channelTtl, "")},
             R"({"link":""})"},
            {"dates convert, and a later text that does not empties the field",
             {element(P::channelPubDate, "Tue, 10 Jun 2003 04:00:00 GMT"),
              element(P::channelLastBuildDate, "Tue, 10 Jun 2003 04:00:00 GMT"),
              element(P::channelLastBuildDate, "yesterday")},
             R"({"pubDate":"2003-06-10T04:00:00Z"})"},
            {"ttl is an integer", {element(P::channelTtl, "60")}, R"({"ttl":60})"},
            {"a ttl that does not convert replaces an earlier one",
             {element(P::channelTtl, "60"), element(P::channelTtl, " 60")},
             R"({})"},
            {"categories, one per element, with their domain",
             {element(P::channelCategory, "Tech", {{"domain", "dmoz"}}),
              element(P::channelCategory, "News")},
             R"({"categories":[{"attributes":{"domain":"dmoz"},"value":"Tech"},{"value":"News"}]})"},
            {"the first cloud wins",
             {start(P::channelCloud, {{"port", "80"}, {"protocol", "xml-rpc"}}),
              start(P::channelCloud, {{"port", "81"}})},
             R"({"cloud":{"attributes":{"port":80,"protocolSpecification":"xml-rpc"}}})"},
            {"a second image adds its texts to the first",
             {element(P::channelImage), element(P::channelImageUrl, "a.png"),
              element(P::channelImageWidth, "88"), element(P::channelImage),
              element(P::channelImageUrl, "b.png"), element(P::channelImageHeight, "31px")},
             R"({"image":{"url":"a.pngb.png","width":88}})"},
            {"image children without an image change nothing",
             {element(P::channelImageUrl, "a.png"), element(P::channelImageTitle, "t")},
             R"({})"},
            {"text input",
             {element(P::channelTextInput), element(P::channelTextInputTitle, "Search"),
              element(P::channelTextInputDescription, "d"), element(P::channelTextInputName, "q"),
              element(P::channelTextInputLink, "http://s")},
             R"({"textInput":{"title":"Search","description":"d","name":"q","link":"http://s"}})"},
            {"hours outside 0...23 are dropped, duplicates kept",
             {element(P::channelSkipHours), element(P::channelSkipHoursHour, "7"),
              element(P::channelSkipHoursHour, "24"), element(P::channelSkipHoursHour, "-1"),
              element(P::channelSkipHoursHour, "7"), element(P::channelSkipHoursHour, "0"),
              element(P::channelSkipHoursHour, "23"), element(P::channelSkipHoursHour, "12 ")},
             R"({"skipHours":[7,7,0,23]})"},
            {"an empty skip list exists",
             {element(P::channelSkipHours), element(P::channelSkipDays)},
             R"({"skipHours":[],"skipDays":[]})"},
            {"hours and days without their list change nothing",
             {element(P::channelSkipHoursHour, "7"), element(P::channelSkipDaysDay, "monday")},
             R"({})"},
            {"days in any letter case, but not padded",
             {element(P::channelSkipDays), element(P::channelSkipDaysDay, "Sunday"),
              element(P::channelSkipDaysDay, " sunday"), element(P::channelSkipDaysDay, "MONDAY")},
             R"({"skipDays":["sunday","monday"]})"},
        });
}

TEST(RSSMapping, Items) {
    expectScenarios<P>(
        detail::rssTable(),
        {
            {"item texts before any item change nothing",
             {element(P::channelItemTitle, "lost"), element(P::channelItemPubDate, "x"),
              start(P::channelItemEnclosure, {{"url", "u"}})},
             R"({})"},
            {"item rules act on the last item",
             {element(P::channelItem), element(P::channelItemTitle, "one"), element(P::channelItem),
              element(P::channelItemTitle, "two"), element(P::channelItemAuthor, "me")},
             R"({"items":[{"title":"one"},{"title":"two","author":"me"}]})"},
            {"an item date is trimmed; white space alone keeps the date",
             {element(P::channelItem),
              element(P::channelItemPubDate, "\n      Tue, 10 Jun 2003 04:00:00 GMT\n    "),
              element(P::channelItemPubDate, " \n\t ")},
             R"({"items":[{"pubDate":"2003-06-10T04:00:00Z"}]})"},
            {"an item date that does not convert empties the field",
             {element(P::channelItem), element(P::channelItemPubDate, "2003-06-10T04:00:00Z"),
              element(P::channelItemPubDate, "soon")},
             R"({"items":[{}]})"},
            {"the first enclosure wins; one without attributes has none",
             {element(P::channelItem), element(P::channelItemEnclosure),
              start(P::channelItemEnclosure, {{"url", "a.mp3"}}), element(P::channelItem),
              start(P::channelItemEnclosure,
                    {{"url", "b.mp3"}, {"length", "12345678901"}, {"type", "audio/mpeg"}})},
             R"({"items":[{"enclosure":{}},
                      {"enclosure":{"attributes":{"url":"b.mp3","length":12345678901,"type":"audio/mpeg"}}}]})"},
            {"guid, source and categories keep attributes and text",
             {element(P::channelItem),
              element(P::channelItemGuid, "id-1", {{"isPermaLink", "false"}}),
              element(P::channelItemSource, "Other", {{"url", "http://o"}}),
              element(P::channelItemCategory, "a"),
              element(P::channelItemCategory, "b", {{"domain", "d"}}),
              element(P::channelItemComments, "http://c")},
             R"({"items":[{"categories":[{"value":"a"},{"attributes":{"domain":"d"},"value":"b"}],
                       "comments":"http://c",
                       "guid":{"attributes":{"isPermaLink":false},"value":"id-1"},
                       "source":{"attributes":{"url":"http://o"},"value":"Other"}}]})"},
            {"a second guid appends its text to the first",
             {element(P::channelItem), element(P::channelItemGuid, "a"),
              element(P::channelItemGuid, "b", {{"isPermaLink", "true"}})},
             R"({"items":[{"guid":{"value":"ab"}}]})"},
            {"content:encoded keeps the whole body",
             {element(P::channelItem),
              element(P::channelItemContentEncoded, "<p>Tom &amp; Jerry</p>\n<p>2</p>")},
             R"({"items":[{"content":{"contentEncoded":"<p>Tom &amp; Jerry</p>\n<p>2</p>"}}]})"},
            {"dc:creator goes to the item's Dublin Core, not to author",
             {element(P::channelItem), element(P::channelItemDcCreator, "Jane"),
              element(P::channelItemDcSubject, "a"), element(P::channelItemDcSubject, "b"),
              element(P::channelItemDcDate, "2003-06-10T04:00:00.12+02:00")},
             R"({"items":[{"dublinCore":{"dcCreator":"Jane","dcSubject":"ab",
                                      "dcDate":"2003-06-10T02:00:00.120Z"}}]})"},
        });
}

TEST(RSSMapping, ChannelNamespaces) {
    expectScenarios<P>(
        detail::rssTable(),
        {
            {"every Dublin Core element of the channel, by name",
             {element(P::channelDcTitle, "t"), element(P::channelDcCreator, "c"),
              element(P::channelDcSubject, "s"), element(P::channelDcDescription, "d"),
              element(P::channelDcPublisher, "p"), element(P::channelDcContributor, "co"),
              element(P::channelDcDate, "Tue, 10 Jun 2003 04:00:00 GMT"),
              element(P::channelDcType, "ty"), element(P::channelDcFormat, "f"),
              element(P::channelDcIdentifier, "i"), element(P::channelDcSource, "so"),
              element(P::channelDcLanguage, "l"), element(P::channelDcRelation, "r"),
              element(P::channelDcCoverage, "cv"), element(P::channelDcRights, "ri")},
             R"({"dublinCore":{"dcTitle":"t","dcCreator":"c","dcSubject":"s","dcDescription":"d",
             "dcPublisher":"p","dcContributor":"co","dcDate":"2003-06-10T04:00:00Z","dcType":"ty",
             "dcFormat":"f","dcIdentifier":"i","dcSource":"so","dcLanguage":"l","dcRelation":"r",
             "dcCoverage":"cv","dcRights":"ri"}})"},
            {"an element of a namespace creates it even when it fills nothing",
             {element(P::channelDcDate, "not a date"),
              element(P::channelSyUpdatePeriod, "sometimes")},
             R"({"dublinCore":{},"syndication":{}})"},
            {"syndication: period in any case, integer frequency, date base",
             {element(P::channelSyUpdatePeriod, "HOURLY"),
              element(P::channelSyUpdateFrequency, "2"),
              element(P::channelSyUpdateBase, "2000-01-01T12:00+00:00"),
              element(P::channelSyUpdateBase, "2000-01-01T12:00:00Z")},
             R"({"syndication":{"syUpdatePeriod":"hourly","syUpdateFrequency":2,
                            "syUpdateBase":"2000-01-01T12:00:00Z"}})"},
            {"a padded period or a fractional frequency empties the field",
             {element(P::channelSyUpdatePeriod, "daily"),
              element(P::channelSyUpdatePeriod, "hourly\n"),
              element(P::channelSyUpdateFrequency, "2"),
              element(P::channelSyUpdateFrequency, "2.5")},
             R"({"syndication":{}})"},
        });
}

TEST(RSSMapping, ITunes) {
    expectScenarios<P>(
        detail::rssTable(),
        {
            {"the first iTunes element creates the channel's namespace",
             {element(P::channelITunesType, "episodic"), element(P::channelITunesExplicit, "true")},
             R"({"iTunes":{"iTunesExplicit":"true","iTunesType":"episodic"}})"},
            {"categories with a subcategory; the last nested one wins",
             {start(P::channelITunesCategory, {{"text", "Technology"}}),
              start(P::channelITunesSubcategory, {{"text", "Gadgets"}}),
              start(P::channelITunesSubcategory, {{"text", "Podcasting"}}),
              start(P::channelITunesCategory, {{"text", "News"}})},
             R"({"iTunes":{"iTunesCategories":[
               {"attributes":{"text":"Technology"},"subcategory":{"attributes":{"text":"Podcasting"}}},
               {"attributes":{"text":"News"}}]}})"},
            {"a subcategory without a category creates only the namespace",
             {start(P::channelITunesSubcategory, {{"text", "Orphan"}})},
             R"({"iTunes":{}})"},
            {"the last image wins, even one without attributes",
             {start(P::channelITunesImage, {{"href", "a.jpg"}}),
              start(P::channelITunesImage, {{"href", "b.jpg"}})},
             R"({"iTunes":{"iTunesImage":{"attributes":{"href":"b.jpg"}}}})"},
            {"an image without attributes",
             {start(P::channelITunesImage, {{"href", "a.jpg"}}), element(P::channelITunesImage)},
             R"({"iTunes":{"iTunesImage":{}}})"},
            {"the owner is created once and collects its texts",
             {element(P::channelITunesOwner), element(P::channelITunesOwnerName, "Jane"),
              element(P::channelITunesOwner), element(P::channelITunesOwnerEmail, "j@e.com")},
             R"({"iTunes":{"iTunesOwner":{"email":"j@e.com","name":"Jane"}}})"},
            {"owner texts without an owner",
             {element(P::channelITunesOwnerName, "Jane")},
             R"({"iTunes":{}})"},
            {"channel texts",
             {element(P::channelITunesAuthor, "a"), element(P::channelITunesBlock, "no"),
              element(P::channelITunesComplete, "yes"),
              element(P::channelITunesNewFeedUrl, "http://n"), element(P::channelITunesTitle, "t"),
              element(P::channelITunesSubtitle, "s"), element(P::channelITunesSummary, "su"),
              element(P::channelITunesKeywords, "a,b")},
             R"({"iTunes":{"iTunesAuthor":"a","iTunesBlock":"no","iTunesComplete":"yes",
             "iTunesNewFeedURL":"http://n","iTunesTitle":"t","iTunesSubtitle":"s",
             "iTunesSummary":"su","iTunesKeywords":"a,b"}})"},
            {"items keep their own namespace, separate from the channel's",
             {element(P::channelITunesAuthor, "channel"), element(P::channelItem),
              element(P::channelItemITunesDuration, "1:02:03"), element(P::channelItem),
              element(P::channelItemITunesDuration, "45:30"),
              start(P::channelItemITunesImage, {{"href", "e.jpg"}})},
             R"({"items":[{"iTunes":{"iTunesDuration":3723.0}},
                      {"iTunes":{"iTunesImage":{"attributes":{"href":"e.jpg"}},"iTunesDuration":2730.0}}],
             "iTunes":{"iTunesAuthor":"channel"}})"},
            {"item numbers and durations that do not convert are empty",
             {element(P::channelItem), element(P::channelItemITunesDuration, "1h30m"),
              element(P::channelItemITunesSeason, " 2 "), element(P::channelItemITunesEpisode, "3"),
              element(P::channelItemITunesOrder, "-1")},
             R"({"items":[{"iTunes":{"iTunesOrder":-1,"iTunesEpisode":3}}]})"},
            {"item texts",
             {element(P::channelItem), element(P::channelItemITunesAuthor, "a"),
              element(P::channelItemITunesBlock, "b"),
              element(P::channelItemITunesExplicit, "clean"),
              element(P::channelItemITunesIsClosedCaptioned, "Yes"),
              element(P::channelItemITunesTitle, "t"), element(P::channelItemITunesSubtitle, "s"),
              element(P::channelItemITunesSummary, "su"),
              element(P::channelItemITunesKeywords, "k"),
              element(P::channelItemITunesEpisodeType, "full")},
             R"({"items":[{"iTunes":{"iTunesAuthor":"a","iTunesBlock":"b","iTunesExplicit":"clean",
             "isClosedCaptioned":"Yes","iTunesTitle":"t","iTunesSubtitle":"s","iTunesSummary":"su",
             "iTunesKeywords":"k","iTunesEpisodeType":"full"}}]})"},
        });
}

using R = RDFPath;

TEST(RDFMapping, Document) {
    expectScenarios<R>(
        detail::rdfTable(),
        {
            {"channel, items and their texts",
             {start(R::channel, {{"rdf:about", "http://e.com"}}), element(R::channelTitle, "News"),
              element(R::channelLink, "http://e.com"), element(R::channelDescription, "d"),
              element(R::channelItems), element(R::channelItemsSeq),
              element(R::channelItemsSeqLi, "x", {{"rdf:resource", "http://e.com/1"}}),
              start(R::item, {{"rdf:about", "http://e.com/1"}}), element(R::itemTitle, "One"),
              element(R::itemLink, "http://e.com/1"), element(R::itemDescription, "First"),
              element(R::itemDcCreator, "Jane"), element(R::itemDcDate, "2003-06-10T04:00:00Z"),
              element(R::itemContentEncoded, "<b>hi</b>")},
             R"({"title":"News","link":"http://e.com","description":"d",
             "items":[{"title":"One","link":"http://e.com/1","description":"First",
                       "dublinCore":{"dcCreator":"Jane","dcDate":"2003-06-10T04:00:00Z"},
                       "content":{"contentEncoded":"<b>hi</b>"}}]})"},
            {"the top-level image fills the channel image; the channel's pointer does not",
             {element(R::channelImage, "ignored", {{"rdf:resource", "http://e.com/i.png"}}),
              start(R::image, {{"rdf:about", "http://e.com/i.png"}}),
              element(R::imageTitle, "Logo"), element(R::imageUrl, "http://e.com/i.png"),
              element(R::imageLink, "http://e.com")},
             R"({"image":{"url":"http://e.com/i.png","title":"Logo","link":"http://e.com"}})"},
            {"image texts without the image element", {element(R::imageTitle, "Logo")}, R"({})"},
            {"channel namespaces",
             {element(R::channelSyUpdatePeriod, "Weekly"),
              element(R::channelSyUpdateFrequency, "1"),
              element(R::channelSyUpdateBase, "2000-01-01T12:00:00Z"),
              element(R::channelDcRights, "CC-BY"),
              element(R::channelDcDate, "2003-06-10T04:00:00Z")},
             R"({"dublinCore":{"dcDate":"2003-06-10T04:00:00Z","dcRights":"CC-BY"},
             "syndication":{"syUpdatePeriod":"weekly","syUpdateFrequency":1,
                            "syUpdateBase":"2000-01-01T12:00:00Z"}})"},
            {"item rows before any item change nothing",
             {element(R::itemTitle, "lost"), element(R::itemDcCreator, "x"),
              element(R::itemContentEncoded, "y")},
             R"({})"},
        });
}

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
             mapAttributes(feed, none, P::channelItem);
             mapAttributes(feed, enclosure, P::channelItemEnclosure);
             mapCharacters(feed, "Tom &", P::channelItemTitle);
             mapCharacters(feed, " Jerry", P::channelItemTitle);
             mapCharacters(feed, "60", P::channelTtl);
             mapAttributes(feed, enclosure, P::channel);
             mapCharacters(feed, "lost", P::rss);
             mapAttributes(feed, enclosure, static_cast<RSSPath>(rssPathCount));
             mapCharacters(feed, "lost", static_cast<RSSPath>(rssPathCount));
             return Feed(feed);
         },
         R"({"ttl":60,"items":[{"title":"Tom & Jerry",
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
