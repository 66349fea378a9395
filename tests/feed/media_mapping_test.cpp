// Media RSS elements read the same way below an RSS item and below an Atom
// entry; only the children of "media:content" are read in RSS items alone.
// Every scenario runs through both owners' tables, looked up by path text as
// the XML walk does.

#include "attribute_list.hpp"

#include <syndra/atom_feed.hpp>
#include <syndra/paths.hpp>
#include <syndra/rss_feed.hpp>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace syndra {
namespace {

using Json = nlohmann::ordered_json;

/// A media element by its path below the owner.
struct MediaElement {
    std::string suffix;
    std::optional<std::string> text;
    test::Pairs attributes;
};

MediaElement element(std::string suffix, std::optional<std::string> text = std::nullopt,
                     test::Pairs attributes = {}) {
    return {std::move(suffix), std::move(text), std::move(attributes)};
}

MediaElement start(std::string suffix, test::Pairs attributes) {
    return {std::move(suffix), std::nullopt, std::move(attributes)};
}

struct Scenario {
    const char* name;
    std::vector<MediaElement> elements;
    /// The owner's "media" in the dump's form; "null" for none.
    const char* expected;
    /// Where an Atom entry ends differently (the children of media:content).
    const char* expectedInAtom = nullptr;
};

struct RSSItem {
    using Model = RSSFeed;
    static constexpr const char* name = "RSS item";
    static constexpr std::string_view prefix = "/rss/channel/item/";
    static std::span<const detail::PathRule<Model>> table() { return detail::rssTable(); }
    static std::optional<std::size_t> row(std::string_view path) {
        const auto found = rssPath(path);
        return found ? std::optional<std::size_t>(static_cast<std::size_t>(*found)) : std::nullopt;
    }
    static constexpr auto owner = RSSPath::channelItem;
    static Json media(const Json& feed) {
        return feed.contains("items") ? feed["items"][0].value("media", Json()) : Json("no item");
    }
};

struct AtomEntry {
    using Model = AtomFeed;
    static constexpr const char* name = "Atom entry";
    static constexpr std::string_view prefix = "/feed/entry/";
    static std::span<const detail::PathRule<Model>> table() { return detail::atomTable(); }
    static std::optional<std::size_t> row(std::string_view path) {
        const auto found = atomPath(path);
        return found ? std::optional<std::size_t>(static_cast<std::size_t>(*found)) : std::nullopt;
    }
    static constexpr auto owner = AtomPath::entry;
    static Json media(const Json& feed) {
        return feed.contains("entries") ? feed["entries"][0].value("media", Json())
                                        : Json("no entry");
    }
};

template <class Owner>
void play(typename Owner::Model& model, const std::vector<MediaElement>& elements) {
    const auto table = Owner::table();
    for (const auto& e : elements) {
        // Paths outside the table are ignored, as the walk ignores them.
        const auto row = Owner::row(std::string(Owner::prefix) + e.suffix);
        if (!row) continue;
        const test::AttributeList attributes(e.attributes);
        if (table[*row].start != nullptr) table[*row].start(model, attributes);
        if (table[*row].text != nullptr && e.text) table[*row].text(model, *e.text);
    }
}

template <class Owner>
void expectScenarios(const std::vector<Scenario>& scenarios) {
    for (const auto& s : scenarios) {
        typename Owner::Model model;
        Owner::table()[static_cast<std::size_t>(Owner::owner)].start(model, test::AttributeList());
        play<Owner>(model, s.elements);
        const Json actual = Owner::media(test::fieldsOf(Feed(model)));
        const bool atom = std::is_same_v<Owner, AtomEntry>;
        const Json expected =
            Json::parse(atom && s.expectedInAtom != nullptr ? s.expectedInAtom : s.expected);
        EXPECT_EQ(actual, expected)
            << Owner::name << ": " << s.name << "\n  actual:   " << actual.dump()
            << "\n  expected: " << expected.dump();
    }
}

void expectBothOwners(const std::vector<Scenario>& scenarios) {
    expectScenarios<RSSItem>(scenarios);
    expectScenarios<AtomEntry>(scenarios);
}

TEST(MediaMapping, ThumbnailsAndContents) {
    expectBothOwners({
        {"thumbnails keep their attributes, sizes as text, and their text",
         {element("media:thumbnail", "first", {{"url", "a.jpg"}, {"width", "100px"}}),
          start("media:thumbnail", {{"url", "b.jpg"}, {"time", "12:05:01.123"}})},
         R"({"mediaThumbnails":[{"attributes":{"url":"a.jpg","width":"100px"},"value":"first"},
                                {"attributes":{"url":"b.jpg","time":"12:05:01.123"}}]})"},
        {"a content's text is not kept",
         {element("media:content", "ignored", {{"url", "a.mp3"}, {"type", "audio/mpeg"}}),
          element("media:content", "ignored")},
         R"({"mediaContents":[{"attributes":{"url":"a.mp3","type":"audio/mpeg"}},{}]})"},
        {"the children of a content fill the last content",
         {start("media:content", {{"url", "a.mp4"}}), start("media:content", {{"url", "b.mp4"}}),
          element("media:content/media:title", "Title", {{"type", "plain"}}),
          element("media:content/media:title", " again", {{"type", "html"}}),
          element("media:content/media:description", "About"),
          element("media:content/media:player", "p", {{"url", "p.html"}, {"width", "100px"}}),
          element("media:content/media:thumbnail", "t1", {{"url", "t1.jpg"}}),
          element("media:content/media:thumbnail", "t2"),
          element("media:content/media:keywords", "a, b,,c\n"),
          element("media:content/media:keywords", "d"),
          element("media:content/media:category", "Music", {{"scheme", "urn:x"}})},
         R"({"mediaContents":[{"attributes":{"url":"a.mp4"}},
              {"mediaTitle":{"attributes":{"type":"plain"},"value":"Title again"},
               "mediaDescription":{"value":"About"},
               "mediaPlayer":{"attributes":{"url":"p.html"},"value":"p"},
               "mediaThumbnails":[{"attributes":{"url":"t1.jpg"},"value":"t1"},{"value":"t2"}],
               "mediaKeywords":["a","b","","c","d"],
               "mediaCategory":{"attributes":{"scheme":"urn:x"},"value":"Music"},
               "attributes":{"url":"b.mp4"}}]})",
         R"({"mediaContents":[{"attributes":{"url":"a.mp4"}},{"attributes":{"url":"b.mp4"}}]})"},
        {"content children without a content",
         {element("media:content/media:title", "lost"),
          element("media:content/media:keywords", "k")},
         R"({})",
         "null"},
        {"an empty keywords text adds nothing",
         {start("media:content", {{"url", "a"}}), element("media:content/media:keywords", ""),
          element("media:content/media:keywords")},
         R"({"mediaContents":[{"mediaKeywords":[],"attributes":{"url":"a"}}]})",
         R"({"mediaContents":[{"attributes":{"url":"a"}}]})"},
    });
}

