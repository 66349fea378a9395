#include "detail/xml_reader.hpp"

#include "detail/encoding.hpp"
#include "detail/html_entities.hpp"
#include "detail/utf8_sequence.hpp"
#include "detail/xml_relay.hpp"
#include "detail/xml_repair.hpp"

#include <expat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace syndra::detail {
namespace {

// The most expat gets in one call (it takes an int length).
constexpr std::size_t kMaxChunk = std::size_t{1} << 30;

struct ParserFree {
    void operator()(XML_Parser p) const noexcept { XML_ParserFree(p); }
};
using ParserHandle = std::unique_ptr<XML_ParserStruct, ParserFree>;

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) noexcept {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

/// The bytes expat gets, and the encoding to impose on it (nullptr: let the
/// document's declaration decide). `text` views either the caller's bytes or
/// `storage`, so the object must stay where it was filled. A UTF-8 document
/// is never copied: when its first bytes must read differently, `head` holds
/// their replacement (of the same length), and expat gets `head` followed by
/// the rest of `text`.
struct PreparedDocument {
    PreparedDocument() = default;
    PreparedDocument(const PreparedDocument&) = delete;
    PreparedDocument& operator=(const PreparedDocument&) = delete;

    std::string storage;
    std::string_view text;
    std::string head;
    const char* encoding = nullptr;
};

/// Fills `doc` from `raw`; returns the reason when the document cannot be read.
std::optional<std::string> prepare(std::string_view raw, PreparedDocument& doc) {
    doc.text = raw;
    const Sniffed sniffed = sniffUnicodeForm(raw);
    switch (sniffed.form) {
        case UnicodeForm::unknown:
            break;
        case UnicodeForm::utf8:
            // The mark outranks whatever the declaration claims.
            doc.text = raw.substr(sniffed.markLength);
            doc.encoding = "UTF-8";
            break;
        default: {
            auto utf8 = unicodeToUtf8(raw, sniffed);
            if (!utf8) return utf8.error();
            doc.storage = std::move(*utf8);
            doc.text = doc.storage;
            doc.encoding = "UTF-8";
            break;
        }
    }
    // Real feeds arrive with blank lines before the XML declaration, which
    // would otherwise make the declaration itself an error.
    const std::size_t first = doc.text.find_first_not_of(" \t\r\n");
    doc.text = first == std::string_view::npos ? std::string_view() : doc.text.substr(first);
    if (doc.encoding != nullptr) return std::nullopt;

    const auto declared = declaredEncoding(doc.text);
    if (!declared) return std::nullopt;
    if (startsWithIgnoringCase(*declared, "UTF-16") ||
        startsWithIgnoringCase(*declared, "UTF-32") || startsWithIgnoringCase(*declared, "UCS-") ||
        startsWithIgnoringCase(*declared, "ISO-10646-UCS")) {
        // Declared as 16/32-bit but written with 8-bit units (no mark, no
        // UTF-16 "<?"): the declaration is wrong; read the bytes as UTF-8.
        doc.encoding = "UTF-8";
        return std::nullopt;
    }
    switch (classifyCharset(*declared)) {
        case CharsetKind::native:
            return std::nullopt;
        case CharsetKind::singleByte: {
            // expat asks for the map itself; refuse here what it could not use.
            std::array<int, 256> map{};
            if (singleByteMap(*declared, map)) return std::nullopt;
            break;
        }
        case CharsetKind::multiByte: {
            auto utf8 = charsetToUtf8(doc.text, *declared);
            if (!utf8) return utf8.error();
            doc.storage = std::move(*utf8);
            doc.text = doc.storage;
            doc.encoding = "UTF-8";
            return std::nullopt;
        }
        case CharsetKind::unsupported:
            break;
    }
    return unsupportedEncoding(*declared);
}

// A document that calls itself standalone may not use entities declared
// outside it, which is where the HTML names come from. Such a declaration
// only matters to validation, so it is read as standalone="no" (same
// length, so positions in error messages stay right).
void dropStandalone(PreparedDocument& doc) {
    const std::string_view text = doc.text;
    if (text.substr(0, 5) != "<?xml") return;
    const std::size_t close = text.substr(0, 1024).find("?>");
    const std::size_t at = text.substr(0, close).find("standalone");
    if (close == std::string_view::npos || at == std::string_view::npos) return;
    std::size_t i = at + 10;
    auto skipSpace = [&] {
        while (i < close && std::string_view(" \t\r\n").find(text[i]) != std::string_view::npos)
            ++i;
    };
    skipSpace();
    if (i >= close || text[i] != '=') return;
    ++i;
    skipSpace();
    if (i + 5 > close || (text[i] != '"' && text[i] != '\'') || text.substr(i + 1, 3) != "yes" ||
        text[i + 4] != text[i]) {
        return;
    }
    // Only the declaration is rewritten; the rest is read where it lies.
    doc.head.assign(text.substr(0, close + 2));
    doc.head.replace(i + 1, 4, std::string{'n', 'o', text[i], ' '});
}

/// A document ready for expat, with the declarations of the HTML entities it
/// uses.
struct ReadyDocument {
    PreparedDocument doc;
    std::string entityDeclarations;
};

/// Fills `ready` from `raw`; returns the reason when the document cannot be read.
std::optional<std::string> makeReady(std::string_view raw, ReadyDocument& ready) {
    if (auto failure = prepare(raw, ready.doc)) return failure;
    ready.entityDeclarations = htmlEntityDeclarations(ready.doc.text);
    if (!ready.entityDeclarations.empty()) dropStandalone(ready.doc);
    return std::nullopt;
}

// Whether expat reads `doc` as UTF-8 straight from bytes that outlive the
// read (the caller's, or those a mended document is pieced together from).
bool isCallersUtf8(const PreparedDocument& doc) noexcept {
    if (!doc.storage.empty()) return false;
    const std::string_view text = doc.text;
    if (doc.encoding == nullptr) {
        // With no mark and no declaration expat still guesses UTF-16 from a
        // NUL beside the first '<'.
        if (text.size() < 2 || text[0] != '<' || text[1] == '\0') return false;
        const auto declared = declaredEncoding(text);
        return !declared || (declared->size() == 5 && startsWithIgnoringCase(*declared, "UTF-8"));
    }
    return std::string_view(doc.encoding) == "UTF-8";
}

// The bytes expat reads, held as a series of spans (the document, or the
// pieces of a mended one), handed out in chunks: straight from a span where
// it holds the whole chunk, else gathered, so that short pieces never make
// expat start a token over call after call.
class ChunkSource {
public:
    explicit ChunkSource(std::vector<std::string_view> spans) : spans_(std::move(spans)) {
        skipEmpty();
    }

    bool done() const noexcept { return index_ == spans_.size(); }

    std::string_view next(std::size_t size) {
        if (done()) return {};
        const std::string_view rest = spans_[index_].substr(offset_);
        if (rest.size() >= size || index_ + 1 == spans_.size()) {
            const std::string_view chunk = rest.substr(0, size);
            advance(chunk.size());
            return chunk;
        }
        gathered_.clear();
        while (!done() && gathered_.size() < size) {
            const std::string_view part = spans_[index_].substr(offset_, size - gathered_.size());
            gathered_.append(part);
            advance(part.size());
        }
        return gathered_;
    }

private:
    void advance(std::size_t n) {
        offset_ += n;
        if (offset_ == spans_[index_].size()) {
            ++index_;
            offset_ = 0;
            skipEmpty();
        }
    }
    void skipEmpty() {
        while (index_ < spans_.size() && spans_[index_].empty()) ++index_;
    }

    std::vector<std::string_view> spans_;
    std::size_t index_ = 0;
    std::size_t offset_ = 0;
    std::string gathered_;
};

// Templated on the sink so that the relay's writer, a final class, is called
// directly: its calls come once per event.
template <class Sink>
class Reader {
public:
    Reader(Sink& sink, const XmlReadOptions& options, const ReadyDocument& ready,
           const XmlRepair* repair)
        : sink_(sink),
          options_(options),
          doc_(ready.doc),
          entityDeclarations_(ready.entityDeclarations),
          repair_(repair) {}

    /// Whether expat refused the document as not well-formed.
    bool rejected() const noexcept { return rejected_; }

    void run() {
        // Without namespace processing: names arrive prefixed, as written.
        parser_.reset(XML_ParserCreate(doc_.encoding));
        if (!parser_) {
            sink_.error("Unable to create an XML parser", ErrorKind::outOfMemory);
            return;
        }
        XML_Parser p = parser_.get();
        XML_SetUserData(p, this);
        XML_SetElementHandler(p, &Reader::onStart, &Reader::onEnd);
        XML_SetCharacterDataHandler(p, &Reader::onText);
        XML_SetUnknownEncodingHandler(p, &Reader::onUnknownEncoding, nullptr);
        XML_SetSkippedEntityHandler(p, &Reader::onSkippedEntity);
        XML_SetExternalEntityRefHandler(p, &Reader::onExternalEntity);
        XML_SetCdataSectionHandler(p, &Reader::onCdataStart, &Reader::onCdataEnd);
        XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_UNLESS_STANDALONE);
        if (!entityDeclarations_.empty()) XML_UseForeignDTD(p, XML_TRUE);

        ChunkSource source(spans());
        std::size_t patternIndex = 0;
        std::size_t chunk = options_.chunkSize;
        do {
            if (aborted()) {
                fail(std::string(kAbortedReason), ErrorKind::aborted);
                return;
            }
            std::size_t size = chunk;
            if (!options_.chunkPattern.empty()) {
                size = options_.chunkPattern[patternIndex++ % options_.chunkPattern.size()];
            }
            const std::string_view piece = source.next(std::clamp<std::size_t>(size, 1, kMaxChunk));
            const bool last = source.done();
            const std::uint64_t eventsBefore = events_;
            const auto status = XML_Parse(p, piece.data(), static_cast<int>(piece.size()),
                                          last ? XML_TRUE : XML_FALSE);
            if (status != XML_STATUS_OK) {
                if (!stopped_) parseFailed();
                return;
            }
            if (stopped_) return;
            // expat starts over at the beginning of an unfinished token on every
            // call, so a token spread over many chunks (a huge attribute value,
            // name, comment or entity value) would cost time quadratic in its
            // length. A call that reported nothing was most likely inside one:
            // the next call gets twice the bytes, which keeps the re-reading
            // linear overall.
            chunk = events_ == eventsBefore ? std::min(chunk * 2, kMaxChunk) : options_.chunkSize;
        } while (!source.done());
    }

private:
    static Reader& self(void* data) { return *static_cast<Reader*>(data); }

    bool aborted() const noexcept {
        return options_.abort != nullptr && options_.abort->load(std::memory_order_relaxed);
    }

    // Line and column (from 1) of where expat is, in the document the caller
    // gave even while a mended document is being read.
    std::pair<std::size_t, std::size_t> position() const {
        if (repair_ != nullptr) {
            const XML_Index at = XML_GetCurrentByteIndex(parser_.get());
            return repair_->positionOf(at < 0 ? 0 : static_cast<std::size_t>(at));
        }
        return {XML_GetCurrentLineNumber(parser_.get()),
                XML_GetCurrentColumnNumber(parser_.get()) + 1};
    }

    std::string positioned(std::string message) const {
        const auto [line, column] = position();
        message += " at line ";
        message += std::to_string(line);
        message += ", column ";
        message += std::to_string(column);
        return message;
    }

    // What expat reads: the document, its first bytes perhaps rewritten, or
    // the mended document's pieces.
    std::vector<std::string_view> spans() const {
        const std::string_view text = doc_.text;
        const std::string_view head = doc_.head;
        if (repair_ != nullptr) return repair_->pieces(head);
        if (head.empty()) return {text};
        return {head, text.substr(head.size())};
    }

    // The document from where the byte expat is at comes from: for a mended
    // document, from where that byte stands in the document read.
    std::string_view documentAt(XML_Index index) const noexcept {
        if (index < 0) return {};
        auto at = static_cast<std::size_t>(index);
        if (repair_ != nullptr) at = repair_->originalOffset(at);
        const std::string_view text = doc_.text;
        return at < text.size() ? text.substr(at) : std::string_view();
    }

    void parseFailed() {
        // expat checks the bytes of a CDATA section itself; bytes that are not
        // UTF-8 there go to the sink as the section's raw bytes, whose own
        // check names the element they stand in.
        if (const std::string_view bad = brokenCdataBytes(); !bad.empty()) {
            deliver([&] { return sink_.cdata(bad); });
        }
        if (stopped_) return;
        switch (XML_GetErrorCode(parser_.get())) {
            case XML_ERROR_NO_MEMORY:
                fail(positioned(describeError()), ErrorKind::outOfMemory);
                break;
            case XML_ERROR_UNKNOWN_ENCODING:
            case XML_ERROR_INCORRECT_ENCODING:
                fail(positioned(describeError()), ErrorKind::encoding);
                break;
            default:
                rejected_ = true;
                fail(positioned(describeError()), ErrorKind::syntax);
                break;
        }
    }

    std::string_view brokenCdataBytes() const {
        const XML_Error code = XML_GetErrorCode(parser_.get());
        if (!inCdata_ || (code != XML_ERROR_INVALID_TOKEN && code != XML_ERROR_PARTIAL_CHAR) ||
            !isCallersUtf8(doc_)) {
            return {};
        }
        const std::string_view rest = documentAt(XML_GetCurrentByteIndex(parser_.get()));
        if (rest.empty()) return {};
        const auto* p = reinterpret_cast<const unsigned char*>(rest.data());
        if (*p < 0x80 || utf8SequenceLength(p, p + rest.size()) != 0) return {};
        return rest.substr(0, 4);
    }

    // expat's text, naming the entity where expat leaves it out.
    std::string describeError() const {
        const XML_Error code = XML_GetErrorCode(parser_.get());
        std::string message = XML_ErrorString(code);
        const std::string_view rest = documentAt(XML_GetCurrentByteIndex(parser_.get()));
        if (code == XML_ERROR_UNDEFINED_ENTITY && !rest.empty() && rest[0] == '&') {
            const std::size_t semicolon = rest.find(';');
            if (semicolon != std::string_view::npos && semicolon <= 64) {
                message += " \"" + std::string(rest.substr(0, semicolon + 1)) + "\"";
            }
        }
        return message;
    }

    void stop() {
        if (!stopped_) {
            stopped_ = true;
            XML_StopParser(parser_.get(), XML_FALSE);
        }
    }

    void fail(std::string message, ErrorKind kind) {
        if (failed_) return;
        failed_ = true;
        sink_.error(std::move(message), kind);
        if (parser_ && !stopped_) stop();
    }

    template <class Call>
    void deliver(Call&& call) {
        std::string failure;
        ErrorKind kind = ErrorKind::syntax;
        switch (guardedSinkCall(std::forward<Call>(call), failure, kind)) {
            case SinkOutcome::proceed:
                break;
            case SinkOutcome::stop:
                stop();
                break;
            case SinkOutcome::failed:
                fail(std::move(failure), kind);
                break;
        }
    }

    static void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
        Reader& r = self(data);
        ++r.events_;
        if (r.stopped_) return;
        if (r.aborted()) {
            r.fail(std::string(kAbortedReason), ErrorKind::aborted);
            return;
        }
        if (++r.depth_ > r.options_.maxDepth) {
            r.fail("Elements nested deeper than " + std::to_string(r.options_.maxDepth) +
                       " levels at line " + std::to_string(r.position().first),
                   ErrorKind::limitExceeded);
            return;
        }
        r.deliver([&] { return r.sink_.startElement(name, AttributeMap(attributes)); });
        r.syncTextHandler();
    }

    static void XMLCALL onEnd(void* data, const XML_Char*) {
        Reader& r = self(data);
        ++r.events_;
        if (r.stopped_) return;
        --r.depth_;
        r.deliver([&] { return r.sink_.endElement(); });
        r.syncTextHandler();
    }

    // Text the sink drops is not handed out: a feed is about half white space
    // between elements, and each run of it would cost a call or two.
    void syncTextHandler() {
        const bool wanted = sink_.wantsText();
        if (wanted == textHandlerSet_ || stopped_) return;
        XML_SetCharacterDataHandler(parser_.get(), wanted ? &Reader::onText : nullptr);
        textHandlerSet_ = wanted;
    }

    static void XMLCALL onText(void* data, const XML_Char* text, int length) {
        Reader& r = self(data);
        ++r.events_;
        if (r.stopped_) return;
        const std::string_view piece(text, static_cast<std::size_t>(length));
        if constexpr (std::is_same_v<Sink, XmlRelay::Writer>) {
            // A long run that stands in the caller's document as it is travels
            // as a reference: the relay copies nothing.
            if (piece.size() >= kReferenceFrom) {
                if (const char* at = r.inDocument(piece)) {
                    r.deliver(
                        [&] { return r.sink_.documentText(std::string_view(at, piece.size())); });
                    return;
                }
            }
        }
        // CDATA comes through here too: expat has checked or produced UTF-8
        // for every byte it hands out, so CDATA needs no second check.
        r.deliver([&] { return r.sink_.characters(piece); });
    }

    // Shorter runs are cheaper to copy than to find.
    static constexpr std::size_t kReferenceFrom = 64;

    // Where `piece` (text expat is handing out) stands, byte for byte, in the
    // caller's document; nullptr when it does not (converted, from an entity,
    // or the document is a converted copy that dies with this reader).
    const char* inDocument(std::string_view piece) const noexcept {
        if (!doc_.storage.empty()) return nullptr;
        int offset = 0;
        int size = 0;
        const char* buffer = XML_GetInputContext(parser_.get(), &offset, &size);
        if (buffer == nullptr || piece.data() != buffer + offset) return nullptr;
        const XML_Index at = XML_GetCurrentByteIndex(parser_.get());
        if (at < static_cast<XML_Index>(doc_.head.size())) return nullptr;
        const std::string_view rest = documentAt(at);
        if (rest.size() < piece.size()) return nullptr;
        // Checked rather than trusted: both copies are in the cache, and a
        // wrong guess would corrupt text.
        return std::memcmp(rest.data(), piece.data(), piece.size()) == 0 ? rest.data() : nullptr;
    }

    // Charsets expat does not know itself, one byte per character.
    static int XMLCALL onUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info) {
        std::array<int, 256> map{};
        if (!singleByteMap(name, map)) return XML_STATUS_ERROR;
        std::copy(map.begin(), map.end(), info->map);
        info->data = nullptr;
        info->convert = nullptr;
        info->release = nullptr;
        return XML_STATUS_OK;
    }

    // Whether a failure falls inside a CDATA section (see brokenCdataBytes).
    // A CDATA section is text even when it is empty (expat then hands out
    // no characters at all).
    static void XMLCALL onCdataStart(void* data) {
        Reader& r = self(data);
        r.inCdata_ = true;
        if (r.sink_.wantsText()) r.deliver([&] { return r.sink_.characters(std::string_view()); });
    }
    static void XMLCALL onCdataEnd(void* data) { self(data).inCdata_ = false; }

    // Called for references expat could not resolve because the document has
    // an external subset it did not read.
    static void XMLCALL onSkippedEntity(void* data, const XML_Char* name, int isParameterEntity) {
        Reader& r = self(data);
        ++r.events_;
        if (r.stopped_ || isParameterEntity) return;
        if (const auto text = htmlEntity(name)) {
            r.deliver([&] { return r.sink_.characters(*text); });
            return;
        }
        r.rejected_ = true;
        r.fail(r.positioned("undefined entity \"&" + std::string(name) + ";\""), ErrorKind::syntax);
    }

    // The only external thing ever parsed is our own DTD of HTML entities, in
    // place of the document's external subset (context == nullptr). Every
    // other external entity is left unresolved: nothing is fetched or read.
    static int XMLCALL onExternalEntity(XML_Parser parser, const XML_Char* context, const XML_Char*,
                                        const XML_Char*, const XML_Char*) {
        if (context != nullptr) return XML_STATUS_OK;
        Reader& r = *static_cast<Reader*>(XML_GetUserData(parser));
        ParserHandle dtd(XML_ExternalEntityParserCreate(parser, nullptr, "UTF-8"));
        if (!dtd) return XML_STATUS_ERROR;
        const auto& text = r.entityDeclarations_;
        return XML_Parse(dtd.get(), text.data(), static_cast<int>(text.size()), XML_TRUE);
    }

    Sink& sink_;
    const XmlReadOptions& options_;
    const PreparedDocument& doc_;
    const std::string& entityDeclarations_;
    const XmlRepair* repair_;  // when reading a mended document
    ParserHandle parser_;
    std::uint64_t events_ = 0;  // callbacks so far: did a call to expat get anywhere?
    int depth_ = 0;
    bool textHandlerSet_ = true;
    bool stopped_ = false;
    bool failed_ = false;
    bool inCdata_ = false;
    bool rejected_ = false;
};

