#include "detail/path_index.hpp"

namespace syndra::detail {

PathIndex::PathIndex() {
    nodes_.push_back(Entry{kNone, 0, "", {-1, -1, -1}});
    rehash(64);
}

std::uint32_t PathIndex::hashOf(Node parent, std::string_view name) noexcept {
    std::uint32_t h = seedOf(parent);
    for (char c : name) h = step(h, c);
    return h;
}

PathIndex::Node PathIndex::child(Node parent, std::string_view name) const noexcept {
    if (parent == kNone) return kNone;
    return find(parent, hashOf(parent, name), name);
}

PathIndex::Node PathIndex::child(Node parent, const char* name,
                                 std::size_t& length) const noexcept {
    // One pass over the name both hashes and measures it.
    std::uint32_t h = seedOf(parent);
    const char* end = name;
    for (; *end != '\0'; ++end) h = step(h, *end);
    length = static_cast<std::size_t>(end - name);
    if (parent == kNone) return kNone;
    return find(parent, h, std::string_view(name, length));
}

PathIndex::Node PathIndex::find(Node parent, std::uint32_t hash,
                                std::string_view name) const noexcept {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Node n = slots_[i];
        if (n == kNone) return kNone;
        const Entry& e = nodes_[n];
        if (e.hash == hash && e.parent == parent && e.name == name) return n;
    }
}

PathIndex::Node PathIndex::insert(Node parent, std::string_view name) {
    if (const Node existing = child(parent, name); existing != kNone) return existing;
    const Node id = static_cast<Node>(nodes_.size());
    nodes_.push_back(Entry{parent, hashOf(parent, name), std::string(name), {-1, -1, -1}});
    // Keep the load factor at or below one half so that probes stay short.
    if (nodes_.size() * 2 > slots_.size()) {
        rehash(slots_.size() * 2);
    } else {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = nodes_[id].hash & mask;
        while (slots_[i] != kNone) i = (i + 1) & mask;
        slots_[i] = id;
    }
    return id;
}

void PathIndex::rehash(std::size_t slotCount) {
    slots_.assign(slotCount, kNone);
    const std::size_t mask = slotCount - 1;
    for (Node id = 1; id < nodes_.size(); ++id) {
        std::size_t i = nodes_[id].hash & mask;
        while (slots_[i] != kNone) i = (i + 1) & mask;
        slots_[i] = id;
    }
}

void PathIndex::add(int table, std::int32_t row, std::string_view path) {
    if (table < 0 || table >= kMaxTables) return;
    Node node = kRoot;
    std::size_t at = 0;
    while (at < path.size()) {
        if (path[at] == '/') {
            ++at;
            continue;
        }
        std::size_t end = path.find('/', at);
        if (end == std::string_view::npos) end = path.size();
        node = insert(node, path.substr(at, end - at));
        at = end;
    }
    nodes_[node].rows[static_cast<std::size_t>(table)] = row;
}

}  // namespace syndra::detail
