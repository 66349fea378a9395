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
    SCOPED_TRACE(typeid(T).name());
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

// A row and its member's place: checks on these compile once, not per type.
struct Row {
    std::string_view name, key;
    std::size_t offset, size, align;
};

// The rows, by place in the object, must leave no gap that a member could
// fill: only padding lies between them.
void expectEveryMemberHasOneRow(std::vector<Row> rows, std::size_t size, std::size_t align) {
    std::set<std::string_view> names, keys;
    for (const Row& row : rows) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        EXPECT_TRUE(keys.insert(row.key).second) << row.key;
    }
    std::sort(rows.begin(), rows.end(),
              [](const Row& a, const Row& b) { return a.offset < b.offset; });
    std::size_t end = 0;
    for (const Row& row : rows) {
        EXPECT_GE(row.offset, end) << row.name;
        EXPECT_LT(row.offset, (end + row.align - 1) / row.align * row.align + 1) << row.name;
        end = row.offset + row.size;
    }
    EXPECT_EQ((end + align - 1) / align * align, size);
}

TEST(ModelFields, EveryMemberHasOneRow) {
    forEveryModelType([]<class T>() {
        std::vector<Row> rows;
        const T probe{};
        forEachField<T>([&](const auto& row) {
            const auto* member = reinterpret_cast<const char*>(&(probe.*row.member));
            rows.push_back(
                {row.name, row.key,
                 static_cast<std::size_t>(member - reinterpret_cast<const char*>(&probe)),
                 sizeof(probe.*row.member), alignof(decltype(probe.*row.member))});
        });
        expectEveryMemberHasOneRow(std::move(rows), sizeof(T), alignof(T));
    });
}

// An attribute's value as text, "" when absent.
template <class V>
std::string textOf(const std::optional<V>& value) {
    if (!value) return "";
    if constexpr (std::is_same_v<V, Text>) {
        return std::string(*value);
    } else if constexpr (std::is_same_v<V, bool>) {
        return *value ? "true" : "false";
    } else {
        return std::to_string(static_cast<long long>(*value));
    }
}

// Each attribute is read from the attribute its row names, as its type says.
TEST(ModelFields, EveryAttributeIsReadFromItsKey) {
    forEveryModelType([]<class T>() {
        if constexpr (requires { typename T::Attributes; }) {
            using A = typename T::Attributes;
            Pairs pairs;
            std::vector<std::string> expected, read;
            forEachField<A>([&](const auto& row) {
                using Value = typename std::remove_cvref_t<decltype(row)>::Type::value_type;
                expected.emplace_back(std::is_same_v<Value, bool> ? "true" : "2");
                pairs.emplace_back(row.key, expected.back());
                // An attribute named like a field it is not read from is ignored.
                if (row.key != row.name) pairs.emplace_back(row.name, "3");
            });
            const auto attributes = attributesFrom<T>(AttributeList(pairs));
            forEachField<A>([&](const auto& row) {
                if (attributes) read.push_back(textOf(*attributes.*row.member));
            });
            EXPECT_EQ(read, expected);
            EXPECT_FALSE(attributesFrom<T>(AttributeList()));
            EXPECT_TRUE(attributesFrom<T>(AttributeList{{"unknown", "x"}}));
        }
    });
}

}  // namespace
}  // namespace syndra
