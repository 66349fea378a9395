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
// without text, while an empty text (an empty CDATA section) is text.

/// Runs `apply` on the field and answers what it answers (the bytes kept);
/// nothing happens without the target.
template <class Loc, auto Field, class Apply>
std::size_t withField(typename Loc::Model& model, Apply&& apply) {
    auto* target = Loc::find(model);
    return target == nullptr ? 0 : std::forward<Apply>(apply)(target->*Field);
}

/// Appends the text as it is (no trimming, no separator): the texts of
/// repeated elements of one path run together.
template <class Loc, auto Field>
std::size_t appendText(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<Text>& field) {
        if (field) {
            field->append(text);
            return text.size();
        }
        field.emplace(text);
        return Text::heapBytes(text.size());
    });
}

/// Replaces the field with the date the text gives, or empties it.
template <class Loc, auto Field>
std::size_t dateText(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<Date>& field) {
        field = toDate(text);
        return std::size_t{0};
    });
}

/// Like dateText, but white space alone (the blank lines around a pretty-
/// printed date) changes nothing.
template <class Loc, auto Field>
std::size_t trimmedDateText(typename Loc::Model& model, std::string_view text) {
    const std::string_view date = trimWhiteSpaceAndNewlines(text);
    if (date.empty() && !text.empty()) return 0;
    return withField<Loc, Field>(model, [date](std::optional<Date>& field) {
        field = toDate(date);
        return std::size_t{0};
    });
}

/// Replaces the field with the integer the text gives, or empties it.
template <class Loc, auto Field>
std::size_t integerText(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<std::int64_t>& field) {
        field = toInt(text);
        return std::size_t{0};
    });
}

/// Replaces the field with the duration ("h:mm:ss") the text gives, or
/// empties it.
template <class Loc, auto Field>
std::size_t durationText(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<Real>& field) {
        field = toDuration(text);
        return std::size_t{0};
    });
}

/// Replaces the field with the update period the text names, or empties it.
template <class Loc, auto Field>
std::size_t periodText(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<SyndicationUpdatePeriod>& field) {
        field = updatePeriodFromText(text);
        return std::size_t{0};
    });
}

/// Appends the text as a new element of an existing list of texts.
template <class Loc, auto Field>
std::size_t appendListText(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<std::vector<Text>>& list) {
        if (!list) return std::size_t{0};
        list->emplace_back(text);
        return sizeof(Text) + Text::heapBytes(text.size());
    });
}

/// Appends an hour of the day (0 to 23) to an existing list; other texts are
/// dropped.
template <class Loc, auto Field>
std::size_t hourText(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<std::vector<std::int64_t>>& list) {
        const auto hour = toInt(text);
        if (!list || !hour || *hour < 0 || *hour > 23) return std::size_t{0};
        list->push_back(*hour);
        return sizeof(std::int64_t);
    });
}

/// Appends the day the text names (any letter case) to an existing list.
template <class Loc, auto Field>
std::size_t dayText(typename Loc::Model& model, std::string_view text) {
    return withField<Loc, Field>(model, [text](std::optional<std::vector<RSSFeedSkipDay>>& list) {
        const auto day = skipDayFromText(text);
        if (!list || !day) return std::size_t{0};
        list->push_back(*day);
        return sizeof(RSSFeedSkipDay);
    });
}

}  // namespace syndra::detail
