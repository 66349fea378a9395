// The models' mapping operations: each runs one rule of its vocabulary's path
// table, the very rule the XML walk runs for that path.

#include "detail/path_table.hpp"

#include <syndra/mapping.hpp>

#include <cstddef>

namespace syndra {
namespace {

template <class Model, class Path>
const detail::PathRule<Model>* ruleOf(std::span<const detail::PathRule<Model>> table,
                                      Path path) noexcept {
    const auto row = static_cast<std::size_t>(path);
    return row < table.size() ? &table[row] : nullptr;
}

template <class Model, class Path>
void runStart(std::span<const detail::PathRule<Model>> table, Path path, Model& model,
              const AttributeMap& attributes) {
    const auto* rule = ruleOf(table, path);
    if (rule != nullptr && rule->start != nullptr) rule->start(model, attributes);
}

template <class Model, class Path>
void runText(std::span<const detail::PathRule<Model>> table, Path path, Model& model,
             std::string_view text) {
    const auto* rule = ruleOf(table, path);
    if (rule != nullptr && rule->text != nullptr) rule->text(model, text);
}

}  // namespace

void mapAttributes(RSSFeed& feed, const AttributeMap& attributes, RSSPath path) {
    runStart(detail::rssTable(), path, feed, attributes);
}

void mapCharacters(RSSFeed& feed, std::string_view text, RSSPath path) {
    runText(detail::rssTable(), path, feed, text);
}

void mapAttributes(RSSFeed& feed, RDFPath path) {
    runStart(detail::rdfTable(), path, feed, AttributeMap());
}

void mapCharacters(RSSFeed& feed, std::string_view text, RDFPath path) {
    runText(detail::rdfTable(), path, feed, text);
}

void mapAttributes(AtomFeed& feed, const AttributeMap& attributes, AtomPath path) {
    runStart(detail::atomTable(), path, feed, attributes);
}

void mapCharacters(AtomFeed& feed, std::string_view text, AtomPath path) {
    runText(detail::atomTable(), path, feed, text);
}

}  // namespace syndra
