// Whole documents built to hurt the front end: huge nodes, deep nesting,
// broken encodings, NUL bytes, and real feeds cut short or corrupted. Every
// one must end in a feed or an error, with nothing lost on the way; the
// test's own timeout bounds the time, /proc bounds the memory.

#include <syndra/dump.hpp>
#include <syndra/feed_parser.hpp>
#include <syndra/json_feed.hpp>

#include "detail/xml_feed_parser.hpp"
#include "detail/xml_reader.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define HOSTILE_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HOSTILE_UNDER_ASAN 1
#endif
#endif

namespace syndra::testing {
namespace {

using namespace std::string_literals;

constexpr std::size_t kFiftyMB = 50u << 20;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string& podcastXML() {
    static const std::string text = readFile(TEST_DATA_DIR "/golden/podcast.xml");
    return text;
}

const std::string& podcastJSON() {
    static const std::string text = readFile(TEST_DATA_DIR "/hostile/podcast.json");
    return text;
}

Result parse(std::string_view bytes) {
    return FeedParser::fromDataView(bytes).parse();
}

/// What a result says, in one comparable line: the dump or the error.
std::string outcomeOf(const Result& result) {
    if (const ParserError* error = result.error()) return "error: " + error->errorDescription();
    return toJSON(*result.feed());
}

/// `prefix`, then `size` copies of `fill`, then `suffix`, built in one allocation.
std::string padded(std::string_view prefix, std::size_t size, char fill, std::string_view suffix) {
    std::string text;
    text.reserve(prefix.size() + size + suffix.size());
    text.append(prefix).append(size, fill).append(suffix);
    return text;
}

std::string repeated(std::string_view piece, std::size_t count, std::string_view suffix = {}) {
    std::string text;
    text.reserve(piece.size() * count + suffix.size());
    for (std::size_t i = 0; i < count; ++i) text.append(piece);
    return text.append(suffix);
}

// ---- Peak memory ------------------------------------------------------------

/// VmHWM of this process in bytes, or -1 where /proc does not tell.
long long peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
    }
    return -1;
}

/// Starts a new peak at the current resident size; false where the kernel
/// does not offer that.
bool resetPeakResident() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

// AddressSanitizer keeps freed blocks (up to 256 MB by default) resident in
// its quarantine, so buffers a parse grows and frees still count there.
#ifdef HOSTILE_UNDER_ASAN
constexpr double kPeakFactor = 6.0;
#else
constexpr double kPeakFactor = 4.0;
#endif

// ---- Huge single nodes ------------------------------------------------------

struct HugeNode {
    const char* name;
    std::string_view prefix;
    std::string_view suffix;
    /// The text that holds the filler in the result, or nullptr if missing.
    std::function<const std::string*(const Feed&)> field;
};

void PrintTo(const HugeNode& c, std::ostream* os) {
    *os << c.name;
}

const RSSFeedItem* firstItem(const Feed& feed) {
    const RSSFeed* rss = feed.rssFeed();
    return rss != nullptr && rss->items && !rss->items->empty() ? &rss->items->front() : nullptr;
}

template <class T>
const std::string* held(const std::optional<T>& value) {
    return value ? &*value : nullptr;
}

