#include <syndra/feed_parser.hpp>

#include "detail/encoding.hpp"
#include "detail/feed_kind.hpp"
#include "detail/json_feed_decoding.hpp"
#include "detail/limits.hpp"
#include "detail/url_reader.hpp"
#include "detail/xml_feed_parser.hpp"

#include <atomic>
#include <istream>
#include <mutex>
#include <new>
#include <utility>

namespace syndra {

const char* version() noexcept {
    return "Syndra " SYNDRA_VERSION_STRING;
}

namespace {

detail::ModelLimits modelLimits(const Options& options, std::size_t documentBytes) {
    return {options.maxItems, options.modelBytesFor(documentBytes)};
}

Result parseXML(std::string_view bytes, const Options& options, const std::atomic<bool>& abort) {
    detail::XmlReadOptions read;
    read.abort = &abort;
    read.maxDepth = options.maxDepth;
    read.useSecondThread = options.useSecondThread;
    read.recover = options.recover;
    return detail::parseXMLFeed(bytes, read, modelLimits(options, bytes.size()));
}

Result parseDocument(std::string_view bytes, const Options& options,
                     const std::atomic<bool>& abort) {
    if (bytes.size() > options.maxDocumentBytes) {
        return ParserError::internalError(detail::documentTooLargeText(options.maxDocumentBytes),
                                          ErrorKind::tooLarge);
    }
    const auto kind = detail::detectFeedDataKind(bytes);
    if (!kind) return ParserError::feedNotFound();
    if (*kind == detail::FeedDataKind::xml) return parseXML(bytes, options, abort);
    const detail::Sniffed sniffed = detail::sniffUnicodeForm(bytes);
    if (sniffed.form == detail::UnicodeForm::unknown || sniffed.form == detail::UnicodeForm::utf8) {
        return detail::decodeJSONFeed(bytes.substr(sniffed.markLength),
                                      modelLimits(options, bytes.size()), options.recover);
    }
    auto utf8 = detail::unicodeToUtf8(bytes, sniffed);
    if (!utf8) return utf8.parserError();
    return detail::decodeJSONFeed(*utf8, modelLimits(options, bytes.size()), options.recover);
}

}  // namespace

struct FeedParser::State {
    enum class Source { url, file, data, stream, xmlStream };

    State(Source s, std::string t, const Options& o, std::istream* st = nullptr)
        : source(s), text(std::move(t)), document(text), stream(st), options(o) {}
    State(std::string_view borrowed, const Options& o)
        : source(Source::data), document(borrowed), options(o) {}

    Source source;
    std::string text;           // the URL or path, or the document when the parser owns it
    std::string_view document;  // the document: `text`, or the caller's bytes
    std::istream* stream = nullptr;
    Options options;

    std::atomic<bool> abort{false};
    std::mutex activeMutex;  // guards `active` and setting/clearing `abort`
    int active = 0;          // parses running or queued

    void enter() {
        const std::lock_guard lock(activeMutex);
        ++active;
    }
    void leave() {
        const std::lock_guard lock(activeMutex);
        if (--active == 0) abort.store(false);
    }
    void requestAbort() {
        const std::lock_guard lock(activeMutex);
        if (active > 0) abort.store(true);
    }

    Result run() {
        try {
            return runUnguarded();
        } catch (const std::bad_alloc&) {
            return ParserError::internalError("Out of memory", ErrorKind::outOfMemory);
        } catch (const std::exception& e) {
            return ParserError::internalError(e.what(), ErrorKind::outOfMemory);
        } catch (...) {
            return ParserError::internalError("Unknown failure", ErrorKind::outOfMemory);
        }
    }

