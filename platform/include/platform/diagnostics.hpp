#pragma once

#include <functional>
#include <string_view>

namespace platform {

/// Where diagnostic lines go: one call per line, without the newline.
using LinePrinter = std::function<void(std::string_view line)>;

/// Prints each line to standard output and flushes, so lines from different
/// threads never interleave mid-line and show up at once in logs.
LinePrinter standardOutput();

}  // namespace platform