const HugeNode kHugeNodes[] = {
    {"ChannelTitle", "<rss><channel><title>", "</title></channel></rss>",
     [](const Feed& f) { return f.rssFeed() ? held(f.rssFeed()->title) : nullptr; }},
    {"ItemDescription", "<rss><channel><item><description>",
     "</description></item></channel></rss>",
     [](const Feed& f) { return firstItem(f) ? held(firstItem(f)->description) : nullptr; }},
    {"CDATADescription", "<rss><channel><item><description><![CDATA[",
     "]]></description></item></channel></rss>",
     [](const Feed& f) { return firstItem(f) ? held(firstItem(f)->description) : nullptr; }},
    {"EnclosureURL", "<rss><channel><item><enclosure type=\"audio/mpeg\" url=\"",
     "\"/></item></channel></rss>",
     [](const Feed& f) -> const std::string* {
         const RSSFeedItem* item = firstItem(f);
         if (item == nullptr || !item->enclosure || !item->enclosure->attributes) return nullptr;
         return held(item->enclosure->attributes->url);
     }},
    {"AtomTitle", "<feed><title>", "</title></feed>",
     [](const Feed& f) { return f.atomFeed() ? held(f.atomFeed()->title) : nullptr; }},
    {"JSONTitle", R"({"version":"https://jsonfeed.org/version/1","title":")", R"("})",
     [](const Feed& f) { return f.jsonFeed() ? held(f.jsonFeed()->title) : nullptr; }},
    {"JSONAttachmentURL",
     R"({"version":"https://jsonfeed.org/version/1","title":"t","items":[{"id":"1",)"
     R"("attachments":[{"mime_type":"audio/mpeg","url":")",
     R"("}]}]})",
     [](const Feed& f) -> const std::string* {
         const JSONFeed* json = f.jsonFeed();
         if (json == nullptr || !json->items || json->items->empty()) return nullptr;
         const auto& attachments = json->items->front().attachments;
         return attachments && !attachments->empty() ? held(attachments->front().url) : nullptr;
     }},
};

class HugeNodeTest : public ::testing::TestWithParam<HugeNode> {};

TEST_P(HugeNodeTest, KeepsEveryByteWithinBoundedMemory) {
    const HugeNode& c = GetParam();
    const std::string document = padded(c.prefix, kFiftyMB, 'x', c.suffix);
    const bool measured = resetPeakResident();
    const long long before = peakResidentBytes();

    const Result result = parse(document);

    const long long growth = peakResidentBytes() - before;
    ASSERT_TRUE(result.isSuccess()) << result.error()->errorDescription();
    const std::string* text = c.field(*result.feed());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->size(), kFiftyMB);
    EXPECT_EQ(std::count(text->begin(), text->end(), 'x'), static_cast<long>(kFiftyMB));
    if (measured && before > 0) {
        RecordProperty("peak_growth_mb", static_cast<int>(growth >> 20));
        EXPECT_LT(static_cast<double>(growth), kPeakFactor * static_cast<double>(document.size()))
            << "peak resident memory grew by " << (growth >> 20) << " MB";
    }
}

INSTANTIATE_TEST_SUITE_P(FiftyMegabytes, HugeNodeTest, ::testing::ValuesIn(kHugeNodes),
                         [](const auto& info) { return std::string(info.param.name); });

// Huge texts where a number or a date belongs: nothing converts, nothing
// hangs, and the element around them is still read.
TEST(HugeValues, DoNotConvertAndLeaveTheRestIntact) {
    constexpr std::size_t kSize = 8u << 20;
    struct Case {
        const char* name;
        std::string document;
    };
    const Case cases[] = {
        {"ttl digits", padded("<rss><channel><ttl>", kSize, '9', "</ttl><item/></channel></rss>")},
        {"pubDate", padded("<rss><channel><pubDate>Mon, 11 Dec 2023 ", kSize, '0',
                           "</pubDate><item/></channel></rss>")},
        {"duration pieces",
         "<rss><channel><item><itunes:duration>" +
             repeated("1:", kSize / 2, "1</itunes:duration></item></channel></rss>")},
        {"duration digits", padded("<rss><channel><item><itunes:duration>", kSize, '7',
                                   "</itunes:duration></item></channel></rss>")},
        {"enclosure length", padded("<rss><channel><item><enclosure length=\"", kSize, '5',
                                    "\"/></item></channel></rss>")},
        {"media fileSize", padded("<rss><channel><item><media:content fileSize=\"", kSize, '3',
                                  "\"/></item></channel></rss>")},
    };
    for (const Case& c : cases) {
        const Result result = parse(c.document);
        ASSERT_TRUE(result.isSuccess()) << c.name << ": " << result.error()->errorDescription();
        const RSSFeed& rss = *result.feed()->rssFeed();
        ASSERT_TRUE(rss.items && rss.items->size() == 1) << c.name;
        EXPECT_FALSE(rss.ttl) << c.name;
        EXPECT_FALSE(rss.pubDate) << c.name;
        const RSSFeedItem& item = rss.items->front();
        EXPECT_FALSE(item.iTunes && item.iTunes->iTunesDuration) << c.name;
        if (item.enclosure && item.enclosure->attributes) {
            EXPECT_FALSE(item.enclosure->attributes->length) << c.name;
        }
    }
}

