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
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <utility>
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

// What one row says of its member, gathered by a small generic walk so that
// the checks themselves are compiled once rather than once per type.
struct Row {
    std::string_view name, key;
    std::size_t offset, size, align;
};

struct Layout {
    std::string type;
    std::size_t size, align;
    std::vector<Row> rows;
};

template <class T>
Layout layoutOf() {
    Layout layout{typeid(T).name(), sizeof(T), alignof(T), {}};
    const T probe{};
    forEachField<T>([&](const auto& row) {
        const auto& member = probe.*row.member;
        layout.rows.push_back({row.name, row.key,
                               static_cast<std::size_t>(reinterpret_cast<const char*>(&member) -
                                                        reinterpret_cast<const char*>(&probe)),
                               sizeof member, alignof(decltype(member))});
    });
    return layout;
}

// The rows, by place in the object, must leave no gap that a member could
// fill: only padding lies between them.
void expectEveryMemberHasOneRow(Layout layout) {
    SCOPED_TRACE(layout.type);
    std::set<std::string_view> names, keys;
    for (const Row& row : layout.rows) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        EXPECT_TRUE(keys.insert(row.key).second) << row.key;
    }
    std::sort(layout.rows.begin(), layout.rows.end(),
              [](const Row& a, const Row& b) { return a.offset < b.offset; });
    std::size_t end = 0;
    for (const Row& row : layout.rows) {
        EXPECT_GE(row.offset, end);
        EXPECT_LT(row.offset, (end + row.align - 1) / row.align * row.align + 1);
        end = row.offset + row.size;
    }
    EXPECT_EQ((end + layout.align - 1) / layout.align * layout.align, layout.size);
}

TEST(ModelFields, EveryMemberHasOneRow) {
    forEveryModelType([]<class T>() { expectEveryMemberHasOneRow(layoutOf<T>()); });
}

// An attribute as read: its row's name and its value as text ("" when absent).
using ReadValues = std::vector<std::pair<std::string_view, std::string>>;

template <class A>
ReadValues valuesOf(const A& attributes) {
    ReadValues values;
    forEachField<A>([&](const auto& row) {
        const auto& value = attributes.*row.member;
        std::string text;
        if (value) {
            using Value = typename std::remove_cvref_t<decltype(value)>::value_type;
            if constexpr (std::is_same_v<Value, Text>) {
                text = std::string(*value);
            } else if constexpr (std::is_same_v<Value, bool>) {
                text = *value ? "true" : "false";
            } else {
                text = std::to_string(static_cast<long long>(*value));
            }
        }
        values.emplace_back(row.name, std::move(text));
    });
    return values;
}

// Each attribute is read from the attribute its row names, as its type says.
TEST(ModelFields, EveryAttributeIsReadFromItsKey) {
    forEveryModelType([]<class T>() {
        if constexpr (requires { typename T::Attributes; }) {
            SCOPED_TRACE(typeid(T).name());
            using A = typename T::Attributes;
            Pairs pairs;
            std::vector<std::string> expected;
            forEachField<A>([&](const auto& row) {
                using Value =
                    typename Unwrapped<typename std::remove_cvref_t<decltype(row)>::Type>::Type;
                expected.emplace_back(std::is_same_v<Value, bool> ? "true" : "2");
                pairs.emplace_back(row.key, expected.back());
                // An attribute named like a field it is not read from is ignored.
                if (row.key != row.name) pairs.emplace_back(row.name, "3");
            });
            const AttributeList list(pairs);
            const auto attributes = attributesFrom<T>(list);
            ASSERT_TRUE(attributes);
            const ReadValues values = valuesOf(*attributes);
            ASSERT_EQ(values.size(), expected.size());
            for (std::size_t i = 0; i < values.size(); ++i) {
                EXPECT_EQ(values[i].second, expected[i]) << values[i].first;
            }
            EXPECT_FALSE(attributesFrom<T>(AttributeList()));
            EXPECT_TRUE(attributesFrom<T>(AttributeList{{"unknown", "x"}}));
        }
    });
}

}  // namespace
}  // namespace syndra
