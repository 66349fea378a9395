#include <app/command_line.hpp>

#include <string_view>

namespace app {
namespace {

bool hasAllowedScheme(std::string_view url) {
    for (std::string_view scheme : {"file:", "http:", "https:"}) {
        if (url.size() > scheme.size() && url.substr(0, scheme.size()) == scheme) return true;
    }
    return false;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.showHelp = true;
        } else if (argument == "--version") {
            options.showVersion = true;
        } else if (argument == "--feed" || argument.rfind("--feed=", 0) == 0) {
            std::string url;
            if (argument == "--feed") {
                if (i + 1 >= arguments.size()) return {std::nullopt, "--feed needs a URL"};
                url = arguments[++i];
            } else {
                url = argument.substr(7);
            }
            if (!hasAllowedScheme(url)) {
                return {std::nullopt,
                        "--feed needs a file:, http: or https: URL, not \"" + url + "\""};
            }
            options.feedURL = url;
        } else if (argument == "--snapshot") {
            if (i + 1 >= arguments.size()) return {std::nullopt, "--snapshot needs a file name"};
            options.snapshotPath = arguments[++i];
        } else if (argument == "--state") {
            if (i + 1 >= arguments.size()) return {std::nullopt, "--state needs a state name"};
            const std::string& state = arguments[++i];
            if (state != "initial" && state != "playing" && state != "waiting" &&
                state != "error") {
                return {std::nullopt, "--state must be initial, playing, waiting or error, not \"" +
                                          state + "\""};
            }
            options.snapshotState = state;
        } else {
            return {std::nullopt, "unknown option \"" + argument + "\""};
        }
    }
    if (options.snapshotState != "initial" && !options.snapshotPath) {
        return {std::nullopt, "--state goes with --snapshot"};
    }
    return {options, {}};
}

std::string usage(const std::string& programName) {
    return "Usage: " + programName +
           " [--feed URL] [--snapshot FILE.png [--state STATE]] [--help] [--version]\n"
           "\n"
           "Plays one podcast like a radio station: every episode owns an hour of an\n"
           "endless loop keyed to the wall clock.\n"
           "\n"
           "  --feed URL   read the podcast from URL (file:, http: or https:) instead\n"
           "               of the built-in feed\n"
           "  --snapshot FILE.png\n"
           "               draw the window at 2x into FILE.png and exit (no network)\n"
           "  --state STATE\n"
           "               what the snapshot shows: initial, playing, waiting or error\n"
           "  --help       show this text and exit\n"
           "  --version    show the version and exit\n";
}

}  // namespace app