TEST(MediaMapping, Community) {
    expectBothOwners({
        {"rating, statistics and weighted tags",
         {element("media:community"),
          start("media:community/media:starRating", {{"average", "4.5"}, {"count", "10"}}),
          start("media:community/media:starRating", {{"average", "1"}}),
          start("media:community/media:statistics", {{"views", "5"}, {"favorites", "many"}}),
          element("media:community/media:tags", "a:1, b ,c:x, d:e:3,")},
         R"({"mediaCommunity":{"mediaStarRating":{"attributes":{"average":4.5,"count":10}},
              "mediaStatistics":{"attributes":{"views":5}},
              "mediaTags":[{"tag":"a","weight":1},{"tag":"b"},{"tag":"c"},{"tag":"d","weight":3},
                           {"tag":""}]}})"},
        {"a later tags text replaces the tags",
         {element("media:community"), element("media:community/media:tags", "a:1, b:2"),
          element("media:community/media:tags", "z")},
         R"({"mediaCommunity":{"mediaTags":[{"tag":"z"}]}})"},
        {"community children without a community create only the namespace",
         {start("media:community/media:starRating", {{"average", "4"}}),
          element("media:community/media:tags", "a")},
         R"({})"},
    });
}

TEST(MediaMapping, TextLists) {
    expectBothOwners({
        {"each comment, response and back link is one element, whole",
         {element("media:comments"), element("media:comments/media:comment", "Tom & Jerry, again"),
          element("media:comments/media:comment", "Second"), element("media:responses"),
          element("media:responses/media:response", "http://r"), element("media:backLinks"),
          element("media:backLinks/media:backLink", "http://b1"),
          element("media:backLinks/media:backLink", "http://b2")},
         R"({"mediaComments":["Tom & Jerry, again","Second"],"mediaResponses":["http://r"],
             "mediaBackLinks":["http://b1","http://b2"]})"},
        {"a comments element alone gives an empty list",
         {element("media:comments")},
         R"({"mediaComments":[]})"},
        {"a comment outside its list creates the namespace and nothing else",
         {element("media:comments/media:comment", "lost")},
         R"({})"},
    });
}

TEST(MediaMapping, SingleElements) {
    expectBothOwners({
        {"the first of each wins, later texts append to it",
         {element("media:license", "CC", {{"type", "text/html"}, {"href", "http://cc"}}),
          element("media:license", "-BY", {{"href", "http://other"}}),
          start("media:status", {{"state", "active"}}),
          start("media:status", {{"state", "blocked"}}),
          element("media:restriction", "fr us", {{"relationship", "allow"}, {"type", "country"}}),
          start("media:subTitle", {{"lang", "en"}, {"href", "s.srt"}}),
          element("media:peerLink", "not kept", {{"type", "application/x-bittorrent"}})},
         R"({"mediaRestriction":{"attributes":{"relationship":"allow","type":"country"},"value":"fr us"},
             "mediaStatus":{"attributes":{"state":"active"}},
             "mediaLicense":{"attributes":{"type":"text/html","href":"http://cc"},"value":"CC-BY"},
             "mediaSubTitle":{"attributes":{"lang":"en","href":"s.srt"}},
             "mediaPeerLink":{"attributes":{"type":"application/x-bittorrent"}}})"},
        {"prices: one per element, text not kept",
         {element("media:price", "9", {{"type", "rent"}, {"price", "1.5"}, {"currency", "EUR"}}),
          element("media:price", "free")},
         R"({"mediaPrices":[{"attributes":{"type":"rent","price":1.5,"currency":"EUR"}},{}]})"},
        {"embed with its parameters",
         {start("media:embed", {{"url", "e.swf"}, {"width", "640"}, {"height", "100px"}}),
          element("media:embed/media:param", "true", {{"name", "autoplay"}}),
          element("media:embed/media:param", "1")},
         R"({"mediaEmbed":{"attributes":{"url":"e.swf","width":640},
              "mediaParams":[{"attributes":{"name":"autoplay"},"value":"true"},{"value":"1"}]}})"},
    });
}

