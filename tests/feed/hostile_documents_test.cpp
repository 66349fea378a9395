// Whole documents built to hurt the front end: huge nodes and values, deep
// nesting, broken UTF-8 and NULs, real feeds cut short or corrupted. Each must
// end in a feed or an error, in bounded memory. (Megabyte tokens fed a byte at
// a time and entity amplification are read at the walk's level in
// hostile_input_test.cpp.)

#include <syndra/dump.hpp>
#include <syndra/feed_parser.hpp>

#include "detail/xml_feed_parser.hpp"
#include "detail/xml_reader.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace syndra::testing {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Result parse(std::string_view bytes) {
    return FeedParser::fromDataView(bytes).parse();
}

/// What a result says, in one comparable line: the dump or the error.
std::string outcomeOf(const Result& result) {
    if (const ParserError* error = result.error()) return "error: " + error->errorDescription();
    return toJSON(*result.feed());
}

std::string repeated(std::string_view piece, std::size_t count, std::string_view suffix = {}) {
    std::string text;
    text.reserve(piece.size() * count + suffix.size());
    for (std::size_t i = 0; i < count; ++i) text.append(piece);
    return text.append(suffix);
}

/// VmHWM, the peak resident size, in bytes (first restarted at the current
/// size if `restart`); -1 where /proc does not tell.
long long peakResidentBytes(bool restart = false) {
    if (restart && !(std::ofstream("/proc/self/clear_refs") << "5" << std::flush)) return -1;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
    }
    return -1;
}

