#pragma once

// The one-pass JSON Feed reader behind readJSONFeed. Its strict and its
// recovering form are instantiated in separate files, so that the strict
// read (the usual one) is compiled exactly as if recovery did not exist.

#include "detail/json_feed_reader.hpp"

#include "detail/utf8_sequence.hpp"

#include <platform/json/keyed_decoding.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

namespace syndra::detail::one_pass {

// Integer literals longer than this are left to the keyed decoder, which
// reads them through 64-bit (or wider) arithmetic with its own rules.
inline constexpr std::size_t kMaxIntegerDigits = 18;

inline bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

inline int hexValue(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

inline void appendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// kRecover: a misfit is dropped with a warning (into `warnings`) rather than
// failing the read. A template, so that the strict read carries none of it.
template <bool kRecover>
class Reader {
public:
    Reader(std::string_view bytes, const DateFormatter& dates, ModelBudget* budget,
           std::vector<Warning>* warnings) noexcept
        : begin_(bytes.data()),
          at_(bytes.data()),
          end_(bytes.data() + bytes.size()),
          dates_(dates),
          budget_(budget),
          warnings_(warnings) {}

    bool document(JSONFeed& feed) {
        skipSpace();
        if (!feedObject(feed)) return false;
        skipSpace();
        if (at_ != end_) return false;
        if constexpr (kRecover) positionWarnings();
        return true;
    }

private:
    // --- JSON syntax, as strict as the keyed decoder's parser -----------------

    void skipSpace() noexcept {
        while (at_ != end_ && (*at_ == ' ' || *at_ == '\n' || *at_ == '\r' || *at_ == '\t')) ++at_;
    }

    bool peek(char c) const noexcept { return at_ != end_ && *at_ == c; }

    bool take(char c) noexcept {
        if (!peek(c)) return false;
        ++at_;
        return true;
    }

    bool word(std::string_view w) noexcept {
        if (static_cast<std::size_t>(end_ - at_) < w.size() ||
            std::memcmp(at_, w.data(), w.size()) != 0) {
            return false;
        }
        at_ += w.size();
        return true;
    }

    // One well-formed UTF-8 sequence of two to four bytes.
    bool multibyte() noexcept {
        const auto* p = reinterpret_cast<const unsigned char*>(at_);
        const std::ptrdiff_t length =
            utf8SequenceLength(p, reinterpret_cast<const unsigned char*>(end_));
        at_ += length;
        return length != 0;
    }

    bool hex4(std::uint32_t& out) noexcept {
        if (end_ - at_ < 4) return false;
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const int v = hexValue(at_[i]);
            if (v < 0) return false;
            out = out * 16 + static_cast<std::uint32_t>(v);
        }
        at_ += 4;
        return true;
    }

    // After the backslash.
    bool escape(std::string* out) {
        if (at_ == end_) return false;
        const char c = *at_++;
        char plain = 0;
        switch (c) {
            case '"':
            case '\\':
            case '/':
                plain = c;
                break;
            case 'b':
                plain = '\b';
                break;
            case 'f':
                plain = '\f';
                break;
            case 'n':
                plain = '\n';
                break;
            case 'r':
                plain = '\r';
                break;
            case 't':
                plain = '\t';
                break;
            case 'u': {
                std::uint32_t unit = 0;
                if (!hex4(unit)) return false;
                if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
                if (unit >= 0xD800 && unit <= 0xDBFF) {
                    std::uint32_t low = 0;
                    if (!word("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                }
                if (out != nullptr) appendUtf8(*out, unit);
                return true;
            }
            default:
                return false;
        }
        if (out != nullptr) *out += plain;
        return true;
    }

    // True when none of the eight bytes at `p` ends a plain run of string text:
    // no quote, backslash, control character or byte of a multibyte sequence.
    static bool plainWord(const char* p) noexcept {
        constexpr std::uint64_t kOnes = 0x0101010101010101ull;
        constexpr std::uint64_t kHighs = 0x8080808080808080ull;
        std::uint64_t w = 0;
        std::memcpy(&w, p, sizeof w);
        const auto zeroByte = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
        const std::uint64_t special = zeroByte(w ^ (kOnes * '"')) | zeroByte(w ^ (kOnes * '\\')) |
                                      ((w - kOnes * 0x20) & ~w & kHighs) | (w & kHighs);
        return special == 0;
    }

    // A string, unescaped into `out` (or only checked, when `out` is null).
    bool string(std::string* out) {
        if (!take('"')) return false;
        const char* run = at_;
        for (;;) {
            while (end_ - at_ >= 8 && plainWord(at_)) at_ += 8;
            if (at_ == end_) return false;
            const auto c = static_cast<unsigned char>(*at_);
            if (c == '"') {
                if (out != nullptr) out->append(run, at_);
                ++at_;
                return true;
            }
            if (c == '\\') {
                if (out != nullptr) out->append(run, at_);
                ++at_;
                if (!escape(out)) return false;
                run = at_;
            } else if (c < 0x20) {
                return false;
            } else if (c < 0x80) {
                ++at_;
            } else if (!multibyte()) {
                return false;
            }
        }
    }

    // A member name: a view of the document when it has no escapes.
    bool key(std::string_view& out) {
        if (!peek('"')) return false;
        const char* start = at_ + 1;
        const char* p = start;
        while (p != end_ && *p != '"' && *p != '\\' && static_cast<unsigned char>(*p) >= 0x20 &&
               static_cast<unsigned char>(*p) < 0x80) {
            ++p;
        }
        if (p != end_ && *p == '"') {
            out = std::string_view(start, static_cast<std::size_t>(p - start));
            at_ = p + 1;
            return true;
        }
        key_.clear();
        if (!string(&key_)) return false;
        out = key_;
        return true;
    }

    // A number by JSON's grammar; `integral` when it has no fraction or exponent.
    bool number(std::string_view& text, bool& integral) noexcept {
        const char* start = at_;
        take('-');
        if (!take('0')) {
            // No leading zeros: "01" is not a number.
            if (at_ == end_ || !isDigit(*at_)) return false;
            while (at_ != end_ && isDigit(*at_)) ++at_;
        }
        integral = true;
        if (take('.')) {
            integral = false;
            if (at_ == end_ || !isDigit(*at_)) return false;
            while (at_ != end_ && isDigit(*at_)) ++at_;
        }
        if (peek('e') || peek('E')) {
            integral = false;
            ++at_;
            if (!take('+')) take('-');
            if (at_ == end_ || !isDigit(*at_)) return false;
            while (at_ != end_ && isDigit(*at_)) ++at_;
        }
        text = std::string_view(start, static_cast<std::size_t>(at_ - start));
        return true;
    }

    // Members: member(key) reads the value and says whether all went well.
    template <class Member>
    bool object(Member&& member) {
        if (!take('{') || ++depth_ > platform::json::kMaxDepth) return false;
        skipSpace();
        if (!take('}')) {
            for (;;) {
                std::string_view name;
                if (!key(name)) return false;
                skipSpace();
                if (!take(':')) return false;
                skipSpace();
                if (!member(name)) return false;
                skipSpace();
                if (take('}')) break;
                if (!take(',')) return false;
                skipSpace();
            }
        }
        --depth_;
        return true;
    }

    template <class Element>
    bool array(Element&& element) {
        if (!take('[') || ++depth_ > platform::json::kMaxDepth) return false;
        skipSpace();
        if (!take(']')) {
            for (;;) {
                if (!element()) return false;
                skipSpace();
                if (take(']')) break;
                if (!take(',')) return false;
                skipSpace();
            }
        }
        --depth_;
        return true;
    }

    // Whether the keyed decoder's parser takes a number: it refuses the ones
    // whose value overflows a double.
    static bool parsable(std::string_view text, bool integral) noexcept {
        if (integral && text.size() <= kMaxIntegerDigits) return true;
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        return error == std::errc() && end == text.data() + text.size();
    }

    bool anyNumber() noexcept {
        std::string_view text;
        bool integral = false;
        return number(text, integral) && parsable(text, integral);
    }

    // Any value, checked and dropped: members the model has no field for.
    bool skipValue() {
        if (at_ == end_) return false;
        switch (*at_) {
            case '"':
                return string(nullptr);
            case '{':
                return object([this](std::string_view) { return skipValue(); });
            case '[':
                return array([this] { return skipValue(); });
            case 't':
                return word("true");
            case 'f':
                return word("false");
            case 'n':
                return word("null");
            default:
                return anyNumber();
        }
    }

    // --- fields -------------------------------------------------------------
    // Each reads the value at hand; null leaves the field empty, as absence does.

    bool null() noexcept { return peek('n') && word("null"); }

    bool text(std::optional<Text>& out) {
        if (null()) return true;
        scratch_.clear();
        if (!string(&scratch_)) return false;
        if (budget_ != nullptr && !budget_->spend(Text::heapBytes(scratch_.size()))) return false;
        out.emplace(scratch_);
        return true;
    }

    bool listedText(Text& out) {
        scratch_.clear();
        if (!string(&scratch_)) return false;
        if (budget_ != nullptr && !budget_->spend(Text::heapBytes(scratch_.size()))) return false;
        out = Text(scratch_);
        return true;
    }

    bool boolean(std::optional<bool>& out) noexcept {
        if (null()) return true;
        if (word("true")) {
            out = true;
        } else if (word("false")) {
            out = false;
        } else {
            return false;
        }
        return true;
    }

    // A plain integer literal that fits without question.
    bool integerLiteral(std::string_view& text) noexcept {
        bool integral = false;
        if (!number(text, integral) || !integral) return false;
        const std::size_t digits = text.size() - (text.front() == '-' ? 1 : 0);
        return digits <= kMaxIntegerDigits;
    }

    bool integer(std::optional<std::int64_t>& out) noexcept(!kRecover) {
        if (null()) return true;
        std::string_view text;
        if constexpr (kRecover) {
            // Read as the keyed decoder reads it ("1e2" is 100), since no
            // careful second reading follows.
            bool integral = false;
            std::int64_t value = 0;
            if (!number(text, integral) || !parsable(text, integral) ||
                exactInteger(text, value) != Exactly::integer) {
                return false;
            }
            out = value;
            return true;
        }
        if (!integerLiteral(text)) return false;
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) return false;
        out = value;
        return true;
    }

    bool real(std::optional<Real>& out) noexcept {
        if (null()) return true;
        std::string_view text;
        bool integral = false;
        if (!number(text, integral)) return false;
        const char* first = text.data();
        const char* last = first + text.size();
        if (integral) {
            // The keyed decoder holds integers as integers and converts them,
            // so "-0" is 0, not -0.
            std::int64_t value = 0;
            const auto [end, error] = std::from_chars(first, last, value);
            if (error == std::errc() && end == last) {
                out = static_cast<double>(value);
                return true;
            }
            // Past 64 bits it holds a double, which only a recovering read
            // (with no careful reading after it) needs to match.
            if constexpr (!kRecover) return false;
        }
        double value = 0;
        const auto [end, error] = std::from_chars(first, last, value);
        if (error != std::errc() || end != last) return false;
        out = value;
        return true;
    }

    bool date(std::optional<Date>& out) {
        if (null()) return true;
        scratch_.clear();
        if (!string(&scratch_)) return false;
        out = dates_.date(scratch_);
        return out.has_value();
    }

    // A text, or a number without a fraction or exponent kept as it is
    // written, however long ("-0" included).
    bool itemId(std::optional<Text>& out) {
        if (null()) return true;
        if (peek('"')) return text(out);
        std::string_view literal;
        bool integral = false;
        if (!number(literal, integral) || !integral || !parsable(literal, integral)) return false;
        out = Text(literal);
        return true;
    }

    template <class T, class Read>
    bool list(std::optional<std::vector<T>>& out, Read&& read) {
        if (null()) return true;
        std::vector<T> values;
        [[maybe_unused]] std::size_t index = 0;
        if (!array([&] {
                if (budget_ != nullptr) {
                    if (!budget_->spend(sizeof(T))) return false;
                    if (std::is_same_v<T, JSONFeedItem> && !budget_->countItem()) return false;
                }
                if constexpr (kRecover) {
                    return recoverElement(values, index++, read);
                } else {
                    T value{};
                    if (!read(value)) return false;
                    values.push_back(std::move(value));
                    return true;
                }
            })) {
            return false;
        }
        out = std::move(values);
        return true;
    }

    // --- recovery -------------------------------------------------------------
    // With warnings to give, a value that is sound JSON but does not fit its
    // field is dropped, with a warning naming its place; only JSON that is
    // not JSON fails the document.

    struct Step {
        std::string_view key;  // empty: an array index
        std::size_t index = 0;
    };

    // Whether reading may go on: the budget holds, what was read was JSON, and
    // the warnings are not too many to be worth reading.
    bool recoverable() const noexcept {
        return (budget_ == nullptr || !budget_->exceeded()) && !stopped_;
    }

    template <class Row, class Field>
    bool recoverMember(const Row& row, Field& field) {
        // Of a member given twice, the last one counts, as it does for the
        // keyed decoder.
        field.reset();
        path_.push_back(Step{row.key, 0});
        const std::string_view what =
            row.reading == FieldReading::integerAsText ? "a string or an integer" : expected(field);
        recovering(
            at_, field, what, [&] { return member(row, field); }, [] { return true; });
        path_.pop_back();
        return recoverable();
    }

    template <class T, class Read>
    bool recoverElement(std::vector<T>& values, std::size_t index, Read& read) {
        T value{};
        const char* const start = at_;
        path_.push_back(Step{{}, index});
        const bool kept = recovering(
            start, value, expected(value), [&] { return read(value); },
            [&] { return usable(value); });
        path_.pop_back();
        if (kept) values.push_back(std::move(value));
        return recoverable();
    }

    // Reads a value with `read`; when it fails, skips it and warns. `keep`
    // says whether a value read whole is kept (an item needs an id). False
    // when the value is not kept, or cannot be skipped (`recoverable()` says).
    template <class T, class Read, class Keep>
    bool recovering(const char* start, T& value, std::string_view what, Read&& read, Keep&& keep) {
        const int depth = depth_;
        if (read()) {
            if (keep()) return true;
            warn(start, "item without a usable \"id\"; skipped");
            return false;
        }
        if (!recoverable()) return false;
        at_ = start;
        depth_ = depth;
        value = T{};
        if (!skipValue()) {
            stopped_ = true;
            return false;
        }
        warn(start, misfit<T>(what, start));
        return false;
    }

    template <class T>
    static bool usable(const T&) noexcept {
        return true;
    }
    static bool usable(const JSONFeedItem& item) noexcept { return item.id && !item.id->empty(); }

    static std::string_view expected(const std::optional<Text>&) noexcept { return "a string"; }
    static std::string_view expected(const Text&) noexcept { return "a string"; }
    static std::string_view expected(const std::optional<bool>&) noexcept {
        return "true or false";
    }
    static std::string_view expected(const std::optional<std::int64_t>&) noexcept {
        return "an integer of 64 bits";
    }
    static std::string_view expected(const std::optional<Real>&) noexcept { return "a number"; }
    static std::string_view expected(const std::optional<Date>&) noexcept {
        return "an RFC 3339 date";
    }
    template <class T>
    static std::string_view expected(const std::optional<std::vector<T>>&) noexcept {
        return "an array";
    }
    template <class T>
    static std::string_view expected(const T&) noexcept {
        return "an object";
    }

    // What the value at `start` is, for a warning: its text, cut short.
    std::string found(const char* start) const {
        switch (*start) {
            case '{':
                return "an object";
            case '[':
                return "an array";
            default:
                break;
        }
        constexpr std::size_t kShown = 48;
        std::size_t length = static_cast<std::size_t>(at_ - start);
        if (length <= kShown) return std::string(start, length);
        length = kShown;
        while (length > 0 && (static_cast<unsigned char>(start[length]) & 0xC0) == 0x80) --length;
        return std::string(start, length) + "...";
    }

    template <class T>
    std::string misfit(std::string_view what, const char* start) const {
        if (*start == '{') {
            if constexpr (std::is_same_v<T, JSONFeedAuthor> ||
                          std::is_same_v<T, std::optional<JSONFeedAuthor>>) {
                return "an author needs a \"name\", a \"url\" or an \"avatar\"; dropped";
            } else if constexpr (std::is_same_v<T, JSONFeedHub>) {
                return "a hub needs a string \"type\"; dropped";
            }
        }
        return "expected " + std::string(what) + ", found " + found(start) + "; dropped";
    }

    void warn(const char* at, std::string message) {
        constexpr std::size_t kMaxWarnings = 100'000;
        if (pending_.size() >= kMaxWarnings) {
            stopped_ = true;
            return;
        }
        std::string where;
        for (const Step& step : path_) {
            if (step.key.empty()) {
                where += '[';
                where += std::to_string(step.index);
                where += ']';
            } else {
                if (!where.empty()) where += '.';
                where += step.key;
            }
        }
        pending_.push_back({static_cast<std::size_t>(at - begin_), where + ": " + message});
    }

    // Lines and columns (in characters, from 1) of the warnings, in document
    // order, in one pass over the document.
    void positionWarnings() {
        std::stable_sort(pending_.begin(), pending_.end(),
                         [](const Pending& a, const Pending& b) { return a.offset < b.offset; });
        std::size_t line = 1;
        std::size_t column = 1;
        std::size_t offset = 0;
        for (Pending& warning : pending_) {
            for (; offset < warning.offset; ++offset) {
                const auto c = static_cast<unsigned char>(begin_[offset]);
                if (c == '\n') {
                    ++line;
                    column = 1;
                } else if ((c & 0xC0) != 0x80) {
                    ++column;
                }
            }
            if (!warning.retracted) {
                warnings_->push_back(Warning{line, column, std::move(warning.message)});
            }
        }
    }

    // The keyed decoder keeps the last of a member given twice; leave those to it.
    static bool once(std::uint32_t& seen, int index) noexcept {
        const std::uint32_t bit = std::uint32_t{1} << index;
        if ((seen & bit) != 0) return false;
        seen |= bit;
        return true;
    }

    // --- records ------------------------------------------------------------

    template <class Row>
    bool member(const Row& row, std::optional<Text>& out) {
        return row.reading == FieldReading::integerAsText ? itemId(out) : text(out);
    }
    template <class Row>
    bool member(const Row&, std::optional<bool>& out) noexcept {
        return boolean(out);
    }
    template <class Row>
    bool member(const Row&, std::optional<std::int64_t>& out) noexcept {
        return integer(out);
    }
    template <class Row>
    bool member(const Row&, std::optional<Real>& out) noexcept {
        return real(out);
    }
    template <class Row>
    bool member(const Row&, std::optional<Date>& out) {
        return date(out);
    }
    template <class Row>
    bool member(const Row&, std::optional<std::vector<Text>>& out) {
        return list(out, [this](Text& t) { return listedText(t); });
    }
    template <class Row, class T>
    bool member(const Row&, std::optional<std::vector<T>>& out) {
        return list(out, [this](T& value) { return record(value); });
    }
    template <class Row, class T>
    bool member(const Row&, std::optional<T>& out) {
        if (null()) return true;
        T value{};
        if (!record(value)) return false;
        out = std::move(value);
        return true;
    }

    // Where in `pending_` the warnings of one member's value lie.
    struct Warned {
        std::size_t first = 0;
        std::size_t last = 0;
    };
    struct NoneWarned {};

    template <class R>
    bool record(R& out) {
        std::uint32_t seen = 0;
        // A member given again replaces the value before it, so the warnings
        // that value gave no longer say anything about the feed.
        [[maybe_unused]] std::conditional_t<kRecover, std::array<Warned, fieldCount<R>>, NoneWarned>
            warned{};
        const bool read = object([&](std::string_view name) {
            int index = 0;
            bool known = false;
            bool ok = true;
            forEachField<R>([&](const auto& row) {
                if (known) return;
                if (row.key != name) {
                    ++index;
                    return;
                }
                known = true;
                if constexpr (kRecover) {
                    Warned& earlier = warned[static_cast<std::size_t>(index)];
                    for (std::size_t i = earlier.first; i < earlier.last; ++i) {
                        pending_[i].retracted = true;
                    }
                    earlier.first = pending_.size();
                    ok = recoverMember(row, out.*row.member);
                    earlier.last = pending_.size();
                } else {
                    ok = once(seen, index) && member(row, out.*row.member);
                }
            });
            return known ? ok : skipValue();
        });
        if (!read) return false;
        bool complete = true;
        forEachField<R>([&](const auto& row) {
            if (row.isRequired && !(out.*row.member)) complete = false;
        });
        if constexpr (std::is_same_v<R, JSONFeedAuthor>) {
            complete = out.name || out.url || out.avatar;
        }
        return complete;
    }

    bool feedObject(JSONFeed& out) { return record(out); }

    struct Pending {
        std::size_t offset;
        std::string message;
        bool retracted = false;
    };

    const char* begin_;
    const char* at_;
    const char* end_;
    const DateFormatter& dates_;
    ModelBudget* budget_;
    std::vector<Warning>* warnings_;
    std::vector<Step> path_;  // the member being read, while recovering
    std::vector<Pending> pending_;
    bool stopped_ = false;  // too many warnings, or JSON that is not: nothing to recover
    int depth_ = 0;
    std::string key_;      // a member name that had escapes
    std::string scratch_;  // a text or date being read
};

/// The recovering read (json_feed_recovery.cpp).
std::optional<JSONFeed> readRecovering(std::string_view bytes, const DateFormatter& dates,
                                       ModelBudget* budget, std::vector<Warning>& warnings);

}  // namespace syndra::detail::one_pass
