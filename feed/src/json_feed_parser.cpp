#include "detail/json_feed_decoding.hpp"

#include "detail/json_feed_codec.hpp"
#include "detail/json_feed_reader.hpp"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace syndra::detail {
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
        return TreeParser::number_float(value, text);
    }
    bool start_object(std::size_t size) {
        const bool item = frames_.size() == 2 && frames_[0].marked && frames_[1].array;
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
        frames_.back().marked =
            (frames_.size() == 1 && name == "items") || (frames_.size() == 3 && name == "id");
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

    struct Frame {
        bool array;
        // An object whose current member is "items" (at the top) or "id" (in an item).
        bool marked;
    };

    // Past the depth the keyed parser allows, stop: it reports the failure.
    bool enter(bool array) {
        if (frames_.size() >= static_cast<std::size_t>(platform::json::kMaxDepth)) return false;
        frames_.push_back({array, false});
        return true;
    }
    bool atItemId() const noexcept {
        return frames_.size() == 3 && frames_[0].marked && frames_[1].array && frames_[2].marked;
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
    const bool parsed = Json::sax_parse(bytes.begin(), bytes.end(), &builder);
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

Result decodeJSONFeed(std::string_view bytes, ModelLimits limits) {
    try {
        const RFC3339DateFormatter dates;
        // Sound documents are read in one pass; the keyed decoder takes the
        // rest and says what is wrong with them.
        ModelBudget quick(limits);
        if (auto feed = readJSONFeed(bytes, dates, &quick)) return Feed(std::move(*feed));
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