TEST(HugeValues, JSONNumbersOutOfRangeFailTheDocument) {
    const std::string head =
        R"({"version":"https://jsonfeed.org/version/1","title":"t","items":[{"id":"1","attachments":[{"url":"u",)";
    struct Case {
        const char* name;
        std::string member;
        bool decodes;
    };
    const Case cases[] = {
        {"size above 64 bits", R"("size_in_bytes":123456789012345678901234567890)", false},
        {"size of a million digits", "\"size_in_bytes\":" + padded("1", 1'000'000, '0', ""), false},
        {"size as 1e400", R"("size_in_bytes":1e400)", false},
        {"duration as 1e400", R"("duration_in_seconds":1e400)", false},
        {"duration as -1e400", R"("duration_in_seconds":-1e400)", false},
        {"duration of a million digits",
         "\"duration_in_seconds\":" + padded("1", 1'000'000, '0', ""), false},
        {"duration of a million fraction digits",
         "\"duration_in_seconds\":" + padded("0.", 1'000'000, '0', "1"), true},
        {"duration as 1e-400", R"("duration_in_seconds":1e-400)", true},
        {"exponent of a million digits",
         "\"duration_in_seconds\":" + padded("1e-", 1'000'000, '9', ""), true},
    };
    for (const Case& c : cases) {
        const std::string document = head + c.member + "}]}]}";
        const Result result = parse(document);
        EXPECT_EQ(result.isSuccess(), c.decodes)
            << c.name << ": " << (result.error() ? result.error()->errorDescription() : "");
        if (!result.isSuccess()) continue;
        const auto& attachment = result.feed()->jsonFeed()->items->front().attachments->front();
        ASSERT_TRUE(attachment.durationInSeconds) << c.name;
        // Too small for a double: it reads as zero.
        EXPECT_EQ(*attachment.durationInSeconds, 0.0) << c.name;
    }
}

// ---- Nesting ----------------------------------------------------------------

TEST(Nesting, AMillionLevelsEndInTheDepthError) {
    constexpr std::size_t kLevels = 1'000'000;
    struct Case {
        const char* name;
        std::string document;
        std::string reason;  // the error's reason contains this
    };
    const Case cases[] = {
        {"xml roots", repeated("<rss>", kLevels), "Elements nested deeper than 512 levels"},
        {"xml below the channel", "<rss><channel>" + repeated("<item>", kLevels),
         "Elements nested deeper than 512 levels"},
        {"xml closed", repeated("<a>", kLevels) + repeated("</a>", kLevels),
         "Elements nested deeper than 512 levels"},
        {"json arrays in a member", R"({"items":)" + repeated("[", kLevels),
         "nested more than 512 levels"},
        {"json objects", repeated("{", kLevels), "nested more than 512 levels"},
        {"json members", repeated(R"({"a":)", kLevels), "nested more than 512 levels"},
        {"json closed", R"({"items":)" + repeated("[", kLevels) + repeated("]", kLevels) + "}",
         "nested more than 512 levels"},
    };
    for (const Case& c : cases) {
        const Result result = parse(c.document);
        ASSERT_FALSE(result.isSuccess()) << c.name;
        EXPECT_EQ(result.error()->errorCase(), ParserError::Case::internalError) << c.name;
        EXPECT_NE(result.error()->reason().find(c.reason), std::string::npos)
            << c.name << ": " << result.error()->reason();
    }
    // An array at the top is no feed at all; the depth is never looked at.
    const std::string arrays = repeated("[", kLevels);
    EXPECT_EQ(parse(arrays).error()->errorCase(), ParserError::Case::feedNotFound);
}

// ---- Broken UTF-8 and NUL bytes ---------------------------------------------

