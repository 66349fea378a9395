#pragma once

// Test cases kept as data, one a line: fields parted by " | ", written with
// escapes so that any byte fits on a line (\n \r \t \0 \\ \| \xHH) and long
// runs stay short (\[300*ab] is "ab" 300 times). Empty lines and lines
// starting with '#' are comments.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

struct CaseLine {
    int line = 0;  // in the file, for messages
    std::vector<std::string> fields;
    const std::string& operator[](std::size_t i) const { return fields.at(i); }
};

inline std::string unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        static constexpr std::string_view kSimple("n\nr\rt\t0\0", 8);  // letter, byte
        if (const auto k = kSimple.find(c); k != std::string_view::npos && k % 2 == 0) {
            out += kSimple[k + 1];
        } else if (c == 'x') {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else if (c == '[') {
            const std::size_t star = text.find('*', i);
            std::size_t end = star + 1;
            while (end < text.size() && text[end] != ']') end += text[end] == '\\' ? 2 : 1;
            if (star == std::string_view::npos || end >= text.size())
                throw std::invalid_argument("unclosed \\[ in " + std::string(text));
            const std::string piece = unescape(text.substr(star + 1, end - star - 1));
            for (int n = std::stoi(std::string(text.substr(i + 1, star - i - 1))); n > 0; --n)
                out += piece;
            i = end;
        } else {
            out += c;
        }
    }
    return out;
}

/// The cases in `path`, each field unescaped; a missing file is an empty list
/// the caller should notice.
inline std::vector<CaseLine> readCases(const std::string& path) {
    std::vector<CaseLine> cases;
    std::ifstream in(path, std::ios::binary);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        CaseLine c{number, {}};
        std::size_t from = 0;
        for (std::size_t bar; (bar = line.find(" | ", from)) != std::string::npos; from = bar + 3)
            c.fields.push_back(unescape(std::string_view(line).substr(from, bar - from)));
        c.fields.push_back(unescape(std::string_view(line).substr(from)));
        cases.push_back(std::move(c));
    }
    return cases;
}

/// The whole file's bytes; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace testsupport
