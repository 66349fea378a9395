// Whole documents built to hurt the front end: huge nodes and values, deep
// nesting, broken UTF-8 and NULs, real feeds cut short or corrupted. Each must
// end in a feed or an error, in bounded memory. Most documents are kept in
// data/hostile/. (Megabyte tokens fed a byte at a time and entity
// amplification are read at the walk's level: data/walk/documents.txt.)

#include <syndra/dump.hpp>
#include <syndra/feed_parser.hpp>

#include "detail/xml_feed_parser.hpp"
#include "detail/xml_reader.hpp"
#include "support/case_file.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace syndra::testing {
namespace {

using testsupport::readFile;

using namespace std::string_literals;

Result parse(std::string_view bytes) {
    return FeedParser::fromDataView(bytes).parse();
}

/// What a result says, in one comparable line: the dump, or the error with its
/// kind (and its path, which a public error never has).
std::string outcomeOf(const Result& result) {
    const ParserError* error = result.error();
    if (error == nullptr) return toJSON(*result.feed());
    const std::string path = error->path().empty() ? "" : " at " + error->path();
    return "error: " + error->errorDescription() + " [" + kindName(error->kind()) + path + "]";
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

// Documents past each limit are kept in data/hostile/limits.txt.
TEST(Limits, FailPromptlyNamingTheLimit) {
    const auto cases = testsupport::readCases(TEST_DATA_DIR "/hostile/limits.txt");
    ASSERT_GT(cases.size(), 9u);
    for (const auto& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line) + ": " + c[0]);
        Options options;
        const auto equals = c[0].find('=');
        const std::string limit = c[0].substr(0, equals);
        const std::size_t value =
            equals == std::string::npos ? 0 : std::stoul(c[0].substr(equals + 1));
        if (limit == "maxItems") options.maxItems = value;
        if (limit == "maxDepth") options.maxDepth = static_cast<int>(value);
        if (limit == "maxModelBytes") options.maxModelBytes = value;
        if (limit == "maxDocumentBytes") options.maxDocumentBytes = value;
        const std::string& document = c[1];
        const long long before = peakResidentBytes(true);
        const Result viewed = FeedParser::fromDataView(document, options).parse();
        const long long growth = peakResidentBytes() - before;
        std::istringstream stream(document);
        const Result streamed = FeedParser::fromStream(stream, options).parse();
        for (const Result* result : {&viewed, &streamed}) {
            ASSERT_FALSE(result->isSuccess());
            EXPECT_STREQ(kindName(result->error()->kind()), c[2].c_str());
            EXPECT_EQ(result->error()->reason(), c[3]);
        }
        if (before > 0) {
            EXPECT_LT(growth, 2 * static_cast<long long>(document.size()) + (64 << 20))
                << "peak resident memory grew by " << (growth >> 20) << " MB";
        }
    }
}

// Documents with what their outcome must hold are kept in data/hostile/outcomes.txt.
TEST(HostileDocuments, EndInTheirFeedOrTheirError) {
    const auto cases = testsupport::readCases(TEST_DATA_DIR "/hostile/outcomes.txt");
    ASSERT_GT(cases.size(), 30u);
    for (const auto& c : cases) {
        const std::string outcome = outcomeOf(parse(c[0]));
        EXPECT_NE(outcome.find(c[1]), std::string::npos)
            << "line " << c.line << ": " << ::testing::PrintToString(c[0].substr(0, 40)) << " gave "
            << outcome.substr(0, 200);
    }
    // The stream entry does not drop a NUL either.
    std::istringstream stream("<rss><channel><title>a\0b</title></channel></rss>"s);
    EXPECT_FALSE(FeedParser::fromXMLStream(stream).parse().isSuccess());
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
// whichever it is must not depend on how the reader splits the input, nor on
// the thread that reads it.
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
        split.useSecondThread = i % 2 == 1;
        ASSERT_EQ(outcomeOf(detail::parseXMLFeed(bad, {})),
                  outcomeOf(detail::parseXMLFeed(bad, split)))
            << "byte " << at << " changed";
        bad[at] = document[at];
    }
}

}  // namespace
}  // namespace syndra::testing
