#include "cli.hpp"

#include <syndra/dump.hpp>
#include <syndra/feed_parser.hpp>

#include <cctype>
#include <filesystem>
#include <iostream>
#include <iterator>
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

// A file: URL for a local path, so that the library's own file reading (and
// its error texts) serve the command too.
std::string fileURL(std::string_view path) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), ec);
    const std::string text = ec ? std::string(path) : absolute.string();
    std::string url = "file://";
    for (const char c : text) {
        if (c == '%' || c == '?' || c == '#') {
            static constexpr char hex[] = "0123456789ABCDEF";
            url += '%';
            url += hex[static_cast<unsigned char>(c) >> 4];
            url += hex[static_cast<unsigned char>(c) & 0xF];
        } else {
            url += c;
        }
    }
    return url;
}

}  // namespace

Result parseSource(std::string_view source) {
    Result result = ParserError::feedNotFound();
    if (source == "-") {
        std::string bytes((std::istreambuf_iterator<char>(std::cin)),
                          std::istreambuf_iterator<char>());
        if (std::cin.bad()) {
            result = ParserError::internalError("Unable to read standard input");
        } else {
            result = FeedParser::fromData(std::move(bytes)).parse();
        }
    } else {
        std::error_code ec;
        const bool exists = std::filesystem::exists(std::filesystem::path(source), ec);
        const std::string url =
            (exists || !hasScheme(source)) ? fileURL(source) : std::string(source);
        result = FeedParser::fromURL(url).parse();
    }
    return result;
}

int dump(std::string_view source, bool pretty) {
    const Result result = parseSource(source);
    if (const ParserError* error = result.error()) {
        std::cout << errorJSON(*error) << '\n';
        return 1;
    }
    std::cout << toJSON(*result.feed(), pretty ? 2 : -1) << '\n';
    return std::cout.good() ? 0 : 1;
}

}  // namespace syndra::cli
