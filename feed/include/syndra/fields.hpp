#pragma once

// Every model type lists its members once, in a constexpr table `fields`:
//
//   static constexpr auto fields = std::tuple{field("url", &Attributes::url), ...};
//
// one row per member: its name (as the JSON dump writes it), the XML
// attribute or JSON key it is read from where that differs, and the member
// itself. The dump, attribute reading, JSON Feed decoding and encoding and
// the models' equality all walk these tables, so a new field is one new row.
// JSON Feed records list their rows in the format's key order; the others in
// declaration order.

#include <syndra/indirect.hpp>
#include <syndra/text.hpp>

#include <cstddef>
#include <optional>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace syndra {

/// How a field's value is read from text where its type alone does not say.
enum class FieldReading {
    byType,
    /// Seconds from "h:mm:ss"-style text.
    duration,
    /// A text, or a JSON integer kept as its literal text.
    integerAsText,
};

/// One row of a model type's field table.
template <class Class, class Member>
struct Field {
    using Type = Member;

    std::string_view name;
    Member Class::*member;
    /// The XML attribute or JSON key the field is read from and written to.
    std::string_view key;
    FieldReading reading = FieldReading::byType;
    /// Reading fails without it (JSON Feed).
    bool isRequired = false;

    constexpr Field as(std::string_view otherKey) const {
        Field row = *this;
        row.key = otherKey;
        return row;
    }
    constexpr Field read(FieldReading how) const {
        Field row = *this;
        row.reading = how;
        return row;
    }
    constexpr Field required() const {
        Field row = *this;
        row.isRequired = true;
        return row;
    }
};

template <class Class, class Member>
constexpr Field<Class, Member> field(std::string_view name, Member Class::*member) {
    return {name, member, name};
}

/// A type with a field table.
template <class T>
concept Described = requires {
    std::tuple_size<std::remove_cvref_t<decltype(T::fields)>>::value;
};

/// Calls f(row) for each row of T's table, in table order.
template <Described T, class F>
constexpr void forEachField(F&& f) {
    std::apply([&f](const auto&... row) { (f(row), ...); }, T::fields);
}

/// Calls f(row) for the row at `index` of T's table.
template <Described T, class F>
constexpr void withField(std::size_t index, F&& f) {
    std::size_t at = 0;
    forEachField<T>([&](const auto& row) {
        if (at++ == index) f(row);
    });
}

template <Described T>
constexpr std::size_t fieldCount = std::tuple_size_v<std::remove_cvref_t<decltype(T::fields)>>;

/// An element that holds attributes only; `attributes` is built only when it
/// has at least one of them.
template <Described A>
struct WithAttributes {
    using Attributes = A;

    std::optional<Attributes> attributes{};

    static constexpr auto fields = std::tuple{field("attributes", &WithAttributes::attributes)};
};

/// An element with text and attributes; `attributes` is built only when the
/// element has at least one of them.
template <Described A>
struct TextWithAttributes {
    using Attributes = A;

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    static constexpr auto fields = std::tuple{field("attributes", &TextWithAttributes::attributes),
                                              field("value", &TextWithAttributes::value)};
};

// ---- Equality ----------------------------------------------------------------
// Two models are equal when every field is: texts by canonical equivalence,
// absent equal to absent, lists element by element.

inline bool sameValue(const Text& a, const Text& b) {
    return canonicallyEquivalent(a, b);
}
template <class T>
bool sameValue(const T& a, const T& b);
template <class T>
bool sameValue(const std::optional<T>& a, const std::optional<T>& b) {
    return a && b ? sameValue(*a, *b) : a.has_value() == b.has_value();
}
template <class T>
bool sameValue(const Indirect<T>& a, const Indirect<T>& b) {
    return a && b ? sameValue(*a, *b) : a.has_value() == b.has_value();
}
template <class T>
bool sameValue(const std::vector<T>& a, const std::vector<T>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!sameValue(a[i], b[i])) return false;
    }
    return true;
}
template <class T>
bool sameValue(const T& a, const T& b) {
    return a == b;
}

/// Equality of model types, field by field (a type may define its own).
template <Described T>
bool operator==(const T& a, const T& b) {
    bool same = true;
    forEachField<T>(
        [&](const auto& row) { same = same && sameValue(a.*row.member, b.*row.member); });
    return same;
}

}  // namespace syndra
