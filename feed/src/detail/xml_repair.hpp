#pragma once

// Mending a document that expat rejected, for Options::recover: one pass over
// the text that copies it with every flaw mended that has one plain reading,
// and remembers where each repair went so that positions in the copy can be
// told in the document's own lines and columns.

#include <syndra/warning.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace syndra::detail {

/// A mended copy of a UTF-8 document, and the repairs that made it.
class XmlRepair {
public:
    /// More repairs than this and the document is not mended at all: it is no
    /// longer a feed with a few flaws, and listing them would cost more than
    /// the feed.
    static constexpr std::size_t kMaxRepairs = 100'000;

    /// Mends `text`, which must outlive the result. Nesting past `maxDepth`
    /// is left as it stands: the read refuses it anyway.
    static XmlRepair of(std::string_view text, int maxDepth);

    /// Whether reading the copy can do better than reading the document:
    /// something was mended, and no more than kMaxRepairs things.
    bool usable() const noexcept { return usable_; }
    /// The mended copy.
    const std::string& text() const noexcept { return text_; }
    /// One warning per repair, in document order.
    std::vector<Warning> warnings() const;
    /// Line and column (from 1) in the document of byte `offset` of the copy.
    std::pair<std::size_t, std::size_t> positionOf(std::size_t offset) const;

    struct Edit {
        std::size_t from;  // the document's bytes [from, to)
        std::size_t to;
        std::size_t at;  // became the copy's bytes [at, end)
        std::size_t end;
        std::string message;
    };

private:
    friend class XmlMender;
    explicit XmlRepair(std::string_view original) : original_(original) {}

    std::string_view original_;
    std::string text_;
    std::vector<Edit> edits_;
    bool usable_ = false;
};

}  // namespace syndra::detail