constexpr std::array<std::string_view, 8> kBadSequences = {
    "\x80",              // a continuation byte alone
    "\xC0\xAF",          // overlong "/"
    "\xE0\x80\xBC",      // overlong "<"
    "\xED\xA0\x80",      // a UTF-16 surrogate
    "\xF4\x90\x80\x80",  // above U+10FFFF
    "\xE2\x82",          // cut short, then ASCII
    "\xFF",
    "\xFE",
};

struct Place {
    const char* name;
    std::string before;
    std::string after;
};

const std::vector<Place>& xmlPlaces() {
    static const std::vector<Place> places = {
        {"element name", "<rss><channel><ti", "tle>x</ti\x80tle></channel></rss>"},
        {"attribute value", "<rss><channel><item><enclosure url=\"a",
         "b\"/></item></channel></rss>"},
        {"attribute name", "<rss><channel><item><enclosure u",
         "rl=\"ab\"/></item></channel></rss>"},
        {"text", "<rss><channel><title>a", "b</title></channel></rss>"},
        {"unmapped text", "<rss><channel><nothing>a", "b</nothing></channel></rss>"},
        {"CDATA", "<rss><channel><title><![CDATA[a", "b]]></title></channel></rss>"},
        {"comment", "<rss><channel><!-- a", "b --><title>t</title></channel></rss>"},
        {"processing instruction", "<rss><channel><?pi a", "b?><title>t</title></channel></rss>"},
        {"declaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!-- ",
         " --><rss><channel/></rss>"},
    };
    return places;
}

TEST(BrokenUTF8, InXMLIsAnErrorWhereverItStands) {
    for (const Place& place : xmlPlaces()) {
        for (const std::string_view bad : kBadSequences) {
            const std::string document = place.before + std::string(bad) + place.after;
            const Result result = parse(document);
            ASSERT_FALSE(result.isSuccess())
                << place.name << " with " << ::testing::PrintToString(std::string(bad)) << "\n"
                << outcomeOf(result);
            EXPECT_EQ(result.error()->errorCase(), ParserError::Case::internalError) << place.name;
        }
    }
}

TEST(BrokenUTF8, InALatinDocumentIsJustText) {
    // The same bytes are characters once the document says it is not UTF-8.
    const std::string document =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><rss><channel><title>\x80\xC0\xFF"
        "</title></channel></rss>";
    const Result result = parse(document);
    ASSERT_TRUE(result.isSuccess()) << outcomeOf(result);
    EXPECT_EQ(result.feed()->rssFeed()->title->str(), "\xC2\x80\xC3\x80\xC3\xBF");
}

TEST(BrokenUTF8, InJSONIsAnError) {
    const std::vector<Place> places = {
        {"string value", R"({"version":"https://jsonfeed.org/version/1","title":"a)", R"(b"})"},
        {"member name", R"({"version":"https://jsonfeed.org/version/1","ti)", R"(tle":"t"})"},
        {"unknown member", R"({"version":"https://jsonfeed.org/version/1","title":"t","_x":"a)",
         R"("})"},
        {"tag",
         R"({"version":"https://jsonfeed.org/version/1","title":"t","items":[{"id":"1","tags":["a)",
         R"("]}]})"},
    };
    for (const Place& place : places) {
        for (const std::string_view bad : kBadSequences) {
            const std::string document = place.before + std::string(bad) + place.after;
            const Result result = parse(document);
            EXPECT_FALSE(result.isSuccess())
                << place.name << " with " << ::testing::PrintToString(std::string(bad)) << "\n"
                << outcomeOf(result);
        }
    }
}

TEST(BrokenUTF16, LoneSurrogatesAreErrors) {
    auto utf16le = [](std::u16string_view text) {
        std::string bytes = "\xFF\xFE";
        for (const char16_t unit : text) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        return bytes;
    };
    const std::u16string xml =
        u"<rss><channel><title>a\xD800"
        u"b</title></channel></rss>";
    const std::u16string json =
        u"{\"version\":\"https://jsonfeed.org/version/1\",\"title\":\"\xDC00\"}";
    for (const std::u16string& text : {xml, json}) {
        const std::string bytes = utf16le(text);
        EXPECT_FALSE(parse(bytes).isSuccess()) << outcomeOf(parse(bytes));
    }
}

