// The `syndra` command: prints a feed as JSON, or times the parser on a file.

#include "cli.hpp"

#include <syndra/feed_parser.hpp>

#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUsage =
    "usage: syndra dump [--pretty] [--summary] [--recover] <file|url|->\n"
    "       syndra encode [--pretty] <file|url|->\n"
    "       syndra bench [--recover] <file> [K]\n"
    "       syndra --help | --version\n"
    "\n"
    "  dump   parse a feed (file path, file:/http:/https:/feed: URL, or - for\n"
    "         standard input) and print it as JSON; on failure print\n"
    "         {\"error\":{...}} and exit 1; with --summary, print only the\n"
    "         fields every format has (title, link, items...); with --recover,\n"
    "         mend an XML document that is not well-formed and list the repairs\n"
    "         under \"warnings\"\n"
    "  encode parse a JSON Feed and print it written back out: every member in\n"
    "         the format's order, absent ones as null\n"
    "  bench  parse <file> K times (default 7) after WARMUP untimed runs\n"
    "         (default 1) and print: syndra <kind> <bytes> <items> <median s> <MB/s>;\n"
    "         with --recover, mending as dump does\n";

int usageError() {
    std::cerr << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) return usageError();
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << syndra::version() << '\n';
        return 0;
    }
    if (args[0] == "dump" || args[0] == "encode") {
        bool pretty = false;
        bool summary = false;
        bool recover = false;
        std::string_view source;
        bool haveSource = false;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--pretty") {
                pretty = true;
            } else if (args[i] == "--summary" && args[0] == "dump") {
                summary = true;
            } else if (args[i] == "--recover" && args[0] == "dump") {
                recover = true;
            } else if (args[i].size() > 1 && args[i][0] == '-') {
                return usageError();
            } else if (!haveSource) {
                source = args[i];
                haveSource = true;
            } else {
                return usageError();
            }
        }
        if (!haveSource) return usageError();
        return args[0] == "dump" ? syndra::cli::dump(source, pretty, summary, recover)
                                 : syndra::cli::encode(source, pretty);
    }
    if (args[0] == "bench") {
        std::vector<std::string_view> rest(args.begin() + 1, args.end());
        const bool recover = !rest.empty() && rest[0] == "--recover";
        if (recover) rest.erase(rest.begin());
        if (rest.empty() || rest.size() > 2 || rest[0].empty() || rest[0][0] == '-') {
            return usageError();
        }
        int repetitions = 7;
        if (rest.size() == 2) {
            const std::string k(rest[1]);
            char* end = nullptr;
            const long n = std::strtol(k.c_str(), &end, 10);
            if (*end != '\0' || n < 1 || n > 100000) return usageError();
            repetitions = static_cast<int>(n);
        }
        return syndra::cli::bench(rest[0], repetitions, recover);
    }
    return usageError();
}
