// Runs the built `syndra` command and checks what it prints and returns.

#include "support/case_file.hpp"

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

// The command lines and what they must give are kept in data/cli.txt.
TEST_F(Cli, ExitStatusesAndOutputs) {
    const auto cases = testsupport::readCases(TEST_DATA_DIR "/cli.txt");
    ASSERT_GT(cases.size(), 15u);
    for (const auto& c : cases) {
        std::string arguments = c[0];
        if (const auto at = arguments.find("{feed}"); at != std::string::npos)
            arguments.replace(at, 6, feed_);
        const CommandRun r = run(arguments, c[1]);
        EXPECT_EQ(r.status, std::stoi(c[2])) << "line " << c.line << ": " << arguments;
        const std::string start = c.fields.size() > 3 ? c[3] : "";
        EXPECT_EQ(r.out.rfind(start, 0), 0u) << "line " << c.line << ": " << arguments << "\n"
                                             << r.out;
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
