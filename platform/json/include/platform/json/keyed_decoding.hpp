#pragma once

// Reading records from JSON by key, with errors as values.
//
// A record type R provides   static void decode(platform::json::Keyed&, R&);
// which reads its members with required()/optional(). The first failure,
// however deep, ends the whole decoding; every later read is skipped, and
// decode<R>() returns the error naming the member's path.
//
// A type that cannot carry JSON code itself (a public model kept free of this
// library) specializes platform::json::Codec<R> instead, with
//   static void decode(Keyed&, R&);   static void encode(KeyedWriter&, const R&);
//
//   struct Release { std::string product, version;
//       static void decode(Keyed& k, Release& r) {
//           k.required("product", r.product); k.required("version", r.version); } };
//   auto result = platform::json::decode<Release>(bytes);

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace platform::json {

struct DecodingError {
    enum class Kind { dataCorrupted, typeMismatch, keyNotFound, valueNotFound };
    Kind kind = Kind::dataCorrupted;
    /// Where it happened, e.g. "items[2].author.name"; empty for the top level.
    std::string codingPath;
    /// What was wrong, e.g. "expected a string, found a number".
    std::string detail;
    /// The bytes were not JSON at all, as opposed to JSON of the wrong shape.
    bool notJson = false;

    /// One readable sentence naming the place and the problem.
    std::string localizedDescription() const;
};

using Date = std::chrono::sys_time<std::chrono::milliseconds>;
/// Turns a JSON string into a date, or nothing when the text is not one.
using DateParser = std::function<std::optional<Date>(std::string_view)>;

/// Reads one JSON value into T, or says why not (a type mismatch).
template <class T>
using Converter = std::function<std::optional<T>(const nlohmann::json&, std::string& whyNot)>;

class Keyed;

/// Specialize with static decode() (and encode(), see keyed_encoding.hpp) for a
/// record type that does not define them as members.
template <class R>
struct Codec {};

template <class R>
concept Record = requires(Keyed& k, R& r) {
    R::decode(k, r);
}
|| requires(Keyed& k, R& r) {
    Codec<R>::decode(k, r);
};

/// How a JSON value's type reads in a message: "a string", "an integer", "null".
const char* describeType(const nlohmann::json& value) noexcept;

/// The keyed view of one JSON object during decoding.
class Keyed {
public:
    /// Reads `key`: absent or null leaves `out` empty; a value of another type fails.
    template <class T>
    void optional(std::string_view key, std::optional<T>& out);
    /// Reads `key`: absent, null or a value of another type fails.
    template <class T>
    void required(std::string_view key, T& out);
    /// As optional(), with a caller-supplied reading of the value.
    template <class T>
    void optionalWith(std::string_view key, std::optional<T>& out, const Converter<T>& convert);

    bool failed() const noexcept;

    /// Fails the decoding at this object's own path, for rules that span
    /// several members (e.g. "at least one of"). Ignored after a failure.
    void reject(DecodingError::Kind kind, std::string detail);
    /// This object's member path, e.g. "items[2].author"; empty at the top.
    const std::string& path() const noexcept { return path_; }

    /// Reads a whole value (the top level of a document) into `out`.
    template <class T>
    bool readValue(const nlohmann::json& value, T& out) {
        return read(value, path_, out);
    }

    // Used by decode<R>(); not for records.
    struct Context;
    Keyed(const nlohmann::json& object, std::string path, Context& context)
        : object_(&object), path_(std::move(path)), context_(&context) {}

private:
    const nlohmann::json* find(std::string_view key, bool required);
    template <class T>
    bool read(const nlohmann::json& value, const std::string& path, T& out);
    bool readPrimitive(const nlohmann::json& value, const std::string& path, std::string& out);
    bool readPrimitive(const nlohmann::json& value, const std::string& path, bool& out);
    bool readPrimitive(const nlohmann::json& value, const std::string& path, std::int64_t& out);
    bool readPrimitive(const nlohmann::json& value, const std::string& path, double& out);
    bool readPrimitive(const nlohmann::json& value, const std::string& path, Date& out);
    bool beginArray(const nlohmann::json& value, const std::string& path, std::size_t& count);
    const nlohmann::json& element(const nlohmann::json& array, std::size_t i) const;
    bool beginObject(const nlohmann::json& value, const std::string& path);
    void fail(DecodingError::Kind kind, std::string path, std::string detail);
    std::string childPath(std::string_view key) const;
    static std::string indexPath(const std::string& path, std::size_t i);

    const nlohmann::json* object_;
    std::string path_;
    Context* context_;
};

struct Keyed::Context {
    DateParser dateParser;
    std::optional<DecodingError> error;
};

/// The most deeply nested arrays and objects a document may have.
inline constexpr int kMaxDepth = 512;

/// Parses `bytes` as JSON. Fails with dataCorrupted on malformed or too deeply
/// nested input.
std::variant<nlohmann::json, DecodingError> parse(std::string_view bytes);

/// Reads `bytes` as JSON into a SAX handler of the JSON library; false when
/// they are not JSON. The library takes a NUL byte for the end of the text and
/// ignores whatever follows; JSON has no NUL outside an escape, so here, as in
/// parse(), one makes the text not JSON.
template <class Handler>
bool saxParse(std::string_view bytes, Handler& handler) {
    return bytes.find('\0') == std::string_view::npos &&
           nlohmann::json::sax_parse(bytes.begin(), bytes.end(), &handler);
}

/// Decodes a record from an already parsed value.
template <Record R>
std::variant<R, DecodingError> decodeValue(const nlohmann::json& value, DateParser dates = {});

/// Parses `bytes` and decodes the top-level record.
template <Record R>
std::variant<R, DecodingError> decode(std::string_view bytes, DateParser dates = {}) {
    auto parsed = parse(bytes);
    if (auto* error = std::get_if<DecodingError>(&parsed)) return std::move(*error);
    return decodeValue<R>(std::get<nlohmann::json>(parsed), std::move(dates));
}

// ---- implementation of the templates ---------------------------------------

template <class T>
struct IsVector : std::false_type {};
template <class T>
struct IsVector<std::vector<T>> : std::true_type {};

template <class T>
bool Keyed::read(const nlohmann::json& value, const std::string& path, T& out) {
    if constexpr (IsVector<T>::value) {
        std::size_t count = 0;
        if (!beginArray(value, path, count)) return false;
        out.clear();
        out.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            typename T::value_type item{};
            if (!read(element(value, i), indexPath(path, i), item)) return false;
            out.push_back(std::move(item));
        }
        return true;
    } else if constexpr (Record<T>) {
        if (!beginObject(value, path)) return false;
        Keyed nested(value, path, *context_);
        if constexpr (requires(Keyed & k, T & r) { T::decode(k, r); }) {
            T::decode(nested, out);
        } else {
            Codec<T>::decode(nested, out);
        }
        return !failed();
    } else {
        return readPrimitive(value, path, out);
    }
}

template <class T>
void Keyed::optional(std::string_view key, std::optional<T>& out) {
    const nlohmann::json* value = find(key, false);
    if (value == nullptr) return;
    T result{};
    if (read(*value, childPath(key), result)) out = std::move(result);
}

template <class T>
void Keyed::required(std::string_view key, T& out) {
    const nlohmann::json* value = find(key, true);
    if (value == nullptr) return;
    read(*value, childPath(key), out);
}

template <class T>
void Keyed::optionalWith(std::string_view key, std::optional<T>& out, const Converter<T>& convert) {
    const nlohmann::json* value = find(key, false);
    if (value == nullptr) return;
    std::string whyNot;
    if (auto result = convert(*value, whyNot)) {
        out = std::move(*result);
    } else {
        fail(DecodingError::Kind::typeMismatch, childPath(key), std::move(whyNot));
    }
}

template <Record R>
std::variant<R, DecodingError> decodeValue(const nlohmann::json& value, DateParser dates) {
    Keyed::Context context{std::move(dates), std::nullopt};
    Keyed top(value, std::string(), context);
    R record{};
    if (!top.readValue(value, record)) return std::move(*context.error);
    return record;
}

}  // namespace platform::json
