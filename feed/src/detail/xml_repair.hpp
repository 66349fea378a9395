#pragma once

// Mending a document that expat rejected, for Options::recover: one pass over
// the text that finds every flaw with one plain reading and decides how it
// reads. The mended document is never written out whole: it is the document
// itself with the repairs' replacements between its stretches, and positions
// in it can be told in the document's own lines and columns.

#include <syndra/warning.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace syndra::detail {

/// The repairs that mend a UTF-8 document.
class XmlRepair {
public:
    /// More repairs than this and the document is not mended at all: it is no
    /// longer a feed with a few flaws, and listing them would cost more than
    /// the feed.
    static constexpr std::size_t kMaxRepairs = 100'000;

    /// Mends `text`, which must outlive the result. Nesting past `maxDepth`
    /// is left as it stands: the read refuses it anyway.
    static XmlRepair of(std::string_view text, int maxDepth);

    /// Whether reading the mended document can do better than reading the
    /// document: something was mended, and no more than kMaxRepairs things.
    bool usable() const noexcept { return usable_; }

    /// The mended document as the spans it is made of, in order. Its first
    /// head.size() bytes read as `head` (a rewrite of the same length) unless
    /// a repair falls among them.
    std::vector<std::string_view> pieces(std::string_view head = {}) const;

    /// One warning per repair, in document order.
    std::vector<Warning> warnings() const;

    /// Where byte `offset` of the mended document comes from in the document
    /// (for a byte a repair put in, where that repair is).
    std::size_t originalOffset(std::size_t offset) const noexcept;

    /// Line and column (from 1) in the document of byte `offset` of the
    /// mended document.
    std::pair<std::size_t, std::size_t> positionOf(std::size_t offset) const;

private:
    friend class XmlMender;
    explicit XmlRepair(std::string_view original) : original_(original) {}

    struct Edit {
        std::size_t from;  // the document's bytes [from, to)
        std::size_t to;
        std::size_t at;  // read as the mended document's bytes [at, at + replacement.size())
        std::string replacement;
        std::string message;
    };

    std::string_view original_;
    std::vector<Edit> edits_;
    bool usable_ = false;
};

}  // namespace syndra::detail