TEST(EscapedSurrogates, InJSONPairOrFail) {
    const std::string head = R"({"version":"https://jsonfeed.org/version/1","title":")";
    struct Case {
        std::string escaped;
        bool decodes;
        std::string title;
    };
    const Case cases[] = {
        {R"(\ud83d\ude00)", true, "\xF0\x9F\x98\x80"},
        {R"(\uD83D\uDE00)", true, "\xF0\x9F\x98\x80"},
        {R"(\ud83d)", false, ""},
        {R"(\ud83dx)", false, ""},
        {R"(\ud83d\u0041)", false, ""},
        {R"(\ude00)", false, ""},
        {R"(\ude00\ud83d)", false, ""},
        {R"(\u00)", false, ""},
    };
    for (const Case& c : cases) {
        const Result result = parse(head + c.escaped + "\"}");
        ASSERT_EQ(result.isSuccess(), c.decodes) << c.escaped << ": " << outcomeOf(result);
        if (c.decodes) {
            EXPECT_EQ(result.feed()->jsonFeed()->title->str(), c.title) << c.escaped;
        }
    }
}

TEST(NulBytes, EndInAnErrorOrAreKeptWhole) {
    struct Case {
        const char* name;
        std::string document;
        bool decodes;
    };
    const Case cases[] = {
        {"xml, at the start", "\0<rss><channel><title>t</title></channel></rss>"s, false},
        {"xml, before the root", "<?xml version=\"1.0\"?>\0<rss><channel/></rss>"s, false},
        {"xml, in text", "<rss><channel><title>a\0b</title></channel></rss>"s, false},
        {"xml, in a name", "<rss><channel><ti\0tle>t</ti\0tle></channel></rss>"s, false},
        {"xml, in an attribute",
         "<rss><channel><item><guid isPermaLink=\"\0\"/></item></channel></rss>"s, false},
        {"xml, in CDATA", "<rss><channel><title><![CDATA[a\0b]]></title></channel></rss>"s, false},
        {"xml, as a reference", "<rss><channel><title>a&#0;b</title></channel></rss>"s, false},
        {"xml, after the root", "<rss><channel/></rss>\0\0\0"s, true},
        {"xml, only NULs", std::string(1000, '\0'), false},
        {"json, at the start",
         "\0{\"version\":\"https://jsonfeed.org/version/1\",\"title\":\"t\"}"s, false},
        {"json, raw in a string",
         "{\"version\":\"https://jsonfeed.org/version/1\",\"title\":\"a\0b\"}"s, false},
    };
    for (const Case& c : cases) {
        const Result result = parse(c.document);
        EXPECT_EQ(result.isSuccess(), c.decodes) << c.name << ": " << outcomeOf(result);
    }
    // Escaped, a NUL is a character like any other and must survive whole.
    const Result escaped =
        parse(R"({"version":"https://jsonfeed.org/version/1","title":"a\u0000b","items":[]})");
    ASSERT_TRUE(escaped.isSuccess()) << outcomeOf(escaped);
    EXPECT_EQ(escaped.feed()->jsonFeed()->title->str(), "a\0b"s);
    // The stream entry reads the same bytes to the same end.
    std::istringstream stream("<rss><channel><title>a\0b</title></channel></rss>"s);
    EXPECT_FALSE(FeedParser::fromXMLStream(stream).parse().isSuccess());
}

// ---- Real feeds, cut short or corrupted ----------------------------------------

/// Every 1000th byte, plus `randomCount` random cut points, in [0, size).
std::vector<std::size_t> cutPoints(std::size_t size, std::size_t randomCount) {
    std::vector<std::size_t> cuts;
    for (std::size_t at = 0; at < size; at += 1000) cuts.push_back(at);
    std::mt19937_64 random(20231211);
    for (std::size_t i = 0; i < randomCount; ++i) cuts.push_back(random() % size);
    return cuts;
}

TEST(Truncation, EveryPrefixOfAnXMLFeedIsAnError) {
    const std::string& document = podcastXML();
    ASSERT_GT(document.size(), 40000u);
    const std::size_t rootClosed = document.rfind("</rss>") + 6;
    ASSERT_TRUE(parse(document).isSuccess());
    for (const std::size_t cut : cutPoints(rootClosed, 300)) {
        const std::string_view prefix = std::string_view(document).substr(0, cut);
        const Result result = parse(prefix);
        ASSERT_FALSE(result.isSuccess()) << "prefix of " << cut << " bytes";
        const auto expected =
            cut == 0 ? ParserError::Case::feedNotFound : ParserError::Case::internalError;
        EXPECT_EQ(result.error()->errorCase(), expected) << "prefix of " << cut << " bytes";
    }
    // Nothing after the closing root tag is read.
    EXPECT_TRUE(parse(std::string_view(document).substr(0, rootClosed)).isSuccess());
}

TEST(Truncation, EveryPrefixOfAJSONFeedIsAnError) {
    const std::string& document = podcastJSON();
    ASSERT_GT(document.size(), 20000u);
    const std::size_t closed = document.rfind('}') + 1;
    ASSERT_TRUE(parse(document).isSuccess()) << outcomeOf(parse(document));
    for (const std::size_t cut : cutPoints(closed, 300)) {
        const Result result = parse(std::string_view(document).substr(0, cut));
        EXPECT_FALSE(result.isSuccess()) << "prefix of " << cut << " bytes";
    }
}

/// `document` with `count` single bytes changed, one at a time, each a fresh copy.
template <class Check>
void forEachCorruption(const std::string& document, std::size_t count, std::uint64_t seed,
                       Check&& check) {
    std::mt19937_64 random(seed);
    std::string copy = document;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = random() % document.size();
        auto byte = static_cast<char>(random() % 256);
        if (byte == document[at]) byte = static_cast<char>(~byte);
        copy[at] = byte;
        check(copy, at);
        copy[at] = document[at];
    }
}