// Reads `ready` into `sink`; true when expat rejected it as not well-formed.
bool read(const ReadyDocument& ready, XmlEventSink& sink, const XmlReadOptions& options,
          const XmlRepair* repair = nullptr) {
    if (options.useSecondThread) {
        // expat reads on a second thread while this one builds the model.
        XmlRelay relay;
        bool rejected = false;
        bool threaded = false;
        bool sinkFailed = false;
        {
            std::jthread reader;
            try {
                reader = std::jthread([&relay, &options, &ready, repair, &rejected] {
                    XmlRelay::Writer& writer = relay.writer();
                    try {
                        Reader<XmlRelay::Writer> r(writer, options, ready, repair);
                        r.run();
                        rejected = r.rejected();
                    } catch (const std::bad_alloc&) {
                        writer.error("Out of memory", ErrorKind::outOfMemory);
                    } catch (...) {
                        writer.error("Internal failure", ErrorKind::syntax);
                    }
                    relay.close();
                });
            } catch (const std::system_error&) {
                // no thread to be had: read on this one
            }
            if (reader.joinable()) {
                threaded = true;
                // The reading thread does not learn at once that the sink has
                // stopped, and may yet fail on what follows the document
                // element: only an error the sink got counts.
                sinkFailed = relay.replay(sink);
            }
        }  // the reader's destructor waits for the thread, and so for `rejected`
        if (threaded) return sinkFailed && rejected;
    }
    Reader<XmlEventSink> r(sink, options, ready, repair);
    r.run();
    return r.rejected();
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// `doc` in UTF-8, the form the mending works on: its own text, or a
// conversion of it into `storage`. Nothing when expat reads it in a way the
// mending cannot follow.
std::optional<std::string_view> utf8Text(const PreparedDocument& doc, std::string& storage) {
    const std::string_view text = doc.text;
    if (doc.encoding != nullptr) return text;
    // A NUL beside the first '<' makes expat guess UTF-16.
    if (text.size() >= 2 && (text[0] == '\0' || text[1] == '\0')) return std::nullopt;
    const auto declared = declaredEncoding(text);
    if (!declared || (declared->size() == 5 && startsWithIgnoringCase(*declared, "UTF-8")) ||
        (declared->size() == 8 && startsWithIgnoringCase(*declared, "US-ASCII"))) {
        return text;
    }
    // One byte per character: each becomes the character of its charset.
    std::array<int, 256> map{};
    if (!singleByteMap(*declared, map)) return std::nullopt;
    storage.reserve(text.size() + text.size() / 8);
    for (const char byte : text) {
        const int c = map[static_cast<unsigned char>(byte)];
        if (c < 0 || c > 0xFFFF) return std::nullopt;
        appendUtf8(storage, static_cast<char32_t>(c));
    }
    return std::string_view(storage);
}

}  // namespace

