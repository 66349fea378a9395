#include <syndra/dump.hpp>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <concepts>
#include <cstdio>
#include <string_view>
#include <type_traits>
#include <vector>

namespace syndra {
namespace {

using Json = nlohmann::ordered_json;

template <class T>
concept Visitable = requires(const T& object) {
    object.visitFields([](std::string_view, const auto&) {});
};

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

/// Days since 1970-01-01 to a civil (proleptic Gregorian) date. Plain 64-bit
/// arithmetic, so any Date prints without overflow.
struct CivilDate {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

CivilDate civilFromDays(std::int64_t days) noexcept {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<std::uint64_t>(days - era * 146097);
    const std::uint64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::uint64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::uint64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const auto day = static_cast<unsigned>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const auto month = static_cast<unsigned>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
    return {year, month, day};
}

std::string formatDate(Date date) {
    constexpr std::int64_t msPerDay = 86'400'000;
    const std::int64_t ms = date.time_since_epoch().count();
    std::int64_t days = ms / msPerDay;
    std::int64_t msOfDay = ms % msPerDay;
    if (msOfDay < 0) {
        msOfDay += msPerDay;
        days -= 1;
    }
    const CivilDate civil = civilFromDays(days);
    const auto seconds = msOfDay / 1000;
    const auto millis = static_cast<int>(msOfDay % 1000);

    char buffer[64];
    // Years outside 0...9999 cannot be written in RFC 3339; they keep a sign
    // so that the text still reads unambiguously.
    const char* yearFormat = (civil.year >= 0 && civil.year <= 9999) ? "%04" PRId64 : "%+05" PRId64;
    int length = std::snprintf(buffer, sizeof buffer, yearFormat, civil.year);
    length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length),
                            "-%02u-%02uT%02d:%02d:%02d", civil.month, civil.day,
                            static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                            static_cast<int>(seconds % 60));
    if (millis != 0) {
        length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length),
                                ".%03d", millis);
    }
    return std::string(buffer, static_cast<std::size_t>(length)) + "Z";
}

template <class T>
Json valueOf(const T& value);

template <Visitable T>
Json objectOf(const T& object) {
    Json json = Json::object();
    object.visitFields([&json](std::string_view name, const auto& field) {
        using Field = std::remove_cvref_t<decltype(field)>;
        if constexpr (IsOptional<Field>::value) {
            if (field) json[std::string(name)] = valueOf(*field);
        } else {
            json[std::string(name)] = valueOf(field);
        }
    });
    return json;
}

template <class T>
Json valueOf(const T& value) {
    if constexpr (std::is_same_v<T, Date>) {
        return formatDate(value);
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
    } else if constexpr (Visitable<T>) {
        return objectOf(value);
    } else {
        static_assert(sizeof(T) == 0, "no JSON form for this field type");
    }
}

template <class T>
Json feedObject(const T& feed) {
    // A model without fields (the JSON Feed model before it is filled in)
    // still dumps as an object.
    if constexpr (Visitable<T>) {
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