TEST(Corruption, XMLReadsTheSameHoweverTheBytesArrive) {
    // One changed byte may turn the feed into an error or a different feed;
    // whichever it is must not depend on how the reader splits the input.
    static constexpr std::array<std::size_t, 4> kSplits = {1, 7, 4093, 2};
    detail::XmlReadOptions split;
    split.chunkPattern = kSplits;
    forEachCorruption(podcastXML(), 150, 1, [&](const std::string& bad, std::size_t at) {
        const std::string whole = outcomeOf(detail::parseXMLFeed(bad, {}));
        const std::string pieces = outcomeOf(detail::parseXMLFeed(bad, split));
        ASSERT_EQ(whole, pieces) << "byte " << at << " changed";
    });
}

TEST(Corruption, FrontEndEndsOnEveryChangedByte) {
    std::size_t feeds = 0;
    forEachCorruption(podcastXML(), 300, 2, [&](const std::string& bad, std::size_t) {
        feeds += parse(bad).isSuccess() ? 1 : 0;
    });
    // Most changed bytes land in text, where they stay text.
    EXPECT_GT(feeds, 0u);
}

TEST(Corruption, JSONThatDecodesWritesBackTheSame) {
    std::size_t feeds = 0;
    forEachCorruption(podcastJSON(), 300, 3, [&](const std::string& bad, std::size_t at) {
        const Result first = parse(bad);
        if (!first.isSuccess()) return;
        ++feeds;
        const JSONFeed* feed = first.feed()->jsonFeed();
        ASSERT_NE(feed, nullptr) << "byte " << at;
        const Result again = parse(encodeJSONFeed(*feed));
        ASSERT_TRUE(again.isSuccess()) << "byte " << at << ": " << outcomeOf(again);
        EXPECT_TRUE(*again.feed()->jsonFeed() == *feed) << "byte " << at;
    });
    EXPECT_GT(feeds, 0u);
}

}  // namespace
}  // namespace syndra::testing
