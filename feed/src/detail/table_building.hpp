#pragma once

// How the vocabularies write their path tables: each row names its path
// enumeration case next to its path text and rules, and the table is checked
// at compile time against the enumeration (row i is case i) and against the
// shared Media RSS rules (every media row, in order, exactly once).

#include "detail/media_rules.hpp"
#include "detail/path_table.hpp"

#include <array>
#include <cstddef>
#include <string_view>

namespace syndra::detail {

template <class Path, class Model>
struct TableRow {
    Path path;
    std::string_view text;
    std::size_t (*start)(Model&, const AttributeMap&) = nullptr;
    TextRule<Model> characters{};
    /// The shared media rule the row comes from, if any.
    int media = -1;
};

/// "/rss/channel/item/" + "media:content" as one string with static storage.
template <class Owner, MediaElement E>
struct MediaPathText {
    static constexpr std::string_view prefix = Owner::prefix;
    static constexpr std::string_view suffix = mediaRule(E).suffix;
    static constexpr auto chars = [] {
        std::array<char, prefix.size() + suffix.size()> joined{};
        std::size_t i = 0;
        for (char c : prefix) joined[i++] = c;
        for (char c : suffix) joined[i++] = c;
        return joined;
    }();
    static constexpr std::string_view value{chars.data(), chars.size()};
};

/// The row of media path E below `Owner` (a MediaOwner with a `prefix`).
template <class Owner, MediaElement E, class Path>
constexpr TableRow<Path, typename Owner::Model> mediaRow(Path path) {
    return {path,
            MediaPathText<Owner, E>::value,
            ownerMediaStart<Owner, E>,
            {ownerMediaText<Owner, E>, mediaRule(E).text.kind},
            static_cast<int>(E)};
}

template <class Path, class Model, std::size_t N>
constexpr bool inPathOrder(const std::array<TableRow<Path, Model>, N>& rows) {
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(rows[i].path) != i) return false;
    }
    return true;
}

/// Whether the media rows are all shared media rules, in their order, each
/// once, leaving out only the children of "media:content" when
/// `withContentChildren` is false.
template <class Path, class Model, std::size_t N>
constexpr bool hasAllMediaRows(const std::array<TableRow<Path, Model>, N>& rows,
                               bool withContentChildren) {
    std::size_t next = 0;
    const auto skipExcluded = [&] {
        while (next < media::kRules.size() && media::kRules[next].rssOnly && !withContentChildren) {
            ++next;
        }
    };
    skipExcluded();
    for (const auto& row : rows) {
        if (row.media < 0) continue;
        if (static_cast<std::size_t>(row.media) != next) return false;
        ++next;
        skipExcluded();
    }
    return next == media::kRules.size();
}

template <class Path, class Model, std::size_t N>
constexpr std::array<PathRule<Model>, N> rulesOf(const std::array<TableRow<Path, Model>, N>& rows) {
    std::array<PathRule<Model>, N> rules{};
    for (std::size_t i = 0; i < N; ++i) {
        rules[i] = PathRule<Model>{rows[i].text, rows[i].start, rows[i].characters.apply,
                                   rows[i].characters.kind};
    }
    return rules;
}

}  // namespace syndra::detail
