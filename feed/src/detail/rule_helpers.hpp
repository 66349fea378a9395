#pragma once

// Building blocks of the path tables. A rule is a plain function; templates
// over a locator (where the rule acts) and a data member (what it changes)
// turn each table row into one such function, with no state and no
// allocation beyond the model's own.
//
// A locator is a type with `Model`, `Target` and
//   static Target* find(Model&)
// that answers the object a rule writes into, or nullptr when it does not
// exist yet (no item, no image, ...). A rule whose target is missing does
// nothing.

#include "detail/unicode_trim.hpp"

#include <syndra/attribute_map.hpp>
#include <syndra/conversions.hpp>
#include <syndra/rss_feed.hpp>
#include <syndra/syndication.hpp>
#include <syndra/text.hpp>

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
/// Indirect, or a list through `emplace_back`): from the element's attributes
/// when its class keeps them, empty otherwise. No temporary is made and moved:
/// the big namespace objects would cost a construction, a move and a
/// destruction each.
template <class T, class Emplace>
decltype(auto) emplaceElement(Emplace&& emplace, const AttributeMap& attributes) {
    if constexpr (std::is_constructible_v<T, const AttributeMap&>) {
        return std::forward<Emplace>(emplace)(attributes);
    } else {
        return std::forward<Emplace>(emplace)();
    }
}

/// Appends a new object to a list field, creating the list.
template <class Loc, auto Field>
void appendElement(typename Loc::Model& model, const AttributeMap& attributes) {
    if (auto* target = Loc::find(model)) {
        auto& list = target->*Field;
        if (!list) list.emplace();
        emplaceElement<ElementType<Field>>([&list](auto&&... args) { list->emplace_back(args...); },
                                           attributes);
    }
}

/// Creates the object of an optional field unless it exists: the first
/// element of a path wins, with its attributes. Also creates namespace objects.
template <class Loc, auto Field>
void createOnce(typename Loc::Model& model, const AttributeMap& attributes) {
    if (auto* target = Loc::find(model)) {
        auto& slot = target->*Field;
        if (!slot) {
            emplaceElement<HeldType<Field>>([&slot](auto&&... args) { slot.emplace(args...); },
                                            attributes);
        }
    }
}

/// Creates the object of an optional field anew every time: the last element
/// of a path wins.
template <class Loc, auto Field>
void createAgain(typename Loc::Model& model, const AttributeMap& attributes) {
    if (auto* target = Loc::find(model)) {
        auto& slot = target->*Field;
        emplaceElement<HeldType<Field>>([&slot](auto&&... args) { slot.emplace(args...); },
                                        attributes);
    }
}

/// Makes a list field exist (empty) unless it does.
template <class Loc, auto Field>
void openList(typename Loc::Model& model, const AttributeMap&) {
    if (auto* target = Loc::find(model)) {
        auto& list = target->*Field;
        if (!list) list.emplace();
    }
}

/// Two start rules, one after the other.
template <auto First, auto Second, class Model>
void both(Model& model, const AttributeMap& attributes) {
    First(model, attributes);
    Second(model, attributes);
}

// ---- Text rules ------------------------------------------------------------
//
// Each receives the element's whole text. An element without text leaves its
// field as it was.

template <class Loc, auto Field, class Apply>
void withField(typename Loc::Model& model, std::string_view text, Apply&& apply) {
    if (text.empty()) return;
    if (auto* target = Loc::find(model)) std::forward<Apply>(apply)(target->*Field);
}

/// Appends the text as it is (no trimming, no separator): the texts of
/// repeated elements of one path run together.
template <class Loc, auto Field>
void appendText(typename Loc::Model& model, std::string_view text) {
    withField<Loc, Field>(model, text, [text](std::optional<Text>& field) {
        if (field) {
            field->append(text);
        } else {
            field.emplace(text);
        }
    });
}

/// Replaces the field with the date the text gives, or empties it.
template <class Loc, auto Field>
void dateText(typename Loc::Model& model, std::string_view text) {
    withField<Loc, Field>(model, text,
                          [text](std::optional<Date>& field) { field = toDate(text); });
}

/// Like dateText, but white space alone (the blank lines around a pretty-
/// printed date) changes nothing.
template <class Loc, auto Field>
void trimmedDateText(typename Loc::Model& model, std::string_view text) {
    const std::string_view date = trimWhiteSpaceAndNewlines(text);
    withField<Loc, Field>(model, date,
                          [date](std::optional<Date>& field) { field = toDate(date); });
}

/// Replaces the field with the integer the text gives, or empties it.
template <class Loc, auto Field>
void integerText(typename Loc::Model& model, std::string_view text) {
    withField<Loc, Field>(model, text,
                          [text](std::optional<std::int64_t>& field) { field = toInt(text); });
}

/// Replaces the field with the duration ("h:mm:ss") the text gives, or
/// empties it.
template <class Loc, auto Field>
void durationText(typename Loc::Model& model, std::string_view text) {
    withField<Loc, Field>(model, text,
                          [text](std::optional<Real>& field) { field = toDuration(text); });
}

/// Replaces the field with the update period the text names, or empties it.
template <class Loc, auto Field>
void periodText(typename Loc::Model& model, std::string_view text) {
    withField<Loc, Field>(model, text, [text](std::optional<SyndicationUpdatePeriod>& field) {
        field = updatePeriodFromText(text);
    });
}

/// Appends the text as a new element of an existing list of texts.
template <class Loc, auto Field>
void appendListText(typename Loc::Model& model, std::string_view text) {
    withField<Loc, Field>(model, text, [text](std::optional<std::vector<Text>>& list) {
        if (list) list->emplace_back(text);
    });
}

/// Appends an hour of the day (0 to 23) to an existing list; other texts are
/// dropped.
template <class Loc, auto Field>
void hourText(typename Loc::Model& model, std::string_view text) {
    withField<Loc, Field>(model, text, [text](std::optional<std::vector<std::int64_t>>& list) {
        const auto hour = toInt(text);
        if (list && hour && *hour >= 0 && *hour <= 23) list->push_back(*hour);
    });
}

/// Appends the day the text names (any letter case) to an existing list.
template <class Loc, auto Field>
void dayText(typename Loc::Model& model, std::string_view text) {
    withField<Loc, Field>(model, text, [text](std::optional<std::vector<RSSFeedSkipDay>>& list) {
        const auto day = skipDayFromText(text);
        if (list && day) list->push_back(*day);
    });
}

}  // namespace syndra::detail
