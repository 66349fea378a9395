// The field tables: every member has its row, and the rows drive attribute
// reading, so one walk over every model type checks them all. What the rules
// make of odd values is in the golden documents (t21_attribute_values.xml).

#include "attribute_list.hpp"

#include <syndra/atom_feed.hpp>
#include <syndra/json_feed.hpp>
#include <syndra/mapping.hpp>
#include <syndra/rss_feed.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <typeindex>
#include <vector>

namespace syndra {
namespace {

using test::AttributeList;
using test::Pairs;

template <class T>
struct Unwrapped {
    using Type = T;
};
template <class T>
struct Unwrapped<std::optional<T>> : Unwrapped<T> {};
template <class T>
struct Unwrapped<Indirect<T>> : Unwrapped<T> {};
template <class T>
struct Unwrapped<std::vector<T>> : Unwrapped<T> {};

// Calls visit.template operator()<T>() for T and every model type below it, once.
template <class T, class Visit>
void forEachType(Visit& visit, std::set<std::type_index>& seen) {
    if (!seen.insert(typeid(T)).second) return;
    visit.template operator()<T>();
    forEachField<T>([&](const auto& row) {
        using Member = typename Unwrapped<typename std::remove_cvref_t<decltype(row)>::Type>::Type;
        if constexpr (Described<Member>) forEachType<Member>(visit, seen);
    });
}

template <class Visit>
void forEveryModelType(Visit visit) {
    std::set<std::type_index> seen;
    forEachType<RSSFeed>(visit, seen);
    forEachType<AtomFeed>(visit, seen);
    forEachType<JSONFeed>(visit, seen);
    EXPECT_GT(seen.size(), 50u);
}

TEST(ModelFields, EveryMemberHasOneRow) {
    forEveryModelType([]<class T>() {
        SCOPED_TRACE(typeid(T).name());
        // The rows, by place in the object, must leave no gap that a member
        // could fill: only padding lies between them.
        struct Span {
            std::size_t offset, size, align;
        };
        std::vector<Span> spans;
        std::set<std::string_view> names, keys;
        const T probe{};
        forEachField<T>([&](const auto& row) {
            const auto& member = probe.*row.member;
            spans.push_back({static_cast<std::size_t>(reinterpret_cast<const char*>(&member) -
                                                      reinterpret_cast<const char*>(&probe)),
                             sizeof member, alignof(decltype(member))});
            EXPECT_TRUE(names.insert(row.name).second) << row.name;
            EXPECT_TRUE(keys.insert(row.key).second) << row.key;
        });
        std::sort(spans.begin(), spans.end(),
                  [](const Span& a, const Span& b) { return a.offset < b.offset; });
        std::size_t end = 0;
        for (const Span& span : spans) {
            EXPECT_GE(span.offset, end);
            EXPECT_LT(span.offset, (end + span.align - 1) / span.align * span.align + 1);
            end = span.offset + span.size;
        }
        EXPECT_EQ((end + alignof(T) - 1) / alignof(T) * alignof(T), sizeof(T));
    });
}

// Each attribute is read from the attribute its row names, as its type says.
TEST(ModelFields, EveryAttributeIsReadFromItsKey) {
    forEveryModelType([]<class T>() {
        if constexpr (requires { typename T::Attributes; }) {
            SCOPED_TRACE(typeid(T).name());
            using A = typename T::Attributes;
            Pairs pairs;
            forEachField<A>([&](const auto& row) {
                using Value =
                    typename Unwrapped<typename std::remove_cvref_t<decltype(row)>::Type>::Type;
                pairs.emplace_back(row.key, std::is_same_v<Value, bool> ? "true" : "2");
                // An attribute named like a field it is not read from is ignored.
                if (row.key != row.name) pairs.emplace_back(row.name, "3");
            });
            const AttributeList list(pairs);
            const auto attributes = attributesFrom<T>(list);
            ASSERT_TRUE(attributes);
            forEachField<A>([&](const auto& row) {
                const auto& value = *attributes.*row.member;
                ASSERT_TRUE(value) << row.name;
                using Value = typename std::remove_cvref_t<decltype(value)>::value_type;
                if constexpr (std::is_same_v<Value, Text>) {
                    EXPECT_EQ(*value, "2") << row.name;
                } else if constexpr (std::is_same_v<Value, bool>) {
                    EXPECT_TRUE(*value) << row.name;
                } else {
                    EXPECT_EQ(*value, 2) << row.name;
                }
            });
            EXPECT_FALSE(attributesFrom<T>(AttributeList()));
            EXPECT_TRUE(attributesFrom<T>(AttributeList{{"unknown", "x"}}));
        }
    });
}

}  // namespace
}  // namespace syndra
