#include "detail/html_entities.hpp"

#include "detail/encoding.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace syndra::detail {
namespace {

struct Entity {
    std::string_view name;
    std::string_view text;
};

constexpr Entity kEntities[] = {
#include "detail/html_entities.inc"
};

bool isAsciiAlpha(char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isAsciiAlnum(char c) noexcept {
    return isAsciiAlpha(c) || (c >= '0' && c <= '9');
}

// The longest HTML entity name has 31 characters.
constexpr std::size_t kMaxNameLength = 32;

// XML's own five, which the table leaves out. Most references in a feed are
// these ("&lt;p&gt;" in escaped HTML), so they are told apart before a search.
bool isPredefined(std::string_view name) noexcept {
    switch (name.size()) {
        case 2:
            return name == "lt" || name == "gt";
        case 3:
            return name == "amp";
        case 4:
            return name == "quot" || name == "apos";
        default:
            return false;
    }
}

const Entity* find(std::string_view name) noexcept {
    const auto* begin = std::begin(kEntities);
    const auto* end = std::end(kEntities);
    const auto* it = std::lower_bound(
        begin, end, name, [](const Entity& e, std::string_view n) { return e.name < n; });
    return (it != end && it->name == name) ? it : nullptr;
}

}  // namespace

std::optional<std::string_view> htmlEntity(std::string_view name) noexcept {
    if (const Entity* e = find(name)) return e->text;
    return std::nullopt;
}

std::string htmlEntityDeclarations(std::string_view document) {
    if (document.empty()) return {};
    // Each name is declared once, in order of first use; a flag per table
    // entry keeps that check constant-time.
    std::vector<const Entity*> used;
    std::vector<bool> declared(std::size(kEntities), false);
    const char* p = document.data();
    const char* const end = p + document.size();
    while ((p = static_cast<const char*>(std::memchr(p, '&', static_cast<std::size_t>(end - p)))) !=
           nullptr) {
        const char* nameStart = ++p;
        if (p == end || !isAsciiAlpha(*p)) continue;
        while (p < end && isAsciiAlnum(*p) &&
               static_cast<std::size_t>(p - nameStart) <= kMaxNameLength) {
            ++p;
        }
        if (p == end || *p != ';') continue;
        const std::string_view name(nameStart, static_cast<std::size_t>(p - nameStart));
        if (isPredefined(name)) continue;
        const Entity* e = find(name);
        if (e == nullptr) continue;
        const auto index = static_cast<std::size_t>(e - std::begin(kEntities));
        if (!declared[index]) {
            declared[index] = true;
            used.push_back(e);
        }
    }
    std::string dtd;
    for (const Entity* e : used) {
        dtd += "<!ENTITY ";
        dtd += e->name;
        dtd += " \"";
        // "&#38;#x..;" puts a character reference into the replacement text, so
        // that even "&" and "<" come out as characters, in content and in
        // attribute values alike.
        forEachCodePoint(e->text, UnicodeForm::utf8, [&](char32_t c) {
            char ref[24];
            std::snprintf(ref, sizeof ref, "&#38;#x%X;", static_cast<unsigned>(c));
            dtd += ref;
            return true;
        });
        dtd += "\">\n";
    }
    return dtd;
}

}  // namespace syndra::detail
