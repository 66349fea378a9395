#pragma once

#include <syndra/export.hpp>
#include <syndra/version.hpp>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace syndra {

/// Bounds and choices for one parse. Any input may be hostile: past a limit
/// the parse fails promptly, with an error of kind tooLarge (the document's
/// size) or limitExceeded (the others) whose reason names the limit, and
/// memory stays near what the limit allows.
struct Options {
    /// The largest document read from a file, a stream, a download or memory.
    std::size_t maxDocumentBytes = std::size_t{64} << 20;
    /// XML elements nested deeper than this are refused (JSON values are
    /// refused past 512 levels, whatever this says).
    int maxDepth = 512;
    /// Items (RSS, RDF, JSON Feed) or entries (Atom) per feed.
    std::size_t maxItems = 100'000;
    /// The memory the model may take, as the parser counts it (its objects and
    /// its text). Unset: max(64 MiB, 8 × the document's size).
    std::optional<std::size_t> maxModelBytes;

    /// Downloads (http: and https:) give up after this long without a
    /// connection,
    std::chrono::milliseconds connectTimeout{15'000};
    /// or after this long in all,
    std::chrono::milliseconds totalTimeout{120'000};
    /// and follow at most this many redirects.
    long maxRedirects = 10;
    /// Sent with every request.
    std::string userAgent = "Syndra/" SYNDRA_VERSION_STRING;

    /// Reads the XML on a second thread while the calling thread builds the
    /// model. It pays only for documents of several megabytes on a machine
    /// with a core to spare; without it a parse never starts a thread.
    bool useSecondThread = false;

    /// Reads an XML document that expat rejects as not well-formed by
    /// mending it where the mend is plain: a "&" that starts no reference, or
    /// names no entity, and a "<" that starts no markup read as text;
    /// characters XML forbids are dropped; an end tag that closes nothing open
    /// is ignored (unless it names the innermost element in another letter
    /// case: then it closes it), one that closes an ancestor closes the
    /// elements in between; a document cut short is closed at its end. Every
    /// repair is listed in Result::warnings(), and every limit applies to the
    /// mended document. A well-formed document reads exactly as without it,
    /// at no extra cost. Past 100 000 repairs the parse fails as it would
    /// without it; where mending does not make the document well-formed, it
    /// fails with the error that remains, positioned in the document.
    bool recover = false;

    /// The model bound that applies to a document of `documentBytes`.
    std::size_t modelBytesFor(std::size_t documentBytes) const noexcept {
        if (maxModelBytes) return *maxModelBytes;
        const std::size_t floor = std::size_t{64} << 20;
        const std::size_t scaled = documentBytes > SIZE_MAX / 8 ? SIZE_MAX : documentBytes * 8;
        return scaled > floor ? scaled : floor;
    }
};

}  // namespace syndra
