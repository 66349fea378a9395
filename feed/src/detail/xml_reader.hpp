#pragma once

#include "detail/xml_events.hpp"

#include <syndra/warning.hpp>

#include <atomic>
#include <cstddef>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

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
    /// Whether readXmlRecovering reads a document expat rejects a second
    /// time, mended.
    bool recover = false;
};

/// The reason given when a read was stopped through XmlReadOptions::abort.
inline constexpr std::string_view kAbortedReason = "Parsing aborted";

/// Reads the XML document `document` (any encoding it declares or marks),
/// reporting its events to `sink`. Never loads anything from outside: no
/// external DTD or entity is fetched or read. HTML named character references
/// the document does not declare read as their characters.
void readXml(std::string_view document, XmlEventSink& sink, const XmlReadOptions& options = {});

/// Reads `document` into `sink()` as readXml does. With `options.recover`, a
/// document expat rejects as not well-formed is mended (see xml_repair.hpp)
/// and read again into a second `sink()`, whose errors tell positions
/// in the document; the repairs come back as warnings. Every call of `sink`
/// must give a sink that has seen nothing; the last one holds the outcome.
std::vector<Warning> readXmlRecovering(std::string_view document,
                                       const std::function<XmlEventSink&()>& sink,
                                       const XmlReadOptions& options);

}  // namespace syndra::detail
