#include "detail/path_table.hpp"

#include <syndra/paths.hpp>

#include <cstddef>
#include <unordered_map>

namespace syndra {
namespace {

// The path texts live in the tables; these functions only index them.

static_assert(static_cast<std::size_t>(RSSPath::channelItemMediaGroupContent) + 1 == rssPathCount);
static_assert(static_cast<std::size_t>(RDFPath::itemContentEncoded) + 1 == rdfPathCount);
static_assert(static_cast<std::size_t>(AtomPath::entryMediaGroupContent) + 1 == atomPathCount);

template <class Model>
std::string_view textOfRow(std::span<const detail::PathRule<Model>> table,
                           std::size_t row) noexcept {
    return row < table.size() ? table[row].path : std::string_view();
}

template <class Path, class Model>
std::unordered_map<std::string_view, Path> indexOf(std::span<const detail::PathRule<Model>> table) {
    std::unordered_map<std::string_view, Path> index;
    index.reserve(table.size());
    for (std::size_t row = 0; row < table.size(); ++row) {
        index.emplace(table[row].path, static_cast<Path>(row));
    }
    return index;
}

template <class Path>
std::optional<Path> find(const std::unordered_map<std::string_view, Path>& index,
                         std::string_view text) noexcept {
    const auto found = index.find(text);
    if (found == index.end()) return std::nullopt;
    return found->second;
}

}  // namespace

std::string_view pathText(RSSPath path) noexcept {
    return textOfRow(detail::rssTable(), static_cast<std::size_t>(path));
}

std::string_view pathText(RDFPath path) noexcept {
    return textOfRow(detail::rdfTable(), static_cast<std::size_t>(path));
}

std::string_view pathText(AtomPath path) noexcept {
    return textOfRow(detail::atomTable(), static_cast<std::size_t>(path));
}

std::optional<RSSPath> rssPath(std::string_view text) {
    static const auto index = indexOf<RSSPath>(detail::rssTable());
    return find(index, text);
}

std::optional<RDFPath> rdfPath(std::string_view text) {
    static const auto index = indexOf<RDFPath>(detail::rdfTable());
    return find(index, text);
}

std::optional<AtomPath> atomPath(std::string_view text) {
    static const auto index = indexOf<AtomPath>(detail::atomTable());
    return find(index, text);
}

}  // namespace syndra
