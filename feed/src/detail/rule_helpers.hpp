#pragma once

// Building blocks of the path tables. A rule is a plain function; templates
// over a locator (where the rule acts) and a data member (what it changes)
// turn each table row into one such function, with no state and no
// allocation beyond the model's own.
//
// Every rule answers the bytes it added to the model, as far as the model's
// bound is concerned: the objects it made and the text it kept.
//
// A locator is a type with `Model`, `Target` and
//   static Target* find(Model&)
// that answers the object a rule writes into, or nullptr when it does not
// exist yet (no item, no image, ...). A rule whose target is missing does
// nothing.

#include "detail/path_table.hpp"
#include "detail/unicode_trim.hpp"

#include <syndra/conversions.hpp>
#include <syndra/mapping.hpp>
#include <syndra/rss_feed.hpp>
#include <syndra/syndication.hpp>
#include <syndra/text.hpp>

#include <cstddef>
#include <string_view>
#include <type_traits>
#include <utility>

namespace syndra::detail {

template <class T>
struct MemberPointer;
template <class C, class F>
struct MemberPointer<F C::*> {
    using Class = C;
    using Type = F;
};

template <auto Field>
using FieldType = typename MemberPointer<decltype(Field)>::Type;

/// The object an optional field (std::optional or Indirect) holds.
template <auto Field>
using HeldType = std::remove_reference_t<decltype(*std::declval<FieldType<Field>&>())>;

/// The element type of an optional list field.
template <auto Field>
using ElementType = typename FieldType<Field>::value_type::value_type;

// ---- Locators --------------------------------------------------------------

/// The model itself.
template <class M>
struct Root {
    using Model = M;
    using Target = M;
    static Target* find(Model& model) noexcept { return &model; }
};

/// The object held in an optional field of the parent.
template <class Parent, auto Field>
struct Held {
    using Model = typename Parent::Model;
    using Target = HeldType<Field>;
    static Target* find(Model& model) noexcept {
        auto* parent = Parent::find(model);
        if (parent == nullptr) return nullptr;
        auto& slot = parent->*Field;
        return slot ? &*slot : nullptr;
    }
};

/// The last element of a list field of the parent. Documents are read in
/// order, so that is the element whose XML element is open.
template <class Parent, auto Field>
struct LastOf {
    using Model = typename Parent::Model;
    using Target = ElementType<Field>;
    static Target* find(Model& model) noexcept {
        auto* parent = Parent::find(model);
        if (parent == nullptr) return nullptr;
        auto& list = parent->*Field;
        return (list && !list->empty()) ? &list->back() : nullptr;
    }
};

// ---- Element-start rules ---------------------------------------------------

/// Builds a new model object for an element right in `slot` (an optional, an
/// Indirect, or a list through `emplace_back`), with the element's attributes
/// when its class keeps them. No temporary is made and moved: the big
/// namespace objects would cost a construction, a move and a destruction each.
template <class T, class Emplace>
void emplaceElement(Emplace&& emplace, const AttributeMap& attributes) {
    T& made = std::forward<Emplace>(emplace)();
    if constexpr (requires { typename T::Attributes; }) {
        made.attributes = attributesFrom<T>(attributes);
    }
}

/// Appends a new object to a list field, creating the list.
template <class Loc, auto Field>
std::size_t appendElement(typename Loc::Model& model, const AttributeMap& attributes) {
    auto* target = Loc::find(model);
    if (target == nullptr) return 0;
    auto& list = target->*Field;
    if (!list) list.emplace();
    emplaceElement<ElementType<Field>>(
        [&list]() -> auto& { return list->emplace_back(); }, attributes);
    return sizeof(ElementType<Field>);
}

/// Creates the object of an optional field unless it exists: the first
/// element of a path wins, with its attributes. Also creates namespace objects.
template <class Loc, auto Field>
std::size_t createOnce(typename Loc::Model& model, const AttributeMap& attributes) {
    auto* target = Loc::find(model);
    if (target == nullptr || target->*Field) return 0;
    auto& slot = target->*Field;
    emplaceElement<HeldType<Field>>(
        [&slot]() -> auto& { return slot.emplace(); }, attributes);
    return sizeof(HeldType<Field>);
}

/// Creates the object of an optional field anew every time: the last element
/// of a path wins.
template <class Loc, auto Field>
std::size_t createAgain(typename Loc::Model& model, const AttributeMap& attributes) {
    auto* target = Loc::find(model);
    if (target == nullptr) return 0;
    auto& slot = target->*Field;
    emplaceElement<HeldType<Field>>(
        [&slot]() -> auto& { return slot.emplace(); }, attributes);
    return sizeof(HeldType<Field>);
}

/// Makes a list field exist (empty) unless it does.
template <class Loc, auto Field>
std::size_t openList(typename Loc::Model& model, const AttributeMap&) {
    if (auto* target = Loc::find(model)) {
        auto& list = target->*Field;
        if (!list) list.emplace();
    }
    return 0;
}

/// Two start rules, one after the other.
template <auto First, auto Second, class Model>
std::size_t both(Model& model, const AttributeMap& attributes) {
    const std::size_t first = First(model, attributes);
    return first + Second(model, attributes);
}

// ---- Text rules ------------------------------------------------------------
//
// Each receives the element's whole text; the walk calls none for an element
// without text, while an empty text (an empty CDATA section) is text. A text
// rule comes with its kind (TextRule), so that the tables say of every row
// whether its field holds one value or grows into a list.

/// Runs `apply` on the field and answers what it answers (the bytes kept);
/// nothing happens without the target.
template <class Loc, auto Field, class Apply>
std::size_t withField(typename Loc::Model& model, Apply&& apply) {
    auto* target = Loc::find(model);
    return target == nullptr ? 0 : std::forward<Apply>(apply)(target->*Field);
}

/// Sets an empty text field to the text as it is (no trimming). A field that
/// holds a text keeps it: two <link>s must not run together into an address
/// that exists nowhere.
template <class Loc, auto Field>
std::size_t setText(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<Text>& field) {
        if (field) return std::size_t{0};
        field.emplace(text);
        return Text::heapBytes(text.size());
    });
}

