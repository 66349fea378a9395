// Broken documents read with Options::recover: what each repair gives, and
// the warning that names it. Every document here fails without recover.

#include <syndra/dump.hpp>
#include <syndra/feed_parser.hpp>

#include "detail/xml_feed_parser.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace syndra::testing {
namespace {

using namespace std::string_literals;

struct RecoveryCase {
    const char* name;
    std::string document;
    std::string outcome;                // a piece of the dump, or of "error: " and the description
    std::vector<std::string> warnings;  // "line:column message"
};

void PrintTo(const RecoveryCase& c, std::ostream* os) {
    *os << c.name;
}

std::string textOf(const Result& result) {
    if (const ParserError* error = result.error()) return "error: " + error->errorDescription();
    return toJSON(*result.feed());
}

std::vector<std::string> warningsOf(const Result& result) {
    std::vector<std::string> lines;
    for (const Warning& w : result.warnings()) {
        lines.push_back(std::to_string(w.line) + ":" + std::to_string(w.column) + " " + w.message);
    }
    return lines;
}

class Recovery : public ::testing::TestWithParam<RecoveryCase> {};

TEST_P(Recovery, MendsAndNamesEachRepair) {
    const RecoveryCase& c = GetParam();
    EXPECT_FALSE(FeedParser::fromDataView(c.document).parse().isSuccess());
    Options options;
    options.recover = true;
    const Result result = FeedParser::fromDataView(c.document, options).parse();
    EXPECT_NE(textOf(result).find(c.outcome), std::string::npos) << textOf(result);
    EXPECT_EQ(warningsOf(result), c.warnings);
    // Neither a second thread nor the places the input is split change a thing.
    static constexpr std::array<std::size_t, 3> kSplits = {1, 5, 3};
    detail::XmlReadOptions other;
    other.recover = true;
    other.useSecondThread = true;
    other.chunkPattern = kSplits;
    const Result again = detail::parseXMLFeed(c.document, other);
    EXPECT_EQ(textOf(again), textOf(result));
    EXPECT_EQ(warningsOf(again), c.warnings);
}

std::string repeated(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

const std::string kTitle = "<rss><channel><title>";  // text from column 22
const std::string kEnd = "</title></channel></rss>";
const std::string kItem = "<rss><channel><item>";

const RecoveryCase kCases[] = {
    // Long runs of text travel from the document itself on the second thread.
    {"BareAmpersand",
     kTitle + "Tom & Jerry" + std::string(100, '!') + kEnd,
     "\"title\":\"Tom & Jerry" + std::string(100, '!') + "\"",
     {"1:26 & that starts no reference read as text"}},
    {"InAStandaloneDocument",
     "<?xml version='1.0' standalone='yes'?>" + kTitle + "&eacute; & co" + kEnd,
     "\"title\":\"\xC3\xA9 & co\"",
     {"1:69 & that starts no reference read as text"}},
    {"AmpersandsOfNoReference",
     kTitle + "Q&A &#12 &#x; &;" + kEnd,
     R"("title":"Q&A &#12 &#x; &;")",
     {"1:23 & that starts no reference read as text",
      "1:26 & that starts no reference read as text",
      "1:31 & that starts no reference read as text",
      "1:36 & that starts no reference read as text"}},
    // The HTML names are read as ever; the document's own declarations hold.
    {"UndefinedEntities",
     "<!DOCTYPE rss [<!ENTITY me 'Me'>]>" + kTitle + "&me;&nbsp;&bogus;&amp;" + kEnd,
     "\"title\":\"Me\xC2\xA0&bogus;&\"",
     {"1:66 undefined entity &bogus; read as text"}},
    {"InAttributeValues",
     kItem + "<enclosure url=\"http://a/?x=1&y=2&lt;<\"/></item></channel></rss>",
     R"("url":"http://a/?x=1&y=2<<")",
     {"1:50 & that starts no reference read as text", "1:58 < that starts no markup read as text"}},
    {"ForbiddenCharacters",
     kTitle +
         "a\x01\x02"
         "b\x0B\xEF\xBF\xBF"
         "c&#0;d&#x1F;" +
         kEnd,
     R"("title":"abcd")",
     {"1:23 dropped 2 characters XML forbids, from U+0001",
      "1:26 dropped 2 characters XML forbids, from U+000B",
      "1:29 dropped &#0;, a reference to a character XML forbids",
      "1:34 dropped &#x1F;, a reference to a character XML forbids"}},
    {"ForbiddenInCommentsAndCdata",
     "<rss><channel><!-- \x08 --><title><![CDATA[a\x0C"
     "b]]></title></channel></rss>",
     R"("title":"ab")",
     {"1:20 dropped U+0008, a character XML forbids",
      "1:42 dropped U+000C, a character XML forbids"}},
    {"LessThanOfNoMarkup",
     kTitle + "1 < 2 <3" + kEnd,
     R"("title":"1 < 2 <3")",
     {"1:24 < that starts no markup read as text", "1:28 < that starts no markup read as text"}},
    {"EndTagOfAnAncestor",
     kItem + "<title>t</item>\n<item><title>u</title><guid>g</channel></rss>",
     R"("items":[{"title":"t"},{"title":"u","guid":{"value":"g"}}])",
     {"1:29 end tag </item> also closes <title>",
      "2:30 end tag </channel> also closes <guid>, <item>"}},
    {"EndTagOfNothingOpen",
     kTitle + "t</b>" + kEnd + "</p>",
     R"("title":"t")",
     {"1:23 end tag </b> closes nothing open; ignored"}},
    {"EndTagInAnotherCase",
     "<rss><channel><webMaster>w</webmaster><item/></channel></rss>",
     R"("webMaster":"w","items":[{}])",
     {"1:27 end tag </webmaster> read as </webMaster>"}},
    {"CutShortInText",
     kItem + "<title>caf\xC3\xA9 \xC3",
     "\"title\":\"caf\xC3\xA9 \"",
     {"1:33 document cut short; closed <title>, <item>, <channel>, <rss>"}},
    {"CutShortInATag",
     kItem + "<title>t</title>\r\n<enclosure url=\"http://a",
     R"("title":"t"})",
     {"2:1 document cut short; closed <item>, <channel>, <rss>"}},
    {"CutShortInCdata",
     kItem + "<description><![CDATA[<b>x",
     R"("description":"<b>x")",
     {"1:47 document cut short; closed <description>, <item>, <channel>, <rss>"}},
    // Positions count characters of the document as it is written.
    {"InASingleByteCharset",
     "<?xml version='1.0' encoding='windows-1252'?>\n" + kTitle + "\xE9t\xE9 & \x80" + kEnd,
     "\"title\":\"\xC3\xA9t\xC3\xA9 & \xE2\x82\xAC\"",
     {"2:26 & that starts no reference read as text"}},
    // What has no plain reading still fails, where the document has it.
    {"UnquotedAttribute",
     kItem + "<title>&</title><enclosure url=x/></item></channel></rss>",
     "error: Internal unresolved error: not well-formed (invalid token) at line 1, column 52",
     {}},
    {"CdataThatIsNotUtf8",
     kTitle + "&<![CDATA[\xFF]]>" + kEnd,
     "error: Internal unresolved error: `CDATAblock` encoding error",
     {}},
    {"NoDocumentElement",
     "<?xml version='1.0'?>\n<!-- & ",
     "error: Internal unresolved error: unclosed token at line 2, column 1",
     {}},
    {"LimitsHold",
     "<rss><channel>" + repeated("<a>", 600) + "&",
     "error: Internal unresolved error: Elements nested deeper than 512 levels at line 1",
     {}},
    {"PastTheMostRepairs",
     kTitle + std::string(100'001, '&') + kEnd,
     "error: Internal unresolved error: not well-formed (invalid token) at line 1, column 23",
     {}},
};

INSTANTIATE_TEST_SUITE_P(Documents, Recovery, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace syndra::testing
