#include <syndra/dump.hpp>

#include "detail/icu_dates.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <concepts>
#include <cstddef>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace syndra {
namespace {

using Json = nlohmann::ordered_json;

template <class T>
concept Enumeration = std::is_enum_v<T> && requires(T value) {
    { rawValue(value) } -> std::convertible_to<std::string_view>;
};

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};
template <class T>
struct IsOptional<Indirect<T>> : std::true_type {};

template <class T>
struct IsVector : std::false_type {};
template <class T, class A>
struct IsVector<std::vector<T, A>> : std::true_type {};

template <class T>
Json valueOf(const T& value);

// Row indices sorted by the offsets of their members.
std::vector<std::size_t> byOffset(const std::vector<std::ptrdiff_t>& offsets) {
    std::vector<std::size_t> rows(offsets.size());
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
    std::sort(rows.begin(), rows.end(),
              [&offsets](std::size_t a, std::size_t b) { return offsets[a] < offsets[b]; });
    return rows;
}

// The table's rows in declaration order (JSON Feed tables are in key order):
// members are laid out in the order they are declared.
template <Described T>
const std::vector<std::size_t>& declarationOrder() {
    static const std::vector<std::size_t> order = [] {
        const T probe{};
        const auto* base = reinterpret_cast<const char*>(&probe);
        std::vector<std::ptrdiff_t> offsets;
        forEachField<T>([&](const auto& row) {
            offsets.push_back(reinterpret_cast<const char*>(&(probe.*row.member)) - base);
        });
        return byOffset(offsets);
    }();
    return order;
}

// Writes one field under its name; absent optionals are left out. One
// instantiation per field type, shared by every row of that type.
template <class Field>
void put(Json& json, std::string_view name, const Field& field) {
    if constexpr (IsOptional<Field>::value) {
        if (field) json[std::string(name)] = valueOf(*field);
    } else {
        json[std::string(name)] = valueOf(field);
    }
}

template <Described T, std::size_t I>
void putRow(Json& json, const T& object) {
    const auto& row = std::get<I>(T::fields);
    put(json, row.name, object.*row.member);
}

// One small function per row, called by index: the rows' code is not inlined
// into one large function per type, which kept the compiler busy for long.
template <Described T, std::size_t... I>
constexpr auto rowWriters(std::index_sequence<I...>) {
    return std::array<void (*)(Json&, const T&), sizeof...(I)>{&putRow<T, I>...};
}

template <Described T>
Json objectOf(const T& object) {
    static constexpr auto writers = rowWriters<T>(std::make_index_sequence<fieldCount<T>>());
    Json json = Json::object();
    for (const std::size_t index : declarationOrder<T>()) writers[index](json, object);
    return json;
}

template <class T>
Json valueOf(const T& value) {
    if constexpr (std::is_same_v<T, Date>) {
        // As the model reads dates and the JSON Feed encoder writes them: the
        // RFC 3339 reader reads the text back as the same instant.
        return detail::formatRFC3339(value);
    } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
        return std::string(std::string_view(value));
    } else if constexpr (std::is_same_v<T, bool>) {
        return value;
    } else if constexpr (std::is_integral_v<T>) {
        return value;
    } else if constexpr (std::is_same_v<T, Real>) {
        return valueOf(static_cast<double>(value));
    } else if constexpr (std::is_floating_point_v<T>) {
        // JSON has no infinities or NaN; keep them readable instead of null.
        if (std::isnan(value)) return "nan";
        if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
        return value;
    } else if constexpr (Enumeration<T>) {
        return std::string(rawValue(value));
    } else if constexpr (IsVector<T>::value) {
        Json array = Json::array();
        for (const auto& element : value) array.push_back(valueOf(element));
        return array;
    } else if constexpr (IsOptional<T>::value) {
        return value ? valueOf(*value) : Json();
    } else if constexpr (Described<T>) {
        return objectOf(value);
    } else {
        static_assert(sizeof(T) == 0, "no JSON form for this field type");
    }
}

template <class T>
Json feedObject(const T& feed) {
    // A model without fields (the JSON Feed model before it is filled in)
    // still dumps as an object.
    if constexpr (Described<T>) {
        return objectOf(feed);
    } else {
        return Json::object();
    }
}

// Adds `value` under `name` unless it is empty or absent.
template <class T>
void putIfAny(Json& json, const char* name, const T& value) {
    if constexpr (IsOptional<T>::value) {
        if (value) json[name] = valueOf(*value);
    } else {
        if (!value.empty()) json[name] = valueOf(value);
    }
}

Json summaryItem(const Summary::Item& item) {
    Json json = Json::object();
    putIfAny(json, "title", item.title);
    putIfAny(json, "link", item.link);
    putIfAny(json, "id", item.id);
    putIfAny(json, "published", item.published);
    putIfAny(json, "updated", item.updated);
    putIfAny(json, "summary", item.summary);
    putIfAny(json, "content", item.content);
    putIfAny(json, "authors", item.authors);
    putIfAny(json, "categories", item.categories);
    if (!item.enclosures.empty()) {
        Json& enclosures = json["enclosures"] = Json::array();
        for (const auto& enclosure : item.enclosures) {
            Json one = Json::object();
            putIfAny(one, "url", enclosure.url);
            putIfAny(one, "type", enclosure.type);
            putIfAny(one, "length", enclosure.length);
            enclosures.push_back(std::move(one));
        }
    }
    putIfAny(json, "duration", item.duration);
    putIfAny(json, "image", item.image);
    return json;
}

std::string dumped(const Json& json, int indent) {
    constexpr int maxIndent = 32;
    return json.dump(indent < 0 ? -1 : std::min(indent, maxIndent), ' ', false,
                     Json::error_handler_t::replace);
}

}  // namespace

std::string toJSON(const Summary& summary, int indent) {
    Json json = Json::object();
    putIfAny(json, "title", summary.title);
    putIfAny(json, "link", summary.link);
    putIfAny(json, "description", summary.description);
    putIfAny(json, "language", summary.language);
    putIfAny(json, "imageURL", summary.imageURL);
    putIfAny(json, "updated", summary.updated);
    Json& items = json["items"] = Json::array();
    for (const auto& item : summary.items) items.push_back(summaryItem(item));
    return dumped(json, indent);
}

std::string toJSON(const Feed& feed, int indent) {
    Json json = Json::object();
    switch (feed.kind()) {
        case Feed::Kind::rss:
            json["kind"] = "rss";
            json["feed"] = feedObject(*feed.rssFeed());
            break;
        case Feed::Kind::atom:
            json["kind"] = "atom";
            json["feed"] = feedObject(*feed.atomFeed());
            break;
        case Feed::Kind::json:
            json["kind"] = "json";
            json["feed"] = feedObject(*feed.jsonFeed());
            break;
    }
    return dumped(json, indent);
}

}  // namespace syndra
