#include <platform/diagnostics.hpp>

#include <cstdio>
#include <mutex>
#include <string>

namespace platform {

LinePrinter standardOutput() {
    return [](std::string_view line) {
        std::string text(line);
        text += '\n';
        // One write per line: stdio locks the stream for the call.
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    };
}

}  // namespace platform
