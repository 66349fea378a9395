#include "walk_test_model.hpp"

#include "support/case_file.hpp"

#include <gtest/gtest.h>

#include <atomic>

namespace syndra::testing {
namespace {

// Documents with the events or the error they must give are kept in
// data/walk/documents.txt.
TEST(WalkDocuments, GiveTheirEventsOrTheirError) {
    const auto cases = testsupport::readCases(TEST_DATA_DIR "/walk/documents.txt");
    ASSERT_GT(cases.size(), 30u);
    for (const auto& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line) + ": " + c[0]);
        const std::string& kind = c[2];
        const std::vector<std::string> expected(c.fields.begin() + 3, c.fields.end());
        detail::XmlReadOptions options;
        if (kind == "bytewise") options.chunkSize = 1;
        const WalkOutcome outcome = walkDocument(c[1], options);
        if (kind == "error") {
            ASSERT_EQ(expected.size(), 1u);
            const std::string& error = expected[0];
            if (error.ends_with("...")) {
                EXPECT_TRUE(errorOf(outcome).starts_with(error.substr(0, error.size() - 3)))
                    << errorOf(outcome);
            } else {
                EXPECT_EQ(errorOf(outcome), error);
            }
            continue;
        }
        ASSERT_EQ(outcome.index(), kind == "atom" ? 2u : 1u) << errorOf(outcome);
        const auto events = eventsOf(outcome);
        if (kind == "bytewise") {
            ASSERT_FALSE(events.empty());
            EXPECT_TRUE(events.back() == expected.at(0)) << events.back().substr(0, 80);
        } else {
            EXPECT_EQ(events, expected);
        }
    }
}

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
