// Runs the built `syndra` command and checks what it prints and returns.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::string kBinary = std::string(TEST_BINARY_DIR) + "/tools/syndra/syndra";

struct CommandRun {
    int status = -1;
    std::string out;
};

CommandRun run(const std::string& arguments, const std::string& stdinText = "") {
    std::string command = kBinary + " " + arguments + " 2>/dev/null";
    std::string inputFile;
    if (!stdinText.empty()) {
        // ctest runs tests in parallel processes: every file name is the process's own.
        inputFile = ::testing::TempDir() + "syndra-cli-stdin-" + std::to_string(::getpid());
        std::ofstream(inputFile, std::ios::binary) << stdinText;
        command += " < '" + inputFile + "'";
    }
    CommandRun r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        r.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (!inputFile.empty()) std::remove(inputFile.c_str());
    return r;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kBinary))
            GTEST_SKIP() << "build syndra_cli first: " << kBinary;
        feed_ = ::testing::TempDir() + "syndra-cli-feed-" + std::to_string(::getpid()) + ".xml";
        std::ofstream(feed_) << "<rss version='2.0'><channel><title>T</title>"
                                "<item><title>a</title></item><item/></channel></rss>";
    }
    void TearDown() override { std::remove(feed_.c_str()); }
    std::string feed_;
};

TEST_F(Cli, ExitStatusesAndOutputs) {
    struct Case {
        std::string arguments, stdinText;
        int status;
        std::string outputStart;
    };
    const Case cases[] = {
        {"--version", "", 0, "Syndra "},
        {"--help", "", 0, "usage: syndra"},
        {"", "", 2, ""},
        {"--frobnicate", "", 2, ""},
        {"dump", "", 2, ""},
        {"dump --ugly x", "", 2, ""},
        {"bench", "", 2, ""},
        {"bench x 0", "", 2, ""},
        {"dump " + feed_, "", 0, "{\"kind\":\"rss\""},
        {"dump --pretty " + feed_, "", 0, "{\n  \"kind\": \"rss\""},
        {"dump -", "<feed><title>x</title></feed>", 0, "{\"kind\":\"atom\""},
        {"dump --recover -", "<rss><channel><title>a & b</title></channel></rss>", 0,
         R"({"kind":"rss","feed":{"title":"a & b"},"warnings":[{"line":1,"column":24,)"
         R"("message":"& that starts no reference read as text"}]})"},
        {"dump /nonexistent/feed.xml", "", 1,
         "{\"error\":{\"case\":\"internalError\",\"kind\":\"file\",\"code\":-90000,"
         "\"domain\":\"com.syndra.error\","
         "\"description\":\"Internal unresolved error: No such file: /nonexistent/feed.xml\""},
        {"dump -", "nothing", 1,
         "{\"error\":{\"case\":\"feedNotFound\",\"kind\":\"notAFeed\",\"code\":-1000,"
         "\"domain\":\"com.syndra.error\","
         "\"description\":\"Feed not found\",\"failureReason\":\"Couldn't parse any known "
         "feed\",\"recoverySuggestion\":\"Provide a valid Atom/RSS/JSON feed \"}}\n"},
        {"dump gopher://example.com/", "", 1, "{\"error\":{\"case\":\"internalError\""},
        {"encode -", R"({"title":"T","items":[{"id":7,"tags":["a"]}]})", 0,
         R"({"version":null,"title":"T","user_comment":null,"home_page_url":null,)"},
        {"encode " + feed_, "", 1,
         "{\"error\":{\"case\":\"internalError\",\"kind\":\"notAFeed\",\"code\":-90000,"
         "\"domain\":\"com.syndra.error\","
         "\"description\":\"Internal unresolved error: encode reads JSON Feed documents; this is "
         "an RSS "
         "feed\""},
        {"encode", "", 2, ""},
    };
    for (const Case& c : cases) {
        const CommandRun r = run(c.arguments, c.stdinText);
        EXPECT_EQ(r.status, c.status) << c.arguments;
        EXPECT_EQ(r.out.rfind(c.outputStart, 0), 0u) << c.arguments << "\n" << r.out;
    }
}

TEST_F(Cli, BenchPrintsOneLine) {
    const CommandRun r = run("bench " + feed_ + " 3");
    ASSERT_EQ(r.status, 0);
    std::istringstream line(r.out);
    std::string tool, kind;
    std::size_t bytes = 0, items = 0;
    double seconds = -1, rate = -1;
    line >> tool >> kind >> bytes >> items >> seconds >> rate;
    EXPECT_EQ(tool, "syndra");
    EXPECT_EQ(kind, "rss");
    EXPECT_EQ(bytes, std::filesystem::file_size(feed_));
    EXPECT_EQ(items, 2u);
    EXPECT_GE(seconds, 0.0);
    EXPECT_GE(rate, 0.0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
}

}  // namespace