// 16 MB of text, CDATA, an attribute or a JSON string: read whole, at a peak of
// a few times the document's size. (The tests build with AddressSanitizer, whose
// quarantine keeps the blocks a parse grows and frees resident.)
TEST(HugeNodes, KeepEveryByteWithinBoundedMemory) {
    constexpr std::size_t kSize = 16u << 20;
    const std::pair<std::string_view, std::string_view> nodes[] = {
        {"<rss><channel><item><description>", "</description></item></channel></rss>"},
        {"<rss><channel><item><description><![CDATA[", "]]></description></item></channel></rss>"},
        {"<rss><channel><item><enclosure url=\"", "\"/></item></channel></rss>"},
        {R"({"version":"https://jsonfeed.org/version/1","title":")", R"("})"},
    };
    for (const auto& [prefix, suffix] : nodes) {
        SCOPED_TRACE(prefix);
        std::string document(prefix);
        document.append(kSize, 'x').append(suffix);
        const long long before = peakResidentBytes(true);
        const Result result = parse(document);
        const long long growth = peakResidentBytes() - before;
        ASSERT_TRUE(result.isSuccess()) << result.error()->errorDescription();
        if (before > 0) {
            EXPECT_LT(growth, 6 * static_cast<long long>(document.size()))
                << "peak resident memory grew by " << (growth >> 20) << " MB";
        }
        // The dump holds the text whole: a run of exactly kSize of its bytes.
        const std::string dump = toJSON(*result.feed());
        const std::size_t run = dump.find(std::string(64, 'x'));
        ASSERT_NE(run, std::string::npos);
        EXPECT_EQ(dump.find_first_not_of('x', run) - run, kSize);
    }
}

// Past each limit a parse fails at once, says which limit in its reason, and
// takes little memory on the way: a flood of empty items no longer builds a
// model many times the document's size.
TEST(Limits, FailPromptlyNamingTheLimit) {
    struct Case {
        const char* name;
        std::string document;
        Options options;
        ErrorKind kind;
        std::string reason;
    };
    const std::string item = "<item><title>t</title></item>";
    const std::string jsonHead = R"({"version":"https://jsonfeed.org/version/1.1","items":[)";
    auto with = [](auto change) {
        Options options;
        change(options);
        return options;
    };
    const Case cases[] = {
        {"64 MiB of empty items",
         "<rss><channel>" + repeated("<item/>", ((64u << 20) - 14) / 7),
         {},
         ErrorKind::limitExceeded,
         "Feed has more than 100000 items"},
        {"RSS items", "<rss><channel>" + repeated(item, 4, "</channel></rss>"),
         with([](Options& o) { o.maxItems = 3; }), ErrorKind::limitExceeded,
         "Feed has more than 3 items"},
        {"Atom entries", "<feed>" + repeated("<entry/>", 4, "</feed>"),
         with([](Options& o) { o.maxItems = 3; }), ErrorKind::limitExceeded,
         "Feed has more than 3 items"},
        {"JSON Feed items", jsonHead + repeated("{},", 3, "{}]}"),
         with([](Options& o) { o.maxItems = 3; }), ErrorKind::limitExceeded,
         "Feed has more than 3 items"},
        {"JSON Feed items the quick reader leaves",
         R"({"a":1,"a":2,"items":[)" + repeated("{},", 3, "{}]}"),
         with([](Options& o) { o.maxItems = 3; }), ErrorKind::limitExceeded,
         "Feed has more than 3 items"},
        {"depth", "<rss><channel>" + repeated("<a>", 5), with([](Options& o) { o.maxDepth = 6; }),
         ErrorKind::limitExceeded, "Elements nested deeper than 6 levels at line 1"},
        {"model bytes of text", "<rss><channel><title>" + std::string(2000, 'x') + "</title>",
         with([](Options& o) { o.maxModelBytes = 1000; }), ErrorKind::limitExceeded,
         "Feed model needs more than 1000 bytes"},
        {"model bytes of objects",
         "<rss><channel>" + repeated("<item><media:content/></item>", 200),
         with([](Options& o) { o.maxModelBytes = 100'000; }), ErrorKind::limitExceeded,
         "Feed model needs more than 100000 bytes"},
        {"model bytes of JSON", jsonHead + R"({"tags":[)" + repeated(R"("",)", 20000, R"(""]}]})"),
         with([](Options& o) { o.maxModelBytes = 100'000; }), ErrorKind::limitExceeded,
         "Feed model needs more than 100000 bytes"},
        {"document bytes", "<rss><channel/></rss>",
         with([](Options& o) { o.maxDocumentBytes = 20; }), ErrorKind::tooLarge,
         "Feed larger than 20 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const long long before = peakResidentBytes(true);
        const Result viewed = FeedParser::fromDataView(c.document, c.options).parse();
        const long long growth = peakResidentBytes() - before;
        std::istringstream stream(c.document);
        const Result streamed = FeedParser::fromStream(stream, c.options).parse();
        for (const Result* result : {&viewed, &streamed}) {
            ASSERT_FALSE(result->isSuccess());
            EXPECT_EQ(result->error()->kind(), c.kind);
            EXPECT_EQ(result->error()->reason(), c.reason);
        }
        if (before > 0) {
            EXPECT_LT(growth, 2 * static_cast<long long>(c.document.size()) + (64 << 20))
                << "peak resident memory grew by " << (growth >> 20) << " MB";
        }
    }
}

// Each document's outcome, the dump or the error, contains the text paired with it.
void expectOutcomes(std::initializer_list<std::pair<std::string, std::string>> cases) {
    for (const auto& [document, expected] : cases) {
        const std::string outcome = outcomeOf(parse(document));
        EXPECT_NE(outcome.find(expected), std::string::npos)
            << ::testing::PrintToString(document.substr(0, 40)) << " gave "
            << outcome.substr(0, 200);
    }
}

const std::string kRssItem = R"({"kind":"rss","feed":{"items":[{}]}})";
const std::string kITunesItem = R"({"kind":"rss","feed":{"items":[{"iTunes":{}}]}})";

// A megabyte where a number, a date or a duration belongs: nothing converts,
// nothing hangs, and the item around it is still read.
TEST(HugeValues, DoNotConvertAndLeaveTheRestIntact) {
    const std::string megabyte(1u << 20, '9');
    expectOutcomes({
        {"<rss><channel><ttl>" + megabyte + "</ttl><item/></channel></rss>", kRssItem},
        {"<rss><channel><pubDate>Mon, 11 Dec 2023 " + megabyte +
             "</pubDate><item/></channel></rss>",
         kRssItem},
        {"<rss><channel><item><itunes:duration>" +
             repeated("1:", megabyte.size() / 2, "1</itunes:duration></item></channel></rss>"),
         kITunesItem},
        {"<rss><channel><item><itunes:duration>" + megabyte +
             "</itunes:duration></item></channel></rss>",
         kITunesItem},
    });
}

// Too large a number fails the document; too small a fraction reads as 0.
TEST(HugeValues, JSONNumbersOfAHundredThousandDigits) {
    const std::string head =
        R"({"version":"https://jsonfeed.org/version/1","title":"t","items":[{"id":"1",)"
        R"("attachments":[{"url":"u",)";
    const std::string digits(100'000, '9');
    expectOutcomes({
        {head + R"("size_in_bytes":)" + digits + "}]}]}", "error: "},
        {head + R"("duration_in_seconds":)" + digits + "}]}]}", "error: "},
        {head + R"("duration_in_seconds":1e-)" + digits + "}]}]}", R"("durationInSeconds":0.0})"},
        {head + R"("duration_in_seconds":1e-400}]}]})", R"("durationInSeconds":0.0})"},
    });
}

// A million levels: enough to overflow any stack a recursive reader would use.
TEST(Nesting, AMillionLevelsEndInTheDepthErrorOrAreNoFeed) {
    constexpr std::size_t kLevels = 1'000'000;
    expectOutcomes({
        // Items in items: only the channel's own count as items.
        {"<rss><channel>" + repeated("<item>", kLevels),
         "error: Internal unresolved error: Elements nested deeper than 512 levels"},
        {R"({"items":)" + repeated("[", kLevels), "nested more than 512 levels"},
        {repeated(R"({"a":)", kLevels), "nested more than 512 levels"},
        // An array at the top is no feed at all; its depth is never looked at.
        {repeated("[", kLevels), "error: Feed not found"},
    });
}

// Malformed UTF-8 of every kind, or a raw NUL, in each place expat or the JSON
// reader handles on its own path fails the document.
TEST(BrokenBytes, FailTheDocumentWhereverTheyStand) {
    constexpr std::array<std::string_view, 8> kBad = {
        "\x80"sv,              // a continuation byte alone
        "\xC0\xAF"sv,          // overlong "/"
        "\xE0\x80\xBC"sv,      // overlong "<"
        "\xED\xA0\x80"sv,      // a UTF-16 surrogate
        "\xF4\x90\x80\x80"sv,  // above U+10FFFF
        "\xE2\x82"sv,          // cut short, then ASCII
        "\xFF"sv,
        "\0"sv,
    };
    const std::string json = R"({"version":"https://jsonfeed.org/version/1",)";
    const std::pair<std::string, std::string> places[] = {
        {"<rss><channel><ti", "tle/></channel></rss>"},
        {"<rss><channel><item><enclosure url=\"a", "b\"/></item></channel></rss>"},
        {"<rss><channel><title>a", "b</title></channel></rss>"},
        {"<rss><channel><nothing>a", "b</nothing></channel></rss>"},
        {"<rss><channel><title><![CDATA[a", "b]]></title></channel></rss>"},
        {"<rss><channel><!-- a", "b --><title>t</title></channel></rss>"},
        {json + R"("ti)", R"(tle":"t"})"},
        {json + R"("title":"t","_x":"a)", R"("})"},
    };
    for (const auto& [before, after] : places) {
        ASSERT_TRUE(parse(before + after).isSuccess()) << before << after;
        for (const std::string_view bad : kBad) {
            const Result result = parse(before + std::string(bad) + after);
            EXPECT_FALSE(result.isSuccess())
                << before << ::testing::PrintToString(std::string(bad)) << after;
        }
    }
}

TEST(NulBytes, AroundTheDocument) {
    expectOutcomes({
        // "\0<" at the start looks like UTF-16, a run of NULs like UTF-32.
        {"\0<rss><channel><title>t</title></channel></rss>"s, "error: "},
        {std::string(1000, '\0'), "error: "},
        {"\0{\"version\":\"https://jsonfeed.org/version/1\",\"title\":\"t\"}"s, "error: "},
        {"<rss><channel><title>a&#0;b</title></channel></rss>"s, "error: "},
        {"<rss><channel/></rss>\0\0\0"s, R"({"kind":"rss")"},  // nothing after the root is read
    });
    // The stream entry does not drop one either.
    std::istringstream stream("<rss><channel><title>a\0b</title></channel></rss>"s);
    EXPECT_FALSE(FeedParser::fromXMLStream(stream).parse().isSuccess());
}

TEST(JSONEscapes, DecodeWholeOrFail) {
    const std::string head = R"({"version":"https://jsonfeed.org/version/1","title":")";
    expectOutcomes({
        {head + R"(\ud83d\ude00"})", "\"title\":\"\xF0\x9F\x98\x80\""},
        {head + R"(\uD83D\uDE00"})", "\"title\":\"\xF0\x9F\x98\x80\""},
        {head + R"(a\u0000b"})", R"("title":"a\u0000b")"},
        {head + R"(\ud83d"})", "error: "},
        {head + R"(\ud83d\u0041"})", "error: "},
        {head + R"(\ude00"})", "error: "},
        {head + R"(\u00"})", "error: "},
    });
}

