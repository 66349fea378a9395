#pragma once

// How the JSON Feed records read and write themselves: by their field tables,
// in the format's key order, which is also the order of reading (the first
// failure in that order is the one reported).

#include <syndra/json_feed.hpp>

#include <platform/json/keyed_decoding.hpp>
#include <platform/json/keyed_encoding.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace platform::json {

/// Any JSON number, as a double.
inline std::optional<syndra::Real> readReal(const nlohmann::json& value, std::string& whyNot) {
    if (value.is_number()) return syndra::Real(value.get<double>());
    whyNot = std::string("expected a number, found ") + describeType(value);
    return std::nullopt;
}

/// An item id is text; one written as a number without a fraction or exponent
/// reads as that number's text. (decodeJSONFeedKeyed's tree holds such an id
/// as its literal text already, whatever its length; a plain tree holds it as
/// an integer.) Other numbers and other types fail.
inline std::optional<syndra::Text> readItemId(const nlohmann::json& value, std::string& whyNot) {
    if (value.is_string()) return syndra::Text(value.get_ref<const std::string&>());
    if (value.is_number_unsigned()) return syndra::Text(std::to_string(value.get<std::uint64_t>()));
    if (value.is_number_integer()) return syndra::Text(std::to_string(value.get<std::int64_t>()));
    whyNot = value.is_number_float()
                 ? std::string(
                       "expected a string or an integer, found a number with a fraction or an "
                       "exponent")
                 : std::string("expected a string or an integer, found ") + describeType(value);
    return std::nullopt;
}

/// Whether R is one of the JSON Feed records.
template <class R>
concept JSONFeedRecord = std::is_same_v<R, syndra::JSONFeed> ||
    std::is_same_v<R, syndra::JSONFeedItem> || std::is_same_v<R, syndra::JSONFeedAuthor> ||
    std::is_same_v<R, syndra::JSONFeedHub> || std::is_same_v<R, syndra::JSONFeedAttachment>;

template <JSONFeedRecord R>
struct Codec<R> {
    static void decode(Keyed& k, R& r) {
        syndra::forEachField<R>([&](const auto& row) { decodeField(k, row, r.*row.member); });
        if constexpr (std::is_same_v<R, syndra::JSONFeedAuthor>) {
            // An author is someone: a name, a page or a picture. Any one will
            // do; an object with none of them describes nobody.
            if (!k.failed() && !r.name && !r.url && !r.avatar) {
                k.reject(DecodingError::Kind::dataCorrupted,
                         "an author needs at least one of \"name\", \"url\" or \"avatar\"");
            }
        }
    }

    static void encode(KeyedWriter& w, const R& r) {
        syndra::forEachField<R>([&](const auto& row) {
            const auto& value = r.*row.member;
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>,
                                         std::optional<syndra::Real>>) {
                w.write(row.key, value ? std::optional<double>(*value) : std::nullopt);
            } else {
                w.write(row.key, value);
            }
        });
    }

private:
    template <class Row, class T>
    static void decodeField(Keyed& k, const Row& row, std::optional<T>& out) {
        if constexpr (std::is_same_v<T, syndra::Text>) {
            if (row.reading == syndra::FieldReading::integerAsText) {
                k.optionalWith<syndra::Text>(row.key, out, readItemId);
            } else if (row.isRequired) {
                std::string text;
                k.required(row.key, text);
                if (!k.failed()) out = syndra::Text(text);
            } else {
                std::optional<std::string> text;
                k.optional(row.key, text);
                if (text) out = syndra::Text(*text);
            }
        } else if constexpr (std::is_same_v<T, std::vector<syndra::Text>>) {
            std::optional<std::vector<std::string>> texts;
            k.optional(row.key, texts);
            if (texts) out.emplace(texts->begin(), texts->end());
        } else if constexpr (std::is_same_v<T, syndra::Real>) {
            k.optionalWith<syndra::Real>(row.key, out, readReal);
        } else {
            k.optional(row.key, out);
        }
    }
};

}  // namespace platform::json
