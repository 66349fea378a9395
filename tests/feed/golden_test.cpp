// Whole documents, parsed and dumped, against expected dumps kept beside
// them: data/golden/<name>.xml and data/golden/<name>.json; broken documents
// (<name>.xml or <name>.jsonfeed) in data/golden/recover/, read with recover
// (<name>.json, with the warnings) and without it (<name>.error); and the
// summaries of three feeds, one of each format, in data/summary/. Run with
// UPDATE_GOLDEN=1 to rewrite the expected files after an intended change
// (then read the diff before committing it).

#include <syndra/dump.hpp>
#include <syndra/feed_parser.hpp>
#include <syndra/summary.hpp>

#include "support/case_file.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace syndra {
namespace {

using testsupport::readFile;

namespace fs = std::filesystem;

fs::path goldenDirectory() {
    return fs::path(TEST_DATA_DIR) / "golden";
}

std::vector<std::string> goldenNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(goldenDirectory())) {
        if (entry.path().extension() == ".xml") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

/// The block of lines where two texts differ, after their common beginning
/// and end, with line numbers; enough to see what changed.
std::string differingLines(const std::string& expected, const std::string& actual) {
    const auto a = linesOf(expected);
    const auto b = linesOf(actual);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
        ++tail;
    }
    constexpr std::size_t context = 3;
    constexpr std::size_t limit = 40;
    std::ostringstream out;
    const std::size_t from = head > context ? head - context : 0;
    for (std::size_t i = from; i < head; ++i) out << "  " << i + 1 << "   " << a[i] << '\n';
    for (std::size_t i = head; i < a.size() - tail && i < head + limit; ++i) {
        out << "- " << i + 1 << "   " << a[i] << '\n';
    }
    for (std::size_t i = head; i < b.size() - tail && i < head + limit; ++i) {
        out << "+ " << i + 1 << "   " << b[i] << '\n';
    }
    return out.str();
}

void expectGolden(const std::string& actual, const fs::path& expectedPath) {
    const char* update = std::getenv("UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(expectedPath, std::ios::binary) << actual;
        GTEST_SKIP() << "rewrote " << expectedPath;
    }
    ASSERT_TRUE(fs::exists(expectedPath))
        << expectedPath << " is missing; run with UPDATE_GOLDEN=1 to create it";
    const std::string expected = readFile(expectedPath);
    EXPECT_TRUE(actual == expected)
        << "the dump differs from " << expectedPath << " (- expected, + actual):\n"
        << differingLines(expected, actual);
}

Feed parsedFile(const fs::path& document) {
    Result result = FeedParser::fromFile(document).parse();
    if (!result) {
        ADD_FAILURE() << document << ": " << result.error()->reason();
        return Feed(RSSFeed{});
    }
    return std::move(*result.feed());
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, ParsesToTheExpectedModel) {
    const Feed feed = parsedFile(goldenDirectory() / (GetParam() + ".xml"));
    expectGolden(toJSON(feed, 2) + "\n", goldenDirectory() / (GetParam() + ".json"));
}

TEST(GoldenRecovery, BrokenFeedsReadMendedAndFailWithout) {
    for (const auto& entry : fs::directory_iterator(goldenDirectory() / "recover")) {
        const fs::path& document = entry.path();
        if (document.extension() != ".xml" && document.extension() != ".jsonfeed") continue;
        SCOPED_TRACE(document.filename().string());
        Options options;
        options.recover = true;
        const Result mended = FeedParser::fromFile(document, options).parse();
        ASSERT_TRUE(mended.isSuccess()) << mended.error()->reason();
        // As `syndra dump --recover --pretty` prints it.
        auto json = nlohmann::ordered_json::parse(toJSON(*mended.feed()));
        auto& warnings = json["warnings"] = nlohmann::ordered_json::array();
        for (const Warning& w : mended.warnings()) {
            warnings.push_back({{"line", w.line}, {"column", w.column}, {"message", w.message}});
        }
        expectGolden(json.dump(2) + "\n", fs::path(document).replace_extension(".json"));
        const Result strict = FeedParser::fromFile(document).parse();
        ASSERT_FALSE(strict.isSuccess());
        expectGolden(strict.error()->errorDescription() + "\n",
                     fs::path(document).replace_extension(".error"));
    }
}

TEST(GoldenSummary, EachFormatSummarizesAsExpected) {
    const fs::path data(TEST_DATA_DIR);
    const std::pair<fs::path, const char*> feeds[] = {
        {data / "golden" / "podcast.xml", "podcast_rss.json"},
        {data / "golden" / "atom_media.xml", "atom_blog.json"},
        {data / "hostile" / "podcast.json", "json_feed.json"},
    };
    for (const auto& [document, expected] : feeds) {
        SCOPED_TRACE(document.filename().string());
        expectGolden(toJSON(summarize(parsedFile(document)), 2) + "\n",
                     data / "summary" / expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Feeds, Golden, ::testing::ValuesIn(goldenNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

}  // namespace
}  // namespace syndra
