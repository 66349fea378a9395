#include "cli.hpp"

#include <syndra/dump.hpp>
#include <syndra/feed_parser.hpp>

#include <nlohmann/json.hpp>

#include <cctype>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace syndra::cli {
namespace {

bool hasScheme(std::string_view s) {
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos || colon < 2) return false;  // "C:" is no scheme
    if (!std::isalpha(static_cast<unsigned char>(s[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

}  // namespace

Result parseSource(std::string_view source, const Options& options) {
    if (source == "-") return FeedParser::fromStream(std::cin, options).parse();
    const std::filesystem::path path(source);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || !hasScheme(source)) {
        return FeedParser::fromFile(path, options).parse();
    }
    return FeedParser::fromURL(std::string(source), options).parse();
}

int dump(std::string_view source, bool pretty, bool summary, bool recover) {
    Options options;
    options.recover = recover;
    const Result result = parseSource(source, options);
    if (const ParserError* error = result.error()) {
        std::cout << errorJSON(*error) << '\n';
        return 1;
    }
    const int indent = pretty ? 2 : -1;
    std::string out =
        summary ? toJSON(summarize(*result.feed()), indent) : toJSON(*result.feed(), indent);
    if (recover) {
        // The repairs go last, beside what the dump already holds.
        auto json = nlohmann::ordered_json::parse(out);
        auto& warnings = json["warnings"] = nlohmann::ordered_json::array();
        for (const Warning& warning : result.warnings()) {
            warnings.push_back(
                {{"line", warning.line}, {"column", warning.column}, {"message", warning.message}});
        }
        out = json.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
    }
    std::cout << out << '\n';
    return std::cout.good() ? 0 : 1;
}

}  // namespace syndra::cli
