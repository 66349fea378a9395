#pragma once

#include <optional>
#include <string>
#include <vector>

namespace app {

/// What the command line asks for.
struct Options {
    bool showHelp = false;
    bool showVersion = false;
    /// Overrides the built-in feed URL (file, http or https).
    std::optional<std::string> feedURL;
    /// Renders the window to this PNG file and exits, touching no network.
    std::optional<std::string> snapshotPath;
    /// The state the snapshot shows: "initial", "playing", "waiting" or "error".
    std::string snapshotState = "initial";
};

struct CommandLine {
    std::optional<Options> options;  // set when the arguments made sense
    std::string error;               // why not, otherwise
};

/// Reads the arguments after the program name. Qt's own options (-platform,
/// -style, ...) have been taken out by QApplication already.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

/// The usage text printed by --help and after a bad option.
std::string usage(const std::string& programName);

}  // namespace app
