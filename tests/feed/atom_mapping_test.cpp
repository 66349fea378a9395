// Atom documents through the Atom path table. Media RSS below an entry is
// covered with the RSS item in media_mapping_test.cpp.

#include "attribute_list.hpp"

#include <syndra/atom_feed.hpp>
#include <syndra/paths.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace syndra {
namespace {

using Json = nlohmann::ordered_json;
using P = AtomPath;
using test::element;
using test::start;

struct Scenario {
    const char* name;
    std::vector<test::Element<AtomPath>> elements;
    const char* expected;
};

void expectScenarios(const std::vector<Scenario>& scenarios) {
    for (const auto& s : scenarios) {
        AtomFeed feed;
        test::play(feed, detail::atomTable(), s.elements);
        const Json actual = test::fieldsOf(Feed(feed));
        const Json expected = Json::parse(s.expected);
        EXPECT_EQ(actual, expected)
            << s.name << "\n  actual:   " << actual.dump() << "\n  expected: " << expected.dump();
    }
}

TEST(AtomMapping, Feed) {
    expectScenarios({
        {"texts run together untrimmed",
         {element(P::feed, "x"), element(P::title, "Example "), element(P::title, "Feed"),
          element(P::id, "urn:uuid:1"), element(P::icon, "i.png"), element(P::logo, "l.png"),
          element(P::rights, "\u00a9 2003")},
         R"({"title":"Example Feed","id":"urn:uuid:1","icon":"i.png","logo":"l.png",
             "rights":"\u00a9 2003"})"},
        {"the first subtitle and generator keep their attributes; texts append",
         {element(P::subtitle, "one", {{"type", "text"}}),
          element(P::subtitle, " two", {{"type", "html"}}),
          element(P::generator, "Gen", {{"uri", "http://g"}, {"version", "1.0"}}),
          element(P::generator, "!")},
         R"({"subtitle":{"attributes":{"type":"text"},"value":"one two"},
             "generator":{"attributes":{"uri":"http://g","version":"1.0"},"value":"Gen!"}})"},
        {"xml:lang and xml:base on feed-level elements are ignored",
         {start(P::feed, {{"xml:lang", "en"}}), element(P::title, "T", {{"xml:lang", "en"}}),
          element(P::subtitle, "s", {{"xml:base", "http://b/"}, {"type", "text"}}),
          element(P::generator, "G", {{"xml:lang", "en"}}),
          start(P::category, {{"term", "t"}, {"xml:lang", "en"}}),
          element(P::author, std::nullopt, {{"xml:base", "http://b/"}}),
          element(P::authorUri, "me", {{"xml:base", "http://b/"}})},
         R"({"title":"T","subtitle":{"attributes":{"type":"text"},"value":"s"},
             "categories":[{"attributes":{"term":"t"}}],"authors":[{"uri":"me"}],
             "generator":{"attributes":{},"value":"G"}})"},
        {"links and categories, one per element",
         {element(P::link), start(P::link, {{"rel", "self"}, {"length", "+42"}}),
          start(P::link, {{"hrefx", "h"}}), start(P::category, {{"term", "t"}, {"label", "T"}})},
         R"({"links":[{},{"attributes":{"rel":"self","length":42}},{"attributes":{}}],
             "categories":[{"attributes":{"term":"t","label":"T"}}]})"},
        {"a date converts with white space around it; a bad one empties it",
         {element(P::updated, " 2003-12-13T18:30:02Z\n")},
         R"({"updated":"2003-12-13T18:30:02Z"})"},
        {"a later date that does not convert",
         {element(P::updated, "2003-12-13T18:30:02Z"), element(P::updated, "13/12/2003")},
         R"({})"},
        {"persons collect texts in the current one",
         {element(P::author), element(P::authorName, "Jane"), element(P::authorEmail, "j@e"),
          element(P::authorUri, "http://j"), element(P::author), element(P::authorName, "Joe"),
          element(P::contributor), element(P::contributorName, "Ann"),
          element(P::contributorEmail, "a@e"), element(P::contributorUri, "http://a")},
         R"({"authors":[{"name":"Jane","email":"j@e","uri":"http://j"},{"name":"Joe"}],
             "contributors":[{"name":"Ann","email":"a@e","uri":"http://a"}]})"},
        {"person texts without a person",
         {element(P::authorName, "Jane"), element(P::contributorUri, "u")},
         R"({})"},
    });
}