TEST(MediaMapping, Location) {
    const auto located = [](const char* position) {
        return std::vector<MediaElement>{
            start("media:location", {{"description", "Paris"}, {"start", "1:30"}}),
            element("media:location/georss:where/gml:Point/gml:pos", position)};
    };
    expectBothOwners({
        {"two numbers, one space", located("45.256 -71.92"),
         R"({"mediaLocation":{"attributes":{"description":"Paris","start":90.0},
             "latitude":45.256,"longitude":-71.92}})"},
        {"a part that does not convert is empty", located("12.5 north"),
         R"({"mediaLocation":{"attributes":{"description":"Paris","start":90.0},"latitude":12.5}})"},
        {"two spaces", located("1  2"),
         R"({"mediaLocation":{"attributes":{"description":"Paris","start":90.0}}})"},
        {"a leading space", located(" 1 2"),
         R"({"mediaLocation":{"attributes":{"description":"Paris","start":90.0}}})"},
        {"a comma", located("1,2"),
         R"({"mediaLocation":{"attributes":{"description":"Paris","start":90.0}}})"},
        {"no location", {element("media:location/georss:where/gml:Point/gml:pos", "1 2")}, R"({})"},
    });
}

TEST(MediaMapping, Scenes) {
    expectBothOwners({
        {"scene children fill the last scene",
         {element("media:scenes"), element("media:scenes/media:scene"),
          element("media:scenes/media:scene/sceneTitle", "Intro"),
          element("media:scenes/media:scene/sceneDescription", "Hello"),
          element("media:scenes/media:scene/sceneStartTime", "0:00"),
          element("media:scenes/media:scene/sceneEndTime", "1:02:03"),
          element("media:scenes/media:scene"),
          element("media:scenes/media:scene/sceneStartTime", "1:02:03"),
          element("media:scenes/media:scene/sceneStartTime", "later")},
         R"({"mediaScenes":[{"sceneTitle":"Intro","sceneDescription":"Hello","sceneStartTime":0.0,
                             "sceneEndTime":3723.0},{}]})"},
        {"scene children alone do not create the namespace",
         {element("media:scenes/media:scene/sceneTitle", "Intro")},
         "null"},
    });
}

TEST(MediaMapping, Groups) {
    expectBothOwners({
        {"a second group adds nothing; its children fill the first",
         {element("media:group"), element("media:group/media:credit", "Jane", {{"role", "host"}}),
          element("media:group/media:category", "Talk", {{"scheme", "s"}}),
          element("media:group/media:rating", "adult", {{"scheme", "urn:simple"}}),
          start("media:group/media:content", {{"url", "hi.mp4"}, {"height", "1080"}}),
          element("media:group"), element("media:group/media:credit", "Joe"),
          element("media:group/media:category", "!", {{"scheme", "other"}}),
          start("media:group/media:content", {{"url", "lo.mp4"}})},
         R"({"mediaGroup":{
              "mediaContents":[{"attributes":{"url":"hi.mp4","height":1080}},{"attributes":{"url":"lo.mp4"}}],
              "mediaCredits":[{"attributes":{"role":"host"},"value":"Jane"},{"value":"Joe"}],
              "mediaCategory":{"attributes":{"scheme":"s"},"value":"Talk!"},
              "mediaRating":{"attributes":{"scheme":"urn:simple"},"value":"adult"}}})"},
        {"contents of a group are not the item's contents, and the reverse",
         {element("media:group"), start("media:group/media:content", {{"url", "g"}}),
          element("media:content/media:title", "t")},
         R"({"mediaGroup":{"mediaContents":[{"attributes":{"url":"g"}}]}})"},
        {"group children without a group", {element("media:group/media:credit", "Jane")}, R"({})"},
    });
}

TEST(MediaMapping, NothingWithoutAnOwner) {
    RSSFeed rss;
    play<RSSItem>(rss, {start("media:content", {{"url", "a"}}), element("media:comments")});
    EXPECT_EQ(rss, RSSFeed{});
    AtomFeed atom;
    play<AtomEntry>(atom, {start("media:content", {{"url", "a"}}), element("media:comments")});
    EXPECT_EQ(atom, AtomFeed{});
}

}  // namespace
}  // namespace syndra
