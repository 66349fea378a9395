#pragma once

#include <syndra/feed.hpp>
#include <syndra/options.hpp>

#include <string>
#include <string_view>

namespace syndra::cli {

/// Parses a file path, a URL, or standard input ("-").
Result parseSource(std::string_view source, const Options& options = {});

/// `syndra dump [--pretty] [--summary] [--recover] <file|url|->`; returns the
/// exit status.
int dump(std::string_view source, bool pretty, bool summary, bool recover);

/// `syndra encode [--pretty] <file|url|->`: a JSON Feed written back out;
/// returns the exit status.
int encode(std::string_view source, bool pretty);

/// `syndra bench [--recover] <file> [K]`; returns the exit status.
int bench(std::string_view file, int repetitions, bool recover);

/// {"error":{...}} for `error`, on one line.
std::string errorJSON(const ParserError& error);

}  // namespace syndra::cli
