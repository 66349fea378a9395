#pragma once

// Writing records to JSON by key, in the record's key order. Every key is
// written; an empty optional is written as null.
//
// A record type R provides   void encode(platform::json::KeyedWriter&) const;
// or a specialization of platform::json::Codec<R> with
//   static void encode(KeyedWriter&, const R&);

#include <platform/json/keyed_decoding.hpp>

#include <nlohmann/json.hpp>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform::json {

/// Turns a date into its JSON text.
using DateWriter = std::function<std::string(Date)>;

class KeyedWriter {
public:
    explicit KeyedWriter(const DateWriter* dates)
        : dates_(dates), object_(nlohmann::ordered_json::object()) {}

    template <class T>
    void write(std::string_view key, const T& value) {
        object_[std::string(key)] = toJson(value);
    }

    nlohmann::ordered_json take() { return std::move(object_); }

private:
    template <class T>
    nlohmann::ordered_json toJson(const std::optional<T>& value) {
        return value ? toJson(*value) : nlohmann::ordered_json(nullptr);
    }
    template <class T>
    nlohmann::ordered_json toJson(const std::vector<T>& values) {
        auto array = nlohmann::ordered_json::array();
        for (const auto& v : values) array.push_back(toJson(v));
        return array;
    }
    nlohmann::ordered_json toJson(const Date& date) {
        return dates_ != nullptr && *dates_
                   ? nlohmann::ordered_json((*dates_)(date))
                   : nlohmann::ordered_json(date.time_since_epoch().count());
    }
    template <class T>
    nlohmann::ordered_json toJson(const T& value) {
        if constexpr (requires(KeyedWriter & w) { value.encode(w); }) {
            KeyedWriter nested(dates_);
            value.encode(nested);
            return nested.take();
        } else if constexpr (requires(KeyedWriter & w) { Codec<T>::encode(w, value); }) {
            KeyedWriter nested(dates_);
            Codec<T>::encode(nested, value);
            return nested.take();
        } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
            // Text types would otherwise look like arrays, or not convert at all.
            return nlohmann::ordered_json(std::string(std::string_view(value)));
        } else {
            return nlohmann::ordered_json(value);
        }
    }

    const DateWriter* dates_;
    nlohmann::ordered_json object_;
};

/// The JSON text of a record; `indent` < 0 gives one line.
template <class R>
std::string encode(const R& record, const DateWriter& dates = {}, int indent = -1) {
    KeyedWriter writer(&dates);
    if constexpr (requires { record.encode(writer); }) {
        record.encode(writer);
    } else {
        Codec<R>::encode(writer, record);
    }
    return writer.take().dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace platform::json
