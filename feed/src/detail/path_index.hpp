#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace syndra::detail {

/// A trie of element paths shared by several path tables. The XML walk keeps
/// the node of the current element and moves to a child by (node, name), so
/// no path text is ever built or hashed while a document is read.
class PathIndex {
public:
    using Node = std::uint32_t;
    static constexpr Node kNone = UINT32_MAX;  ///< A path that no table continues.
    static constexpr Node kRoot = 0;           ///< "/", above the document element.
    static constexpr int kMaxTables = 3;

    PathIndex();

    /// Records `path` ("/a/b/c") as row `row` of table `table`.
    void add(int table, std::int32_t row, std::string_view path);

    /// The node of `name` below `parent`, or kNone.
    Node child(Node parent, std::string_view name) const noexcept;
    /// The same for a NUL-terminated name, measured on the way: `length`
    /// gets its length.
    Node child(Node parent, const char* name, std::size_t& length) const noexcept;

    /// The row of `node` in `table`, or -1.
    std::int32_t row(Node node, int table) const noexcept {
        return node == kNone ? -1 : nodes_[node].rows[static_cast<std::size_t>(table)];
    }

    std::size_t size() const noexcept { return nodes_.size(); }

private:
    struct Entry {
        Node parent;
        std::uint32_t hash;
        std::string name;
        std::array<std::int32_t, kMaxTables> rows;
    };
    static std::uint32_t seedOf(Node parent) noexcept {
        return 2166136261u ^ (parent * 0x9E3779B9u);
    }
    static std::uint32_t step(std::uint32_t h, char c) noexcept {
        return (h ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    static std::uint32_t hashOf(Node parent, std::string_view name) noexcept;
    Node find(Node parent, std::uint32_t hash, std::string_view name) const noexcept;
    Node insert(Node parent, std::string_view name);
    void rehash(std::size_t slotCount);

    std::vector<Entry> nodes_;
    std::vector<Node> slots_;  // open addressing, linear probing; kNone = empty
};

}  // namespace syndra::detail