void readXml(std::string_view document, XmlEventSink& sink, const XmlReadOptions& options) {
    ReadyDocument ready;
    if (auto failure = makeReady(document, ready)) {
        sink.error(std::move(*failure), ErrorKind::encoding);
        return;
    }
    read(ready, sink, options);
}

std::vector<Warning> readXmlRecovering(std::string_view document,
                                       const std::function<XmlEventSink&()>& sink,
                                       const XmlReadOptions& options) {
    ReadyDocument ready;
    if (auto failure = makeReady(document, ready)) {
        sink().error(std::move(*failure), ErrorKind::encoding);
        return {};
    }
    // A well-formed document is read once, exactly as without recovery.
    if (!read(ready, sink(), options) || !options.recover) return {};
    std::string converted;
    const std::optional<std::string_view> text = utf8Text(ready.doc, converted);
    if (!text) return {};
    const XmlRepair repair = XmlRepair::of(*text, options.maxDepth);
    if (!repair.usable()) return {};  // the first read's error stands
    // Repairs add no entity names and take none away that the mended
    // document uses: the document's own names serve.
    ReadyDocument mended;
    mended.doc.text = *text;
    mended.doc.encoding = "UTF-8";
    mended.entityDeclarations = htmlEntityDeclarations(*text);
    if (!mended.entityDeclarations.empty()) dropStandalone(mended.doc);
    if (read(mended, sink(), options, &repair)) return {};
    return repair.warnings();
}

}  // namespace syndra::detail
