#include "walk_test_model.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <random>

namespace syndra::testing {
namespace {

using Events = std::vector<std::string>;

struct WalkCase {
    const char* name;
    std::string document;
    std::size_t outcomeIndex;  // 0 error, 1 RSS/RDF, 2 Atom
    Events events;             // for a success
    std::string error;         // for a failure: the description
};

void PrintTo(const WalkCase& c, std::ostream* os) {
    *os << c.name;
}

class WalkTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(WalkTest, ProducesTheExpectedOutcome) {
    const WalkCase& c = GetParam();
    const WalkOutcome outcome = walkDocument(c.document);
    ASSERT_EQ(outcome.index(), c.outcomeIndex) << errorOf(outcome);
    if (c.outcomeIndex == 0) {
        EXPECT_EQ(errorOf(outcome), c.error);
    } else {
        EXPECT_EQ(eventsOf(outcome), c.events);
    }
}

const WalkCase kWalkCases[] = {
    {"RssPathsAndAttributes",
     "<rss version='2.0'><channel><title>Show</title><item><title>One</title>"
     "<enclosure url='a.mp3' length='3'/><unknown>x</unknown></item></channel></rss>",
     1,
     {"<"
      "/rss/channel",
      "<"
      "/rss/channel/title",
      "/rss/channel/title=Show",
      "<"
      "/rss/channel/item",
      "<"
      "/rss/channel/item/title",
      "/rss/channel/item/title=One",
      "<"
      "/rss/channel/item/enclosure url=a.mp3 length=3"},
     ""},
    {"PrefixedNamesMatchAsWritten",
     "<rss xmlns:itunes='u'><channel><item><itunes:duration>1:00</itunes:duration>"
     "<i:duration xmlns:i='u'>2:00</i:duration></item></channel></rss>",
     1,
     {"<"
      "/rss/channel",
      "<"
      "/rss/channel/item",
      "<"
      "/rss/channel/item/itunes:duration",
      "/rss/channel/item/itunes:duration=1:00"},
     ""},
    {"IntermediateElementsOfLongPaths",
     "<rss><channel><item><media:group><media:content>v</media:content></media:group>"
     "<media:content>w</media:content></item></channel></rss>",
     1,
     {"<"
      "/rss/channel",
      "<"
      "/rss/channel/item",
      "<"
      "/rss/channel/item/media:group/media:content",
      "/rss/channel/item/media:group/media:content=v"},
     ""},
    // Once a child has closed, the parent's remaining text is not mapped.
    {"TextAfterAClosedChildIsNotMapped",
     "<rss><channel><item>lead<title>T</title>tail</item></channel></rss>",
     1,
     {"<"
      "/rss/channel",
      "<"
      "/rss/channel/item",
      "/rss/channel/item=lead",
      "<"
      "/rss/channel/item/title",
      "/rss/channel/item/title=T"},
     ""},
    {"WhitespaceBetweenSiblingsIsNotMapped",
     "<rss>\n <channel>\n  <item>\n   <title>T</title>\n  </item>\n </channel>\n</rss>",
     1,
     {"<"
      "/rss/channel",
      "/rss/channel=\n  ",
      "<"
      "/rss/channel/item",
      "/rss/channel/item=\n   ",
      "<"
      "/rss/channel/item/title",
      "/rss/channel/item/title=T"},
     ""},
    {"TextIsJoinedAcrossEntitiesAndCdata",
     "<rss><channel><title>A &amp; B<![CDATA[ <c> ]]>&#233;\r\nz</title></channel></rss>",
     1,
     {"<"
      "/rss/channel",
      "<"
      "/rss/channel/title",
      "/rss/channel/title=A & B <c> \xC3\xA9\nz"},
     ""},
    {"AnEmptyCdataSectionIsText",
     "<rss><channel><title><![CDATA[]]></title></channel></rss>",
     1,
     {"<"
      "/rss/channel",
      "<"
      "/rss/channel/title",
      "/rss/channel/title="},
     ""},
    {"RdfRoot",
     "<rdf:RDF><item><title>R</title></item></rdf:RDF>",
     1,
     {"<"
      "/rdf:RDF/item",
      "<"
      "/rdf:RDF/item/title",
      "/rdf:RDF/item/title=R"},
     ""},
    {"AtomRoot",
     "<feed><title>F</title><entry><title>E</title></entry></feed>",
     2,
     {"<"
      "/feed/title",
      "/feed/title=F",
      "<"
      "/feed/entry",
      "<"
      "/feed/entry/title",
      "/feed/entry/title=E"},
     ""},
    // The kind is recognised at any depth, but every path then starts with
    // the outer name, so nothing maps.
    {"RootNestedInAnUnknownElement",
     "<x><rss><channel><title>T</title></channel></rss></x>",
     1,
     {},
     ""},
    {"NothingAfterTheRootIsRead",
     "<rss><channel><title>T</title></channel></rss><rss><oops></rss>junk",
     1,
     {"<"
      "/rss/channel",
      "<"
      "/rss/channel/title",
      "/rss/channel/title=T"},
     ""},
    {"RootNamesAreCaseSensitive", "<RSS><channel/></RSS>", 0, {}, "Feed not found"},
    {"UnknownRoot", "<html><body/></html>", 0, {}, "Feed not found"},
    {"EmptyRssRoot",
     "<rss version='2.0'/>",
     0,
     {},
     "Internal unresolved error: Unable to initialize rss feed model"},
    {"EmptyAtomRoot",
     "<feed></feed>",
     0,
     {},
     "Internal unresolved error: Unable to initialize atom feed model"},
    {"MalformedDocument",
     "<rss>\n<channel>\n<ti tle>x</title>",
     0,
     {},
     "Internal unresolved error: not well-formed (invalid token) at line 3, column 8"},
    {"TruncatedDocument",
     "<rss><channel><title>abc",
     0,
     {},
     "Internal unresolved error: no element found at line 1, column 25"},
    {"TruncatedInsideATag",
     "<rss><channel><tit",
     0,
     {},
     "Internal unresolved error: unclosed token at line 1, column 15"},
    {"EmptyDocument", "", 0, {}, "Internal unresolved error: no element found at line 1, column 1"},
    {"CdataThatIsNotUtf8",
     "<rss><channel><title><![CDATA[fine \xC3\xA9]]></title><description><![CDATA[ab\xFF\xFE]]>"
     "</description></channel></rss>",
     0,
     {},
     "Internal unresolved error: `CDATAblock` encoding error"},
    {"CdataCutInsideACharacter",
     "<rss><channel><description><![CDATA[ab\xE2\x82]]></description></channel></rss>",
     0,
     {},
     "Internal unresolved error: `CDATAblock` encoding error"},
    // Well-formed UTF-8 that XML forbids is the document's fault, not the section's.
    {"CdataWithAControlCharacter",
     "<rss><channel><description><![CDATA[ab\x01]]></description></channel></rss>",
     0,
     {},
     "Internal unresolved error: not well-formed (invalid token) at line 1, column 39"},
    {"TextThatIsNotUtf8",
     "<rss><channel><description>ab\xFF</description></channel></rss>",
     0,
     {},
     "Internal unresolved error: not well-formed (invalid token) at line 1, column 30"},
};

INSTANTIATE_TEST_SUITE_P(Documents, WalkTest, ::testing::ValuesIn(kWalkCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- events driven by hand, for what a well-formed reader never produces

TEST(WalkEvents, InvalidUtf8InCdataStopsWithTheCdataError) {
    detail::XmlWalk<WalkModel, WalkModel> walk(walkIndex(), walkTables());
    using Flow = detail::XmlEventSink::Flow;
    EXPECT_EQ(walk.startElement("rss", {}), Flow::proceed);
    EXPECT_EQ(walk.startElement("channel", {}), Flow::proceed);
    EXPECT_EQ(walk.startElement("title", {}), Flow::proceed);
    EXPECT_EQ(walk.cdata("ok \xC3\xA9"), Flow::proceed);
    EXPECT_EQ(walk.endElement(), Flow::proceed);
    EXPECT_EQ(walk.startElement("it em", {}), Flow::proceed);
    EXPECT_EQ(walk.cdata("bad \xC3\x28"), Flow::stop);
    // An error the reader reports afterwards does not replace it.
    walk.error("parsing stopped", ErrorKind::syntax);
    ASSERT_TRUE(walk.storedError().has_value());
    EXPECT_EQ(walk.storedError()->errorCase(), ParserError::Case::feedCDATABlockEncodingError);
    EXPECT_EQ(walk.storedError()->path(), "/rss/channel/it%20em");
    const WalkOutcome outcome = std::move(walk).finish();
    EXPECT_EQ(errorOf(outcome), "Internal unresolved error: `CDATAblock` encoding error");
}

TEST(WalkEvents, ErrorsAfterTheRootClosedAreDropped) {
    detail::XmlWalk<WalkModel, WalkModel> walk(walkIndex(), walkTables());
    walk.startElement("feed", {});
    walk.startElement("title", {});
    walk.endElement();
    EXPECT_EQ(walk.endElement(), detail::XmlEventSink::Flow::stop);
    EXPECT_TRUE(walk.parseComplete());
    walk.error("junk after document element", ErrorKind::syntax);
    EXPECT_EQ(std::move(walk).finish().index(), 2u);
}

TEST(WalkEvents, PathTextKeepsTheTrailingSlashOfAClosedChild) {
    detail::XmlWalk<WalkModel, WalkModel> walk(walkIndex(), walkTables());
    walk.startElement("rss", {});
    walk.startElement("channel", {});
    walk.startElement("title", {});
    EXPECT_EQ(walk.currentPathText(), "/rss/channel/title");
    walk.endElement();
    EXPECT_EQ(walk.currentPathText(), "/rss/channel/");
    walk.startElement("item", {});
    EXPECT_EQ(walk.currentPathText(), "/rss/channel/item");
}

TEST(Utf8Validation, RejectsEveryMalformedShape) {
    const std::pair<std::string_view, bool> cases[] = {
        {"plain", true},
        {"\xC3\xA9", true},
        {"\xEF\xBF\xBD", true},
        {"\xF0\x9F\x8E\xA7", true},
        {"\xC3", false},
        {"\xC0\xAF", false},
        {"\xE0\x80\xAF", false},
        {"\xED\xA0\x80", false},
        {"\xF4\x90\x80\x80", false},
        {"\x80", false},
        {"\xF8\x88\x80\x80\x80", false},
    };
    for (const auto& [bytes, valid] : cases) {
        EXPECT_EQ(detail::isValidUtf8(bytes), valid)
            << ::testing::PrintToString(std::string(bytes));
    }
}

// --- the same document however it is cut into chunks

std::string chunkingDocument() {
    std::string doc =
        "<?xml version='1.0' encoding='UTF-8'?>\n<rss><channel><title>Ch &amp; "
        "\xE2\x80\x93 &#x1F3A7;</title>\n";
    for (int i = 0; i < 40; ++i) {
        doc += "<item>\n  <title>Item " + std::to_string(i) +
               " caf\xC3\xA9 &lt;&gt; <![CDATA[<b>bold</b>]]> \xF0\x9F\x8E\xA7\r\nend</title>\n"
               "  <description>" +
               std::string(static_cast<std::size_t>(i) * 97, 'x') +
               "</description><enclosure url='u&amp;v' length='" + std::to_string(i) +
               "'/></item>\n";
    }
    return doc + "</channel></rss>\n";
}

TEST(Chunking, ResultDoesNotDependOnWhereTheInputIsSplit) {
    const std::string doc = chunkingDocument();
    const WalkOutcome whole = walkDocument(doc);
    ASSERT_EQ(whole.index(), 1u) << errorOf(whole);
    ASSERT_GT(eventsOf(whole).size(), 200u);

    std::vector<std::vector<std::size_t>> patterns = {{1}, {2, 3, 5, 7}, {64 * 1024}};
    std::mt19937 random(20240611);
    std::vector<std::size_t> randomSizes;
    for (int i = 0; i < 500; ++i) randomSizes.push_back(1 + random() % 300);
    patterns.push_back(randomSizes);

    for (const auto& pattern : patterns) {
        detail::XmlReadOptions options;
        options.chunkPattern = pattern;
        const WalkOutcome split = walkDocument(doc, options);
        EXPECT_EQ(eventsOf(split), eventsOf(whole)) << "first chunk size " << pattern.front();
    }
}

// --- stopping from outside

std::atomic<bool> gAbortFlag{false};

std::size_t abortingTitle(WalkModel& m, std::string_view text) {
    m.events.push_back(std::string(text));
    gAbortFlag = true;
    return 0;
}

TEST(Abort, FromAMappingCallbackEndsTheParse) {
    static constexpr detail::PathRule<WalkModel> rss[] = {
        {"/rss"}, {"/rss/channel"}, {"/rss/channel/title", nullptr, &abortingTitle}};
    const detail::WalkTables<WalkModel, WalkModel> tables{rss, {}, {}};
    const detail::PathIndex index = tables.makeIndex();
    gAbortFlag = false;
    detail::XmlReadOptions options;
    options.abort = &gAbortFlag;
    detail::XmlWalk<WalkModel, WalkModel> walk(index, tables);
    detail::readXml("<rss><channel><title>a</title><title>b</title></channel></rss>", walk,
                    options);
    const WalkOutcome outcome = std::move(walk).finish();
    EXPECT_EQ(errorOf(outcome), "Internal unresolved error: Parsing aborted");
}

TEST(Abort, AFlagSetBeforehandStopsBeforeAnyEvent) {
    std::atomic<bool> flag{true};
    detail::XmlReadOptions options;
    options.abort = &flag;
    EXPECT_EQ(errorOf(walkDocument("<rss><channel/></rss>", options)),
              "Internal unresolved error: Parsing aborted");
}

}  // namespace
}  // namespace syndra::testing