/// Sets an empty field to what `convert` makes of the text; a text that does
/// not convert leaves it empty, for a later element to fill.
template <class Loc, auto Field, auto Convert>
std::size_t setValue(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](auto& field) {
        if (!field) field = Convert(text);
        return std::size_t{0};
    });
}

/// A date that white space alone (the blank lines around a pretty-printed
/// date) does not empty.
inline std::optional<Date> trimmedDate(std::string_view text) {
    return toDate(trimWhiteSpaceAndNewlines(text));
}

/// Appends the text as a new element of an existing list of texts.
template <class Loc, auto Field>
std::size_t addText(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<std::vector<Text>>& list) {
        if (!list) return std::size_t{0};
        list->emplace_back(text);
        return sizeof(Text) + Text::heapBytes(text.size());
    });
}

/// Appends an hour of the day (0 to 23) to an existing list; other texts are
/// dropped.
template <class Loc, auto Field>
std::size_t addHour(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<std::vector<std::int64_t>>& list) {
        const auto hour = toInt(text);
        if (!list || !hour || *hour < 0 || *hour > 23) return std::size_t{0};
        list->push_back(*hour);
        return sizeof(std::int64_t);
    });
}

/// Appends the day the text names (any letter case) to an existing list.
template <class Loc, auto Field>
std::size_t addDay(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<std::vector<RSSFeedSkipDay>>& list) {
        const auto day = skipDayFromText(text);
        if (!list || !day) return std::size_t{0};
        list->push_back(*day);
        return sizeof(RSSFeedSkipDay);
    });
}

// What the tables write. One value: the first element of the path that gives
// one stands, later ones are ignored. A list: every element adds to it.

/// One text, kept with the element's inner markup.
template <class Loc, auto Field>
inline constexpr TextRule<typename Loc::Model> oneText{setText<Loc, Field>, TextKind::text};
template <class Loc, auto Field>
inline constexpr TextRule<typename Loc::Model> oneDate{setValue<Loc, Field, toDate>,
                                                       TextKind::value};
/// A date written with blank lines around it still converts.
template <class Loc, auto Field>
inline constexpr TextRule<typename Loc::Model> oneTrimmedDate{setValue<Loc, Field, trimmedDate>,
                                                              TextKind::value};
template <class Loc, auto Field>
inline constexpr TextRule<typename Loc::Model> oneInteger{setValue<Loc, Field, toInt>,
                                                          TextKind::value};
/// "h:mm:ss", "mm:ss" or seconds.
template <class Loc, auto Field>
inline constexpr TextRule<typename Loc::Model> oneDuration{setValue<Loc, Field, toDuration>,
                                                           TextKind::value};
template <class Loc, auto Field>
inline constexpr TextRule<typename Loc::Model> onePeriod{setValue<Loc, Field, updatePeriodFromText>,
                                                         TextKind::value};
/// Each element one text of the list, with its inner markup.
template <class Loc, auto Field>
inline constexpr TextRule<typename Loc::Model> listText{addText<Loc, Field>, TextKind::texts};
template <class Loc, auto Field>
inline constexpr TextRule<typename Loc::Model> listHour{addHour<Loc, Field>, TextKind::values};
template <class Loc, auto Field>
inline constexpr TextRule<typename Loc::Model> listDay{addDay<Loc, Field>, TextKind::values};

}  // namespace syndra::detail
