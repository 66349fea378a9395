#include "detail/xml_repair.hpp"

#include "detail/html_entities.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <unordered_set>

namespace syndra::detail {
namespace {

bool isSpace(unsigned char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isNameStart(unsigned char c) noexcept {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
}
bool isNameChar(unsigned char c) noexcept {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
// What ends the name of an element or an attribute as markup sees it.
bool endsName(unsigned char c) noexcept {
    return isSpace(c) || c == '>' || c == '/' || c == '=' || c == '<' || c == '"' || c == '\'';
}
char asciiLower(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c;
}
bool sameIgnoringCase(std::string_view a, std::string_view b) noexcept {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}
bool isXmlChar(std::uint32_t c) noexcept {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Bytes where the scan of text stops to look closer: markup, references, and
// the first byte of every character XML forbids.
constexpr std::array<bool, 256> kTextStops = [] {
    std::array<bool, 256> stops{};
    for (int c = 0; c < 0x20; ++c) stops[static_cast<std::size_t>(c)] = true;
    stops['\t'] = stops['\n'] = stops['\r'] = false;
    stops['<'] = stops['&'] = stops[0xEF] = true;
    return stops;
}();

// A name as a message shows it: long ones are cut, never inside a character.
std::string shown(std::string_view name) {
    constexpr std::size_t kLongest = 64;
    if (name.size() <= kLongest) return std::string(name);
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    return std::string(name.substr(0, cut)) + "\xE2\x80\xA6";
}

std::string codePointName(std::uint32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// Line and column as expat counts them: CR, LF and CR LF each end a line, and
// a column is a character, not a byte. Moves forward only.
class Cursor {
public:
    explicit Cursor(std::string_view text) noexcept
        : text_(text), crs_(std::memchr(text.data(), '\r', text.size()) != nullptr) {}

    std::pair<std::size_t, std::size_t> at(std::size_t target) noexcept {
        target = std::min(target, text_.size());
        if (target > offset_) {
            const char* const base = text_.data();
            std::size_t lineStart = offset_;
            bool newLine = false;
            for (const char* p = base + offset_;
                 (p = static_cast<const char*>(std::memchr(p, '\n', rest(p, target)))) != nullptr;
                 ++p) {
                ++line_;
                lineStart = static_cast<std::size_t>(p - base) + 1;
                newLine = true;
            }
            for (const char* p = base + offset_;
                 crs_ &&
                 (p = static_cast<const char*>(std::memchr(p, '\r', rest(p, target)))) != nullptr;
                 ++p) {
                const auto next = static_cast<std::size_t>(p - base) + 1;
                if (next < text_.size() && text_[next] == '\n') continue;  // CR LF: one end
                ++line_;
                lineStart = std::max(lineStart, next);
                newLine = true;
            }
            if (newLine) column_ = 0;
            for (std::size_t i = lineStart; i < target; ++i) {
                if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) ++column_;
            }
            offset_ = target;
        }
        return {line_, column_ + 1};
    }

private:
    std::size_t rest(const char* p, std::size_t target) const noexcept {
        return static_cast<std::size_t>(text_.data() + target - p);
    }

    std::string_view text_;
    bool crs_;  // whether any CR needs looking at
    std::size_t offset_ = 0;
    std::size_t line_ = 1;
    std::size_t column_ = 0;
};

}  // namespace

// The pass itself: a tokenizer that knows just enough of XML to tell markup
// from text, and the open elements from each other.
class XmlMender {
public:
    XmlMender(std::string_view in, int maxDepth)
        : in_(in), repair_(in), maxDepth_(maxDepth < 0 ? 0 : static_cast<std::size_t>(maxDepth)) {}

    XmlRepair run() && {
        const std::size_t n = in_.size();
        while (!done_ && pos_ < n) {
            text();
            if (!done_ && pos_ < n) markup();
        }
        if (!done_) cutShort(n);
        repair_.usable_ = !tooMany_ && !repair_.edits_.empty();
        return std::move(repair_);
    }

private:
    // The document's [from, to) reads as `replacement`.
    void edit(std::size_t from, std::size_t to, std::string replacement, std::string message) {
        auto& edits = repair_.edits_;
        if (edits.size() == XmlRepair::kMaxRepairs) {
            tooMany_ = true;
            done_ = true;
            return;
        }
        if (!edits.empty()) from = std::max(from, edits.back().to);
        const std::size_t at = edits.empty() ? from
                                             : edits.back().at + edits.back().replacement.size() +
                                                   (from - edits.back().to);
        edits.push_back({from, to, at, std::move(replacement), std::move(message)});
    }

    // Forgets the repairs from `from` on (those inside a tag the document
    // cuts short).
    void forgetFrom(std::size_t from) {
        auto& edits = repair_.edits_;
        while (!edits.empty() && edits.back().from >= from) edits.pop_back();
    }

    // Something without a plain reading: the rest stays as it is, and the
    // read of the mended document fails there.
    void leaveTheRest() { done_ = true; }

    std::size_t forbiddenAt(std::size_t at) const noexcept {
        const auto c = static_cast<unsigned char>(in_[at]);
        if (c < 0x20) return c == '\t' || c == '\n' || c == '\r' ? 0 : 1;
        if (c == 0xEF && at + 2 < in_.size() && static_cast<unsigned char>(in_[at + 1]) == 0xBF &&
            (static_cast<unsigned char>(in_[at + 2]) & 0xFE) == 0xBE) {
            return 3;  // U+FFFE or U+FFFF
        }
        return 0;
    }

    // Drops the run of forbidden characters at `at`; returns where it ends,
    // or `at` itself when none stands there.
    std::size_t dropForbidden(std::size_t at) {
        const std::size_t first = forbiddenAt(at);
        if (first == 0) return at;
        const std::uint32_t code = first == 1
                                       ? static_cast<unsigned char>(in_[at])
                                       : 0xFFFEu + (static_cast<unsigned char>(in_[at + 2]) & 1u);
        std::size_t end = at + first;
        std::size_t count = 1;
        for (std::size_t length; end < in_.size() && (length = forbiddenAt(end)) != 0;) {
            end += length;
            ++count;
        }
        edit(at, end, {},
             count == 1 ? "dropped " + codePointName(code) + ", a character XML forbids"
                        : "dropped " + std::to_string(count) + " characters XML forbids, from " +
                              codePointName(code));
        return end;
    }

    // Forbidden characters inside a comment, processing instruction or CDATA
    // section [from, to).
    void dropForbiddenIn(std::size_t from, std::size_t to) {
        for (std::size_t at = from; at < to && !done_;) {
            const auto c = static_cast<unsigned char>(in_[at]);
            at = (c < 0x20 || c == 0xEF) && forbiddenAt(at) != 0 ? dropForbidden(at) : at + 1;
        }
    }

    bool known(std::string_view name) const {
        return name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos" ||
               htmlEntity(name) || declared_.count(name) != 0;
    }

    // The "&" at `at`, in text or an attribute value; returns where reading
    // goes on.
    std::size_t reference(std::size_t at) {
        const std::size_t n = in_.size();
        std::size_t p = at + 1;
        if (p < n && in_[p] == '#') {
            const bool hex = p + 1 < n && in_[p + 1] == 'x';
            const std::size_t digits = p + 1 + (hex ? 1 : 0);
            std::uint32_t value = 0;
            for (p = digits; p < n; ++p) {
                const char c = in_[p];
                std::uint32_t d;
                if (c >= '0' && c <= '9') {
                    d = static_cast<std::uint32_t>(c - '0');
                } else if (hex && ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')) {
                    d = static_cast<std::uint32_t>((c | 0x20) - 'a' + 10);
                } else {
                    break;
                }
                value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + d, 0x110000);
            }
            if (p > digits && p < n && in_[p] == ';') {
                if (!isXmlChar(value)) {
                    edit(at, p + 1, {},
                         "dropped " + shown(in_.substr(at, p + 1 - at)) +
                             ", a reference to a character XML forbids");
                }
                return p + 1;
            }
        } else if (p < n && isNameStart(static_cast<unsigned char>(in_[p]))) {
            while (p < n && isNameChar(static_cast<unsigned char>(in_[p]))) ++p;
            if (p < n && in_[p] == ';') {
                const std::string_view name = in_.substr(at + 1, p - at - 1);
                if (!known(name)) {
                    edit(at, at + 1, "&amp;",
                         "undefined entity &" + shown(name) + "; read as text");
                }
                return p + 1;
            }
        }
        edit(at, at + 1, "&amp;", "& that starts no reference read as text");
        return at + 1;
    }

    std::size_t bareLessThan(std::size_t at) {
        edit(at, at + 1, "&lt;", "< that starts no markup read as text");
        return at + 1;
    }

    // Character data, up to the next "<" or the end.
    void text() {
        const std::size_t n = in_.size();
        while (pos_ < n && !done_) {
            while (pos_ < n && !kTextStops[static_cast<unsigned char>(in_[pos_])]) ++pos_;
            if (pos_ == n || in_[pos_] == '<') return;
            if (in_[pos_] == '&') {
                pos_ = reference(pos_);
            } else {
                const std::size_t next = dropForbidden(pos_);
                pos_ = next == pos_ ? pos_ + 1 : next;
            }
        }
    }

    bool startsWith(std::size_t at, std::string_view prefix) const noexcept {
        return in_.substr(at, prefix.size()) == prefix;
    }

    // The markup at the "<" at pos_.
    void markup() {
        const std::size_t n = in_.size();
        if (pos_ + 1 == n) return cutShort(pos_);
        const auto c = static_cast<unsigned char>(in_[pos_ + 1]);
        if (c == '/') return endTag();
        if (c == '?') return section(pos_ + 2, "?>");
        if (c == '!') {
            if (startsWith(pos_, "<!--")) return section(pos_ + 4, "-->");
            if (startsWith(pos_, "<![CDATA[")) return cdata();
            if (startsWith(pos_, "<!DOCTYPE")) return doctype();
            for (std::string_view whole : {"<!--", "<![CDATA[", "<!DOCTYPE"}) {
                if (whole.substr(0, n - pos_) == in_.substr(pos_)) return cutShort(pos_);
            }
            return leaveTheRest();
        }
        if (isNameStart(c)) return startTag();
        pos_ = bareLessThan(pos_);
    }

    // A comment or processing instruction whose content starts at `from`.
    void section(std::size_t from, std::string_view close) {
        const std::size_t end = in_.find(close, from);
        if (end == std::string_view::npos) return cutShort(pos_);
        dropForbiddenIn(from, end);
        pos_ = end + close.size();
    }

    void cdata() {
        const std::size_t from = pos_ + 9;
        const std::size_t end = in_.find("]]>", from);
        dropForbiddenIn(from, end == std::string_view::npos ? in_.size() : end);
        if (end == std::string_view::npos) return cutShort(in_.size(), "]]>");
        pos_ = end + 3;
    }

    // Copied as it stands; only the names of the entities it declares matter.
    void doctype() {
        const std::size_t n = in_.size();
        for (std::size_t at = pos_ + 9; at < n;) {
            const char c = in_[at];
            if (c == '"' || c == '\'') {
                at = in_.find(c, at + 1);
                if (at == std::string_view::npos) break;
                ++at;
            } else if (c == '[') {
                at = internalSubset(at + 1);
            } else if (c == '>') {
                pos_ = at + 1;
                return;
            } else {
                ++at;
            }
        }
        cutShort(pos_);
    }

    // Returns the offset after the subset's "]", or npos when it never ends.
    std::size_t internalSubset(std::size_t at) {
        constexpr auto npos = std::string_view::npos;
        const std::size_t n = in_.size();
        while (at < n) {
            const char c = in_[at];
            if (c == ']') return at + 1;
            if (c == '"' || c == '\'') {
                at = in_.find(c, at + 1);
                if (at == npos) return npos;
                ++at;
            } else if (startsWith(at, "<!--") || startsWith(at, "<?")) {
                const bool comment = in_[at + 1] == '!';
                at = in_.find(comment ? "-->" : "?>", at + 2);
                if (at == npos) return npos;
                at += comment ? 3 : 2;
            } else if (startsWith(at, "<!ENTITY")) {
                at += 8;
                while (at < n && isSpace(static_cast<unsigned char>(in_[at]))) ++at;
                const std::size_t name = at;
                if (at < n && in_[at] == '%') continue;  // a parameter entity
                while (at < n && isNameChar(static_cast<unsigned char>(in_[at]))) ++at;
                declared_.insert(in_.substr(name, at - name));
            } else {
                ++at;
            }
        }
        return npos;
    }

    void startTag() {
        const std::size_t n = in_.size();
        std::size_t at = pos_ + 1;
        while (at < n && !endsName(static_cast<unsigned char>(in_[at]))) ++at;
        const std::string_view name = in_.substr(pos_ + 1, at - pos_ - 1);
        bool empty = false;
        for (;;) {
            const std::size_t spaceFrom = at;
            while (at < n && isSpace(static_cast<unsigned char>(in_[at]))) ++at;
            if (at == n) return cutShortInTag();
            if (in_[at] == '>') break;
            if (in_[at] == '/') {
                if (at + 1 == n) return cutShortInTag();
                if (in_[at + 1] != '>') return leaveTheRest();
                empty = true;
                ++at;
                break;
            }
            const std::size_t attribute = at;
            while (at < n && !endsName(static_cast<unsigned char>(in_[at]))) ++at;
            const bool named = at > attribute;
            while (at < n && isSpace(static_cast<unsigned char>(in_[at]))) ++at;
            if (at == n) return cutShortInTag();
            if (attribute == spaceFrom || !named || in_[at] != '=') return leaveTheRest();
            ++at;
            while (at < n && isSpace(static_cast<unsigned char>(in_[at]))) ++at;
            if (at == n) return cutShortInTag();
            if (in_[at] != '"' && in_[at] != '\'') return leaveTheRest();
            const std::size_t valueEnd = in_.find(in_[at], at + 1);
            if (valueEnd == std::string_view::npos) return cutShortInTag();
            attributeValue(at + 1, valueEnd);
            if (done_) return;
            at = valueEnd + 1;
        }
        // The read refuses an element nested deeper than the limit; nothing
        // past it needs mending.
        if (open_.size() >= maxDepth_) return leaveTheRest();
        pos_ = at + 1;
        if (empty) {
            if (open_.empty()) done_ = true;  // a document element without content
            return;
        }
        open_.push_back(name);
    }

    // The document ends inside the start tag at pos_. Cut short, the tag
    // goes; but a quote left open with markup after it has no plain reading.
    void cutShortInTag() {
        forgetFrom(pos_);
        if (in_.find('>', pos_) != std::string_view::npos) return leaveTheRest();
        cutShort(pos_);
    }

    void attributeValue(std::size_t from, std::size_t to) {
        for (std::size_t at = from; at < to && !done_;) {
            const auto c = static_cast<unsigned char>(in_[at]);
            if (c == '&') {
                at = reference(at);
            } else if (c == '<') {
                at = bareLessThan(at);
            } else if (kTextStops[c] && forbiddenAt(at) != 0) {
                at = dropForbidden(at);
            } else {
                ++at;
            }
        }
    }

    void endTag() {
        const std::size_t n = in_.size();
        std::size_t at = pos_ + 2;
        while (at < n && !endsName(static_cast<unsigned char>(in_[at]))) ++at;
        const std::string_view name = in_.substr(pos_ + 2, at - pos_ - 2);
        while (at < n && isSpace(static_cast<unsigned char>(in_[at]))) ++at;
        if (at == n) return cutShort(pos_);
        if (in_[at] != '>' || name.empty()) return leaveTheRest();
        const std::size_t end = at + 1;
        if (!open_.empty() && open_.back() == name) return closeInnermost(end);
        // An ancestor is looked for this far up: far past any real feed, and
        // few enough that end tags closing nothing stay cheap to check.
        constexpr std::size_t kSearched = 1024;
        std::size_t depth = open_.size();
        while (depth > 0 && open_.size() - depth < kSearched && open_[depth - 1] != name) --depth;
        if (depth == 0 || open_[depth - 1] != name) {
            // Hand-written feeds close <webMaster> with </webmaster>: ignoring
            // that would nest the rest of the document inside the element.
            if (!open_.empty() && sameIgnoringCase(open_.back(), name)) {
                const std::string_view top = open_.back();
                edit(pos_, end, "</" + std::string(top) + ">",
                     "end tag </" + shown(name) + "> read as </" + shown(top) + ">");
                return closeInnermost(end);
            }
            edit(pos_, end, {}, "end tag </" + shown(name) + "> closes nothing open; ignored");
            pos_ = end;
            return;
        }
        std::string closing;
        std::string names;
        for (std::size_t listed = 0; open_.size() > depth; ++listed) {
            const std::string_view inner = open_.back();
            closing.append("</").append(inner).append(">");
            if (listed < kListed) names += (listed == 0 ? "<" : ", <") + shown(inner) + ">";
            if (listed == kListed) names += ", \xE2\x80\xA6";
            open_.pop_back();
        }
        edit(pos_, pos_, std::move(closing), "end tag </" + shown(name) + "> also closes " + names);
        closeInnermost(end);
    }

    // Closes the innermost open element with the end tag that ends at `end`.
    void closeInnermost(std::size_t end) {
        open_.pop_back();
        pos_ = end;
        if (open_.empty()) done_ = true;  // nothing after the document element is read
    }

    // The document ends at `at` (the start of a token it cuts short, or its
    // end): the elements still open are closed there, after `extra`.
    void cutShort(std::size_t at, std::string_view extra = {}) {
        done_ = true;
        if (open_.empty()) return;
        if (at == in_.size()) {
            // A character cut in two at the very end goes too.
            std::size_t lead = at;
            const std::size_t floor = repair_.edits_.empty() ? 0 : repair_.edits_.back().to;
            while (lead > floor && at - lead < 3 &&
                   (static_cast<unsigned char>(in_[lead - 1]) & 0xC0) == 0x80) {
                --lead;
            }
            if (lead > floor) {
                const auto c = static_cast<unsigned char>(in_[lead - 1]);
                const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
                if (length > at - lead + 1) at = lead - 1;
            }
        }
        std::string closing(extra);
        std::string names;
        for (std::size_t i = open_.size(); i-- > 0;) {
            closing.append("</").append(open_[i]).append(">");
            const std::size_t listed = open_.size() - 1 - i;
            if (listed < kListed) names += (listed == 0 ? "<" : ", <") + shown(open_[i]) + ">";
            if (listed == kListed) names += ", \xE2\x80\xA6";
        }
        edit(at, in_.size(), std::move(closing), "document cut short; closed " + names);
    }

    // Elements named in one message at most.
    static constexpr std::size_t kListed = 8;

    std::string_view in_;
    XmlRepair repair_;
    std::size_t maxDepth_;
    std::size_t pos_ = 0;
    bool done_ = false;  // the rest reads as it stands
    bool tooMany_ = false;
    std::vector<std::string_view> open_;
    std::unordered_set<std::string_view> declared_;
};

XmlRepair XmlRepair::of(std::string_view text, int maxDepth) {
    return XmlMender(text, maxDepth).run();
}

std::vector<std::string_view> XmlRepair::pieces(std::string_view head) const {
    std::vector<std::string_view> pieces;
    pieces.reserve(2 * edits_.size() + 2);
    std::size_t from = 0;
    if (!head.empty() && (edits_.empty() || edits_.front().from >= head.size())) {
        pieces.push_back(head);
        from = head.size();
    }
    for (const Edit& edit : edits_) {
        pieces.push_back(original_.substr(from, edit.from - from));
        pieces.push_back(edit.replacement);
        from = edit.to;
    }
    pieces.push_back(original_.substr(from));
    return pieces;
}

std::vector<Warning> XmlRepair::warnings() const {
    std::vector<Warning> warnings;
    warnings.reserve(edits_.size());
    Cursor cursor(original_);
    for (const Edit& edit : edits_) {
        const auto [line, column] = cursor.at(edit.from);
        warnings.push_back({line, column, edit.message});
    }
    return warnings;
}

std::size_t XmlRepair::originalOffset(std::size_t offset) const noexcept {
    // The last edit that starts at or before `offset` in the mended document.
    const auto after = std::upper_bound(edits_.begin(), edits_.end(), offset,
                                        [](std::size_t o, const Edit& e) { return o < e.at; });
    if (after == edits_.begin()) return offset;
    const Edit& edit = *std::prev(after);
    const std::size_t end = edit.at + edit.replacement.size();
    return offset < end ? edit.from : edit.to + (offset - end);
}

std::pair<std::size_t, std::size_t> XmlRepair::positionOf(std::size_t offset) const {
    return Cursor(original_).at(originalOffset(offset));
}

}  // namespace syndra::detail
