#pragma once

#include "detail/xml_events.hpp"

#include <atomic>
#include <cstddef>
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
    /// Whether expat reads on a second thread while the calling thread
    /// handles the events (through XmlRelay).
    bool useSecondThread = false;
};

/// The reason given when a read was stopped through XmlReadOptions::abort.
inline constexpr std::string_view kAbortedReason = "Parsing aborted";

/// Reads the XML document `document` (any encoding it declares or marks),
/// reporting its events to `sink`. Never loads anything from outside: no
/// external DTD or entity is fetched or read. HTML named character references
/// the document does not declare read as their characters.
void readXml(std::string_view document, XmlEventSink& sink, const XmlReadOptions& options = {});

}  // namespace syndra::detail