TEST(AtomMapping, Entries) {
    expectScenarios({
        {"an empty entry has all fields empty",
         {element(P::entry, "text directly inside is ignored")},
         R"({"entries":[{}]})"},
        {"entry rows before any entry change nothing",
         {element(P::entryTitle, "t"), start(P::entryLink, {{"href", "h"}}),
          element(P::entrySource), element(P::entrySourceId, "s"), element(P::entryAuthor),
          element(P::entryAuthorName, "n")},
         R"({})"},
        {"every entry field",
         {element(P::entry),
          element(P::entryTitle, "Atom-Powered Robots"),
          element(P::entrySummary, "Some text.", {{"type", "text"}}),
          element(P::entryAuthor),
          element(P::entryAuthorName, "John"),
          element(P::entryAuthorEmail, "j@e"),
          element(P::entryAuthorUri, "http://j"),
          element(P::entryContributor),
          element(P::entryContributorName, "Ann"),
          element(P::entryContributorEmail, "a@e"),
          element(P::entryContributorUri, "http://a"),
          start(P::entryLink, {{"href", "http://e/1"}, {"rel", "alternate"}, {"length", "12 "}}),
          element(P::entryUpdated, "2003-12-13T18:30:02Z"),
          start(P::entryCategory, {{"term", "robots"}, {"scheme", "s"}}),
          element(P::entryId, "urn:uuid:2"),
          element(P::entryContent, "<p>hi</p>", {{"type", "html"}, {"src", "http://c"}}),
          element(P::entryPublished, "2003-12-13T08:29:29-04:00"),
          element(P::entrySource),
          element(P::entrySourceId, "urn:s"),
          element(P::entrySourceTitle, "Src"),
          element(P::entrySourceUpdated, "2003-12-13T18:30:02Z"),
          element(P::entryRights, "mine")},
         R"({"entries":[{"title":"Atom-Powered Robots",
             "summary":{"attributes":{"type":"text"},"value":"Some text."},
             "authors":[{"name":"John","email":"j@e","uri":"http://j"}],
             "contributors":[{"name":"Ann","email":"a@e","uri":"http://a"}],
             "links":[{"attributes":{"href":"http://e/1","rel":"alternate"}}],
             "updated":"2003-12-13T18:30:02Z",
             "categories":[{"attributes":{"term":"robots","scheme":"s"}}],
             "id":"urn:uuid:2",
             "content":{"attributes":{"type":"html","src":"http://c"},"value":"<p>hi</p>"},
             "published":"2003-12-13T12:29:29Z",
             "source":{"id":"urn:s","title":"Src","updated":"2003-12-13T18:30:02Z"},
             "rights":"mine"}]})"},
        {"entry rules act on the last entry; the first source wins",
         {element(P::entry), element(P::entryTitle, "one"), element(P::entry),
          element(P::entrySource), element(P::entrySourceTitle, "a"), element(P::entrySource),
          element(P::entrySourceTitle, "b")},
         R"({"entries":[{"title":"one"},{"source":{"title":"ab"}}]})"},
        {"an entry with only media:comments has an empty comments list",
         {element(P::entry), element(P::entryMediaComments)},
         R"({"entries":[{"media":{"mediaComments":[]}}]})"},
        {"xml:lang and xml:base are no attribute field: ignored, though they make the "
         "attributes exist; media \"lang\" is not \"xml:lang\"",
         {start(P::feed, {{"xml:lang", "en"}, {"xml:base", "http://e/"}}),
          start(P::entry, {{"xml:lang", "de"}}),
          start(P::entryLink,
                {{"xml:base", "http://b/"}, {"href", "1"}, {"xml:lang", "fr"}, {"hreflang", "fr"}}),
          element(P::entrySummary, "s", {{"xml:lang", "en"}}),
          element(P::entryContent, "c", {{"xml:base", "http://b/"}, {"type", "html"}}),
          start(P::entryMediaContent, {{"url", "a.mp4"}, {"xml:lang", "en"}, {"lang", "de"}}),
          start(P::entryMediaContent, {{"url", "b.mp4"}, {"xml:lang", "en"}}),
          start(P::entryMediaSubTitle, {{"xml:lang", "en"}})},
         R"({"entries":[{"summary":{"attributes":{},"value":"s"},
             "links":[{"attributes":{"href":"1","hreflang":"fr"}}],
             "content":{"attributes":{"type":"html"},"value":"c"},
             "media":{"mediaContents":[{"attributes":{"url":"a.mp4","lang":"de"}},
                                       {"attributes":{"url":"b.mp4"}}],
                      "mediaSubTitle":{"attributes":{}}}}]})"},
    });
}

TEST(AtomMapping, EntriesDifferInMediaAndPersons) {
    const auto entry = [](const char* thumbnail, const char* email) {
        AtomFeed feed;
        test::play(
            feed, detail::atomTable(),
            std::vector<test::Element<AtomPath>>{
                element(P::entry), element(P::entryAuthor), element(P::entryAuthorEmail, email),
                start(P::entryMediaThumbnail, {{"url", thumbnail}})});
        return feed.entries->front();
    };
    EXPECT_EQ(entry("a.jpg", "j@e"), entry("a.jpg", "j@e"));
    EXPECT_NE(entry("a.jpg", "j@e"), entry("b.jpg", "j@e"));
    EXPECT_NE(entry("a.jpg", "j@e"), entry("a.jpg", "k@e"));
}

}  // namespace
}  // namespace syndra
