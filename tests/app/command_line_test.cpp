#include <app/command_line.hpp>

#include <gtest/gtest.h>

namespace {

using app::parseCommandLine;

struct Case {
    const char* name;
    std::vector<std::string> arguments;
    bool ok;
    bool help = false;
    bool version = false;
    std::optional<std::string> feed = std::nullopt;
    std::optional<std::string> snapshot = std::nullopt;
    std::string state = "initial";
};

class CommandLineTest : public testing::TestWithParam<Case> {};

TEST_P(CommandLineTest, Parses) {
    const Case& c = GetParam();
    const auto result = parseCommandLine(c.arguments);
    ASSERT_EQ(result.options.has_value(), c.ok) << result.error;
    if (!c.ok) {
        EXPECT_FALSE(result.error.empty());
        return;
    }
    EXPECT_EQ(result.options->showHelp, c.help);
    EXPECT_EQ(result.options->showVersion, c.version);
    EXPECT_EQ(result.options->feedURL, c.feed);
    EXPECT_EQ(result.options->snapshotPath, c.snapshot);
    EXPECT_EQ(result.options->snapshotState, c.state);
}

INSTANTIATE_TEST_SUITE_P(
    Options, CommandLineTest,
    testing::Values(
        Case{"Nothing", {}, true}, Case{"Help", {"--help"}, true, true},
        Case{"Version", {"--version"}, true, false, true},
        Case{"FeedHttps",
             {"--feed", "https://example.org/f.xml"},
             true,
             false,
             false,
             "https://example.org/f.xml"},
        Case{"FeedFileWithEquals",
             {"--feed=file:///tmp/f.xml"},
             true,
             false,
             false,
             "file:///tmp/f.xml"},
        Case{"FeedHttp",
             {"--feed", "http://127.0.0.1:8080/feed.xml"},
             true,
             false,
             false,
             "http://127.0.0.1:8080/feed.xml"},
        Case{"FeedWithoutURL", {"--feed"}, false},
        Case{"FeedWithOtherScheme", {"--feed", "ftp://example.org/f.xml"}, false},
        Case{"FeedPlainPath", {"--feed", "/tmp/feed.xml"}, false},
        Case{"UnknownLong", {"--bogus"}, false}, Case{"UnknownShort", {"-x"}, false},
        Case{"StrayArgument", {"feed.xml"}, false},
        Case{"Snapshot", {"--snapshot", "deck.png"}, true, false, false, std::nullopt, "deck.png"},
        Case{"SnapshotWithState",
             {"--state", "waiting", "--snapshot", "deck.png"},
             true,
             false,
             false,
             std::nullopt,
             "deck.png",
             "waiting"},
        Case{"SnapshotWithoutFile", {"--snapshot"}, false},
        Case{"UnknownState", {"--snapshot", "deck.png", "--state", "paused"}, false},
        Case{"StateWithoutSnapshot", {"--state", "playing"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, UsageNamesEveryOption) {
    const std::string text = app::usage("cassivo");
    for (const char* option :
         {"--feed URL", "--snapshot FILE.png", "--state STATE", "--help", "--version"}) {
        EXPECT_NE(text.find(option), std::string::npos) << option;
    }
}

}  // namespace
