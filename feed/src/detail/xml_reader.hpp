#pragma once

#include "detail/xml_events.hpp"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace syndra::detail {

struct XmlReadOptions {
    /// expat slows down markedly when handed many megabytes in one call.
    std::size_t chunkSize = 64 * 1024;
    /// If not empty, the chunk sizes to use instead, cycled (tests use this to
    /// show that results do not depend on where the input is split).
    std::span<const std::size_t> chunkPattern;
    /// Deeper documents are refused: nothing real nests this far.
    int maxDepth = 512;
    /// Checked between chunks and at every element start.
    const std::atomic<bool>* abort = nullptr;
    /// Documents of at least this many bytes are read by expat on a second
    /// thread while the calling thread handles the events (on a machine with
    /// more than one core). SIZE_MAX: always on the calling thread.
    std::size_t relayFrom = std::size_t{1} << 20;
    /// Feed documents of at least this many bytes whose items (entries) can
    /// be cut in two are read in two halves, one on a second thread (on a
    /// machine with more than one core). SIZE_MAX: never.
    std::size_t splitFrom = std::size_t{1} << 20;
    /// If not null, set to whether the document was read in two halves.
    bool* readInTwoParts = nullptr;
};

/// The reason given when a read was stopped through XmlReadOptions::abort.
inline constexpr std::string_view kAbortedReason = "Parsing aborted";

/// Sees the element starts of a read before its sink does, so that it may
/// have the rest of the document read elsewhere (see readXmlPart).
class XmlStartWatch {
public:
    enum class Verdict {
        deliver,  // hand the start to the sink
        stop,     // end the read here, without an error; the sink never hears of it
        unwatch,  // deliver, and ask no more
    };
    struct Start {
        const char* name;
        int depth;           // elements open around this one
        std::size_t offset;  // where its tag begins in `text`
        /// The document as expat reads it: the caller's own bytes.
        std::string_view text;
        std::string_view entityDeclarations;  // for readXmlPart
    };
    virtual Verdict atStart(const Start& start) = 0;

protected:
    ~XmlStartWatch() = default;
};

/// Reads the XML document `document` (any encoding it declares or marks),
/// reporting its events to `sink`. Never loads anything from outside: no
/// external DTD or entity is fetched or read. HTML named character references
/// the document does not declare read as their characters.
///
/// `watch`, when given, is asked only while a part of the document could be
/// read on its own: the document is the caller's bytes in UTF-8 and has no
/// document type declaration. It is never asked on other documents, which
/// are read as if no watch were given.
void readXml(std::string_view document, XmlEventSink& sink, const XmlReadOptions& options = {},
             XmlStartWatch* watch = nullptr);

/// Reads `prefix` (start tags) followed by `part`, a piece of a UTF-8 document
/// that begins with an element start, as one document. Positions in error
/// messages are not those of the whole document; the watch's offsets count
/// the prefix too.
void readXmlPart(std::string_view prefix, std::string_view part,
                 std::string_view entityDeclarations, XmlEventSink& sink,
                 const XmlReadOptions& options = {}, XmlStartWatch* watch = nullptr);

/// The cores this process may run on: two threads pinned to one core would
/// only take turns.
unsigned usableCores() noexcept;

}  // namespace syndra::detail
