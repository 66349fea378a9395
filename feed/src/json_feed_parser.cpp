#include "detail/json_feed_decoding.hpp"

#include "detail/json_feed_codec.hpp"
#include "detail/json_feed_reader.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace syndra::detail {

Exactly exactInteger(std::string_view text, std::int64_t& value) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    std::string digits;  // the significand, without its point
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] != '.') digits += text[i];
    }
    const std::size_t point = text.substr(0, i).find('.');
    long long exponent = 0;
    if (point != std::string_view::npos) exponent -= static_cast<long long>(i - point - 1);
    if (i < text.size()) {
        // Beyond any digit count a document could hold; clamping keeps the sum small.
        long long written = 0;
        std::size_t j = i + 1;
        const bool down = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        for (; j < text.size(); ++j) written = std::min(written * 10 + (text[j] - '0'), 1LL << 40);
        exponent += down ? -written : written;
    }
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        value = 0;
        return Exactly::integer;
    }
    digits.erase(0, first);
    // Trailing zeros move into the exponent; a negative one left is a fraction.
    while (digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (exponent < 0) return Exactly::fraction;
    if (static_cast<long long>(digits.size()) + exponent > 19) return Exactly::outOfRange;
    digits.append(static_cast<std::size_t>(exponent), '0');
    const unsigned long long magnitude = std::stoull(digits);
    const unsigned long long limit = negative ? 9223372036854775808ull : 9223372036854775807ull;
    if (magnitude > limit) return Exactly::outOfRange;
    value =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return Exactly::integer;
}

namespace {

using Json = nlohmann::json;
using TreeParser = nlohmann::detail::json_sax_dom_parser<Json>;

// Builds the tree the plain parser would build, except that an item id
// ("id" of an element of the top-level "items") written as a number without
// a fraction or exponent arrives as its literal text: the tree holds integers
// of 64 bits at most, and an id is text whatever its length.
class TreeBuilder : public TreeParser {
public:
    TreeBuilder(Json& root, ModelBudget* budget) : TreeParser(root, false), budget_(budget) {}

    bool null() { return spend(0) && TreeParser::null(); }
    bool boolean(bool value) { return spend(0) && TreeParser::boolean(value); }
    bool string(std::string& value) { return spend(value.size()) && TreeParser::string(value); }
    bool number_integer(std::int64_t value) {
        if (!spend(0)) return false;
        // Negative literals arrive here; the only zero among them is "-0".
        if (atItemId()) return literal(value == 0 ? std::string("-0") : std::to_string(value));
        return TreeParser::number_integer(value);
    }
    bool number_unsigned(std::uint64_t value) {
        if (!spend(0)) return false;
        if (atItemId()) return literal(std::to_string(value));
        return TreeParser::number_unsigned(value);
    }
    // Integer literals past 64 bits arrive here too, with their text.
    bool number_float(double value, const std::string& text) {
        if (!spend(0)) return false;
        if (atItemId() && text.find_first_of(".eE") == std::string::npos) return literal(text);
        if (atAttachmentSize()) {
            // A size is an integer by its exact text, not by the double nearest
            // to it: the tree gets the integer, or a value the decoder refuses
            // for the same reason (NaN has a fraction, infinity is too large).
            std::int64_t exact = 0;
            switch (exactInteger(text, exact)) {
                case Exactly::integer:
                    return TreeParser::number_integer(exact);
                case Exactly::fraction:
                    return TreeParser::number_float(std::nan(""), text);
                case Exactly::outOfRange:
                    return TreeParser::number_float(std::copysign(HUGE_VAL, value), text);
            }
        }
        return TreeParser::number_float(value, text);
    }
    bool start_object(std::size_t size) {
        const bool item =
            frames_.size() == 2 && frames_[0].member == Member::items && frames_[1].array;
        if (!spend(kContainerBytes) || (item && budget_ != nullptr && !budget_->countItem())) {
            return false;
        }
        return enter(false) && TreeParser::start_object(size);
    }
    bool start_array(std::size_t size) {
        return spend(kContainerBytes) && enter(true) && TreeParser::start_array(size);
    }
    bool end_object() {
        frames_.pop_back();
        return TreeParser::end_object();
    }
    bool end_array() {
        frames_.pop_back();
        return TreeParser::end_array();
    }
    bool key(std::string& name) {
        if (!spend(kContainerBytes + name.size())) return false;
        Member& member = frames_.back().member;
        member = Member::other;
        if (frames_.size() == 1 && name == "items") member = Member::items;
        if (frames_.size() == 3 && name == "id") member = Member::id;
        if (frames_.size() == 3 && name == "attachments") member = Member::attachments;
        if (frames_.size() == 5 && name == "size_in_bytes") member = Member::sizeInBytes;
        return TreeParser::key(name);
    }

private:
    // What a value of the tree costs, about: the value itself, and a map
    // entry or a container's own allocation.
    static constexpr std::size_t kValueBytes = sizeof(Json) + 16;
    static constexpr std::size_t kContainerBytes = 64;

