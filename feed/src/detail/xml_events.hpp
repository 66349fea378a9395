#pragma once

#include <syndra/attribute_map.hpp>
#include <syndra/parser_error.hpp>

#include <exception>
#include <new>
#include <string>
#include <string_view>

namespace syndra::detail {

/// What the XML reader hands on while it walks a document. Names arrive as
/// written (prefix included); all text is UTF-8. A handler that returns
/// `stop` ends the read without an error.
class XmlEventSink {
public:
    enum class Flow { proceed, stop };

    /// `name` is NUL-terminated (the reader passes expat's own string).
    virtual Flow startElement(const char* name, const AttributeMap& attributes) = 0;
    virtual Flow endElement() = 0;
    /// A piece of character data; one element's text may come in many pieces.
    virtual Flow characters(std::string_view text) = 0;
    /// A piece of a CDATA section as raw bytes that nobody has checked yet.
    /// expat checks or produces UTF-8 for every byte it hands out, so the
    /// reader passes sound CDATA on as characters; it calls this only when
    /// expat stops at bytes inside a CDATA section that are not UTF-8, with
    /// those bytes, just before it reports the failure.
    virtual Flow cdata(std::string_view bytes) = 0;
    /// Whether characters() would keep text that came now. The reader asks
    /// after every element start and end, and while the answer is no it does
    /// not hand out the text at all (mostly white space between elements).
    virtual bool wantsText() const noexcept { return true; }
    /// The read failed (malformed document, limit hit, aborted); nothing
    /// follows. `message` is readable and carries the position when known.
    virtual void error(std::string message, ErrorKind kind) = 0;

protected:
    ~XmlEventSink() = default;
};

enum class SinkOutcome { proceed, stop, failed };

/// Runs one sink call (returning a Flow). Exceptions must not travel through
/// expat's C frames nor end a read without a word: one thrown here comes back
/// as `failed`, with the read's error message in `failure` and its kind in
/// `kind`.
template <class Call>
SinkOutcome guardedSinkCall(Call&& call, std::string& failure, ErrorKind& kind) noexcept {
    kind = ErrorKind::outOfMemory;
    try {
        return call() == XmlEventSink::Flow::stop ? SinkOutcome::stop : SinkOutcome::proceed;
    } catch (const std::bad_alloc&) {
        failure = "Out of memory";  // short enough to need no allocation
        return SinkOutcome::failed;
    } catch (const std::exception& e) {
        kind = ErrorKind::syntax;
        try {
            failure = std::string("Internal failure: ") + e.what();
        } catch (...) {
            failure = "Out of memory";
            kind = ErrorKind::outOfMemory;
        }
    } catch (...) {
        kind = ErrorKind::syntax;
        try {
            failure = "Internal failure";
        } catch (...) {
            failure = "Out of memory";
            kind = ErrorKind::outOfMemory;
        }
    }
    return SinkOutcome::failed;
}

}  // namespace syndra::detail
