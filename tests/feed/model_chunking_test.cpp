// Whole feeds, read through the real tables, come out the same however the
// tokenizer's input is cut: a value split across chunks (a date, a duration,
// a list of tags, an entity in the middle of a title) still converts whole.
// The same holds when expat reads on a second thread and the events reach
// the model through the relay.

#include "detail/xml_feed_parser.hpp"

#include "support/case_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

using testsupport::readFile;

// Every golden document, cut in many ways, read directly and relayed.
TEST(ChunkedFeeds, ModelDoesNotDependOnWhereTheInputIsSplit) {
    std::mt19937 random(7);
    std::vector<std::size_t> ragged;
    for (int i = 0; i < 997; ++i) ragged.push_back(1 + random() % 61);
    // (No pattern: the reader's own chunks, where long runs travel by reference.)
    const std::vector<std::vector<std::size_t>> patterns = {{}, {1}, {2, 3, 5, 7, 11, 13}, ragged};
    int documents = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(TEST_DATA_DIR) / "golden")) {
        if (entry.path().extension() != ".xml") continue;
        ++documents;
        SCOPED_TRACE(entry.path().filename().string());
        const std::string document = readFile(entry.path());
        const syndra::Result whole = syndra::detail::parseXMLFeed(document);
        ASSERT_TRUE(whole.isSuccess()) << whole.error()->reason();
        for (const bool relayed : {false, true}) {
            for (const auto& pattern : patterns) {
                syndra::detail::XmlReadOptions options;
                options.chunkPattern = pattern;
                options.useSecondThread = relayed;
                const syndra::Result split = syndra::detail::parseXMLFeed(document, options);
                ASSERT_TRUE(split.isSuccess());
                EXPECT_TRUE(*split.feed() == *whole.feed())
                    << "chunks " << pattern.size() << ", relayed " << relayed;
            }
        }
    }
    EXPECT_GT(documents, 8);
}

}  // namespace