// Real feeds cut short anywhere before their end fail; up to their end they read.
TEST(Truncation, EveryPrefixOfARealFeedIsAnError) {
    const std::string xml = readFile(TEST_DATA_DIR "/golden/podcast.xml");
    const std::string json = readFile(TEST_DATA_DIR "/hostile/podcast.json");
    const std::pair<std::string_view, std::size_t> feeds[] = {
        {xml, xml.rfind("</rss>") + 6},
        {json, json.rfind('}') + 1},
    };
    for (const auto& [document, end] : feeds) {
        EXPECT_TRUE(parse(document.substr(0, end)).isSuccess());
        for (std::size_t cut = 0; cut < end; cut += 331) {
            const Result result = parse(document.substr(0, cut));
            ASSERT_FALSE(result.isSuccess()) << "prefix of " << cut << " bytes";
            EXPECT_EQ(result.error()->errorCase() == ParserError::Case::feedNotFound, cut == 0)
                << "prefix of " << cut << " bytes: " << outcomeOf(result);
        }
    }
}

// One changed byte may turn the feed into an error or a different feed;
// whichever it is must not depend on how the reader splits the input.
TEST(Corruption, XMLReadsTheSameHoweverTheBytesArrive) {
    static constexpr std::array<std::size_t, 4> kSplits = {1, 7, 4093, 2};
    detail::XmlReadOptions split;
    split.chunkPattern = kSplits;
    const std::string document = readFile(TEST_DATA_DIR "/golden/podcast.xml");
    std::mt19937_64 random(1);
    std::string bad = document;
    for (int i = 0; i < 120; ++i) {
        const std::size_t at = random() % document.size();
        bad[at] = static_cast<char>(document[at] ^ (1 + random() % 255));
        ASSERT_EQ(outcomeOf(detail::parseXMLFeed(bad, {})),
                  outcomeOf(detail::parseXMLFeed(bad, split)))
            << "byte " << at << " changed";
        bad[at] = document[at];
    }
}

}  // namespace
}  // namespace syndra::testing