    Result runUnguarded() {
        switch (source) {
            case Source::url: {
                const std::optional<std::string> url = detail::sanitizeFeedURL(text);
                if (!url) {
                    return ParserError::internalError("Failed url sanitizing.", ErrorKind::network);
                }
                auto bytes = detail::readURL(*url, detail::urlReadOptions(options, &abort));
                if (!bytes) return bytes.parserError();
                return parseDocument(*bytes, options, abort);
            }
            case Source::file: {
                auto bytes = detail::readFile(text, options.maxDocumentBytes);
                if (!bytes) return bytes.parserError();
                return parseDocument(*bytes, options, abort);
            }
            case Source::data:
                return parseDocument(document, options, abort);
            case Source::stream:
            case Source::xmlStream: {
                auto bytes = readStream();
                if (!bytes) return bytes.parserError();
                if (source == Source::stream) return parseDocument(*bytes, options, abort);
                return parseXML(*bytes, options, abort);
            }
        }
        return ParserError::internalError(
            "Fatal error. Unable to parse from the initialized state.");
    }

    detail::Fallible<std::string> readStream() {
        using Bytes = detail::Fallible<std::string>;
        std::string bytes;
        char buffer[64 * 1024];
        while (*stream) {
            if (abort.load(std::memory_order_relaxed)) {
                return Bytes::failure(std::string(detail::kAbortedReason), ErrorKind::aborted);
            }
            stream->read(buffer, sizeof buffer);
            const auto n = static_cast<std::size_t>(stream->gcount());
            if (bytes.size() + n > options.maxDocumentBytes) {
                return Bytes::failure(detail::documentTooLargeText(options.maxDocumentBytes),
                                      ErrorKind::tooLarge);
            }
            bytes.append(buffer, n);
        }
        if (stream->bad()) return Bytes::failure("Unable to read the stream", ErrorKind::file);
        return bytes;
    }
};

FeedParser::FeedParser(std::shared_ptr<State> state) : state_(std::move(state)) {}
FeedParser::FeedParser(FeedParser&&) noexcept = default;
FeedParser& FeedParser::operator=(FeedParser&&) noexcept = default;
FeedParser::~FeedParser() = default;

FeedParser FeedParser::fromURL(std::string url, const Options& options) {
    return FeedParser(std::make_shared<State>(State::Source::url, std::move(url), options));
}

FeedParser FeedParser::fromFile(std::filesystem::path path, const Options& options) {
    return FeedParser(std::make_shared<State>(State::Source::file, path.string(), options));
}

FeedParser FeedParser::fromData(std::string data, const Options& options) {
    return FeedParser(std::make_shared<State>(State::Source::data, std::move(data), options));
}

FeedParser FeedParser::fromDataView(std::string_view data, const Options& options) {
    return FeedParser(std::make_shared<State>(data, options));
}

FeedParser FeedParser::fromStream(std::istream& stream, const Options& options) {
    return FeedParser(
        std::make_shared<State>(State::Source::stream, std::string(), options, &stream));
}

FeedParser FeedParser::fromXMLStream(std::istream& stream, const Options& options) {
    return FeedParser(
        std::make_shared<State>(State::Source::xmlStream, std::string(), options, &stream));
}

namespace {
Result notInitialised() {
    return ParserError::internalError("Fatal error. Unable to parse from the initialized state.");
}
}  // namespace

Result FeedParser::parse() {
    if (!state_) return notInitialised();
    state_->enter();
    Result result = state_->run();
    state_->leave();
    return result;
}

void FeedParser::parseAsync(const Executor& executor, std::function<void(Result)> callback) {
    // Counts as a parse in progress from now until the executor lets go of
    // the task, so that abortParsing() also reaches a task still queued.
    struct Pending {
        explicit Pending(std::shared_ptr<State> s) : state(std::move(s)) {
            if (state) state->enter();
        }
        Pending(const Pending&) = delete;
        Pending& operator=(const Pending&) = delete;
        ~Pending() {
            if (state) state->leave();
        }
        std::shared_ptr<State> state;
    };
    auto pending = std::make_shared<Pending>(state_);
    std::function<void()> task = [pending = std::move(pending), callback = std::move(callback)] {
        Result result = pending->state ? pending->state->run() : notInitialised();
        if (callback) callback(std::move(result));
    };
    // Without an executor the callback would never run; run the task here.
    if (executor) {
        executor(std::move(task));
    } else {
        task();
    }
}

void FeedParser::abortParsing() {
    if (state_) state_->requestAbort();
}

}  // namespace syndra