    bool spend(std::size_t extra) {
        return budget_ == nullptr || budget_->spend(kValueBytes + extra);
    }

    // The members whose values are read with care: "items" at the top, an
    // item's "id" and "attachments", an attachment's "size_in_bytes".
    enum class Member { other, items, id, attachments, sizeInBytes };
    struct Frame {
        bool array;
        Member member;  // an object's current member
    };

    // Past the depth the keyed parser allows, stop: it reports the failure.
    bool enter(bool array) {
        if (frames_.size() >= static_cast<std::size_t>(platform::json::kMaxDepth)) return false;
        frames_.push_back({array, Member::other});
        return true;
    }
    bool at(std::initializer_list<Member> path) const noexcept {
        if (frames_.size() != path.size() * 2 - 1) return false;
        std::size_t i = 0;
        for (const Member member : path) {
            if (frames_[i].member != member || (i > 0 && !frames_[i - 1].array)) return false;
            i += 2;
        }
        return true;
    }
    bool atItemId() const noexcept { return at({Member::items, Member::id}); }
    bool atAttachmentSize() const noexcept {
        return at({Member::items, Member::attachments, Member::sizeInBytes});
    }
    bool literal(std::string text) { return TreeParser::string(text); }

    ModelBudget* budget_;
    std::vector<Frame> frames_;
};

}  // namespace

std::variant<JSONFeed, platform::json::DecodingError> decodeJSONFeedKeyed(
    std::string_view bytes, const DateFormatter& dates, ModelBudget* budget) {
    const platform::json::DateParser readDate = [&dates](std::string_view text) {
        return dates.date(text);
    };
    Json tree;
    TreeBuilder builder(tree, budget);
    const bool parsed = platform::json::saxParse(bytes, builder);
    if (budget != nullptr && budget->exceeded()) {
        return platform::json::DecodingError{
            platform::json::DecodingError::Kind::dataCorrupted, {}, budget->reason, false};
    }
    if (!parsed || builder.is_errored()) {
        // Not JSON, or too deep: the keyed parser says why in its own words.
        auto parsed = platform::json::parse(bytes);
        if (auto* error = std::get_if<platform::json::DecodingError>(&parsed)) {
            return std::move(*error);
        }
        return platform::json::decodeValue<JSONFeed>(std::get<Json>(parsed), readDate);
    }
    return platform::json::decodeValue<JSONFeed>(tree, readDate);
}

Result decodeJSONFeed(std::string_view bytes, ModelLimits limits, bool recover) {
    try {
        const RFC3339DateFormatter dates;
        // Sound documents are read in one pass; the keyed decoder takes the
        // rest and says what is wrong with them.
        ModelBudget quick(limits);
        std::vector<Warning> warnings;
        if (auto feed = readJSONFeed(bytes, dates, &quick, recover ? &warnings : nullptr)) {
            if (warnings.empty()) return Feed(std::move(*feed));
            return Result(Feed(std::move(*feed)), std::move(warnings));
        }
        if (quick.exceeded()) {
            return ParserError::internalError(std::move(quick.reason), ErrorKind::limitExceeded);
        }
        ModelBudget keyed(limits);
        auto decoded = decodeJSONFeedKeyed(bytes, dates, &keyed);
        if (keyed.exceeded()) {
            return ParserError::internalError(std::move(keyed.reason), ErrorKind::limitExceeded);
        }
        if (auto* error = std::get_if<platform::json::DecodingError>(&decoded)) {
            return ParserError::internalError(
                error->localizedDescription(),
                error->notJson ? ErrorKind::syntax : ErrorKind::invalidJSONFeed);
        }
        return Feed(std::move(std::get<JSONFeed>(decoded)));
    } catch (const std::bad_alloc&) {
        return ParserError::internalError("Out of memory", ErrorKind::outOfMemory);
    } catch (const std::exception& e) {
        // Only allocation can fail here; it must not escape the parser.
        return ParserError::internalError(e.what(), ErrorKind::outOfMemory);
    }
}

}  // namespace syndra::detail
