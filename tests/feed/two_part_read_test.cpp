// A large feed is read in two halves at once: the second from a guessed
// item (entry) start, into a model of its own whose list is then appended.
// Whatever the document, the outcome must be exactly that of one read from
// the start, and the halves are joined only when the guess was right.

#include "detail/path_table.hpp"
#include "detail/xml_feed_parser.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

using syndra::Result;
using syndra::detail::parseXMLFeed;
using syndra::detail::XmlReadOptions;

std::string items(int count, const std::string& extra = "") {
    std::string out;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        out += "<item>\n  <title>Episode " + n + " &amp; more" + extra + "</title>\n";
        out +=
            "  <pubDate>Mon, 0" + std::to_string(1 + i % 9) + " Jan 2024 10:00:00 GMT</pubDate>\n";
        out += "  <enclosure url=\"https://example.com/" + n +
               ".mp3\" length=\"12\" type=\"audio/mpeg\"/>\n";
        out += "  <itunes:duration>1:0" + std::to_string(i % 10) + "</itunes:duration>\n</item>\n";
    }
    return out;
}

std::string entries(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        out += "<entry><id>urn:" + n + "</id><title type=\"html\">E&lt;b&gt;" + n +
               "</title><updated>2024-01-0" + std::to_string(1 + i % 9) +
               "T10:00:00Z</updated><link href=\"https://example.com/" + n + "\"/></entry>\n";
    }
    return out;
}

std::string rss(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel>\n"
           "<title>Show</title><link>https://example.com/</link>\n" +
           body + "</channel></rss>\n";
}

struct Case {
    const char* name;
    std::string document;
    bool inTwoParts;
};

std::string describe(const Result& r) {
    return r.isSuccess() ? "feed" : r.error()->reason();
}

TEST(TwoPartRead, GivesWhatOneReadGivesAndJoinsOnlyRightGuesses) {
    const std::string manyItemTags = [] {
        std::string s;
        for (int i = 0; i < 4000; ++i) s += "<item> ";
        return s;
    }();
    // The commented-out items read well from the guess on: only the check of
    // where the full read really starts an item can refuse them.
    const std::string rssWithComment = rss(items(2) + "<!--" + items(60) + "-->\n" + items(2));
    const std::string rssWithCdata = rss(items(2) + "<item><description><![CDATA[" + manyItemTags +
                                         "]]></description></item>" + items(2));
    const std::string truncated = rss(items(40));
    const Case cases[] = {
        {"plain", rss(items(40)), true},
        {"two items", rss(items(2)), true},
        {"enough items to size the list", rss(items(700)), true},
        {"atom",
         "<feed xmlns=\"http://www.w3.org/2005/Atom\"><title>A</title>" + entries(40) + "</feed>",
         true},
        {"HTML entities on both sides", rss(items(40, " &eacute;&nbsp;&mdash;")), true},
        {"standalone with HTML entities",
         "<?xml version=\"1.0\" standalone=\"yes\"?><rss><channel>" + items(40, "&hellip;") +
             "</channel></rss>",
         true},
        {"byte order mark and CRLF",
         "\xEF\xBB\xBF<rss>\r\n<channel>\r\n" + items(30) + "<item\r\n>x</item></channel></rss>",
         true},
        {"guess inside a comment", rssWithComment, false},
        {"guess inside CDATA", rssWithCdata, false},
        {"channel element after the items", rss(items(40) + "<title> (late)</title>\n"), false},
        {"second channel after the guess", rss(items(30) + "</channel><channel>" + items(2)),
         false},
        {"guess in a second channel", rss(items(2) + "</channel><channel>" + items(30)), true},
        {"atom link after the entries",
         "<feed><title>A</title>" + entries(40) + "<link href=\"https://x/\"/></feed>", false},
        {"document ends before the guess",
         "<rss><channel>" + items(1) + "</channel></rss>\n<!--" + items(40) + "-->", false},
        {"malformed before the guess", rss(items(2) + "<item><title>x</titel></item>" + items(40)),
         false},
        {"malformed after the guess", rss(items(40) + "<item><title>x</titel></item>"), false},
        {"undefined entity after the guess",
         rss(items(40) + "<item><title>&nosuch;</title></item>"), false},
        {"truncated", truncated.substr(0, truncated.size() - 200), false},
        {"internal subset",
         "<!DOCTYPE rss [<!ENTITY show \"Show\">]><rss><channel>" + items(40, "&show;") +
             "</channel></rss>",
         false},
        {"Latin-1",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><rss><channel>" + items(40, "\xE9") +
             "</channel></rss>",
         false},
        {"items not in a channel", "<rss>" + items(40) + "</rss>", false},
        {"RDF", "<rdf:RDF><channel><title>r</title></channel>" + items(40) + "</rdf:RDF>", false},
    };
    XmlReadOptions direct;
    direct.relayFrom = SIZE_MAX;
    direct.splitFrom = SIZE_MAX;
    for (const Case& c : cases) {
        bool inTwoParts = false;
        XmlReadOptions twoParts = direct;
        twoParts.splitFrom = 0;
        twoParts.readInTwoParts = &inTwoParts;
        const Result one = parseXMLFeed(c.document, direct);
        const Result two = parseXMLFeed(c.document, twoParts);
        EXPECT_EQ(inTwoParts, c.inTwoParts) << c.name;
        ASSERT_EQ(describe(one), describe(two)) << c.name;
        if (one.isSuccess()) {
            EXPECT_TRUE(*one.feed() == *two.feed()) << c.name;
        }
    }
}

TEST(TwoPartRead, AnAbortEndsBothHalves) {
    const std::string document = rss(items(3000));
    std::atomic<bool> abort = true;
    XmlReadOptions options;
    options.splitFrom = 0;
    options.abort = &abort;
    const Result r = parseXMLFeed(document, options);
    ASSERT_FALSE(r.isSuccess());
    EXPECT_EQ(r.error()->reason(), "Parsing aborted");
}

// The halves are joined by appending the second one's list: that is only
// right while every rule below the repeated element acts on the list's last
// element and on nothing else. A rule added to a table that breaks this
// fails here.
template <class Model>
void expectRulesBelowTouchOnlyTheLastElement(std::span<const syndra::detail::PathRule<Model>> table,
                                             std::string_view repeat) {
    const char* const pairs[] = {
        "url",       "https://example.com/a", "type",  "text", "href", "h", "rel",
        "alternate", "isPermaLink",           "false", nullptr};
    const syndra::AttributeMap attributes(pairs);
    int checked = 0;
    for (const auto& rule : table) {
        if (!rule.path.starts_with(repeat) || rule.path.size() == repeat.size()) continue;
        Model model;
        if (rule.start != nullptr) rule.start(model, attributes);
        if (rule.text != nullptr) {
            rule.text(model, "Mon, 01 Jan 2024 10:00:00 GMT");
            rule.text(model, "12");
        }
        EXPECT_TRUE(model == Model{}) << rule.path;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST(TwoPartRead, RulesBelowTheRepeatTouchOnlyItsLastElement) {
    expectRulesBelowTouchOnlyTheLastElement(syndra::detail::rssTable(), "/rss/channel/item/");
    expectRulesBelowTouchOnlyTheLastElement(syndra::detail::atomTable(), "/feed/entry/");
}

}  // namespace
