#include <syndra/feed_parser.hpp>

#include "detail/encoding.hpp"
#include "detail/feed_kind.hpp"
#include "detail/json_feed_decoding.hpp"
#include "detail/url_reader.hpp"
#include "detail/xml_feed_parser.hpp"

#include <atomic>
#include <istream>
#include <mutex>
#include <new>
#include <utility>

#ifndef SYNDRA_VERSION
#define SYNDRA_VERSION "0.0.0"
#endif

namespace syndra {

const char* version() noexcept {
    return "Syndra " SYNDRA_VERSION;
}

namespace {

// A stream has no length to check up front; stop reading somewhere sane.
constexpr std::size_t kMaxStreamBytes = std::size_t{1} << 30;

Result parseDocument(std::string_view bytes, const std::atomic<bool>& abort) {
    const auto kind = detail::detectFeedDataKind(bytes);
    if (!kind) return ParserError::feedNotFound();
    if (*kind == detail::FeedDataKind::json) {
        const detail::Sniffed sniffed = detail::sniffUnicodeForm(bytes);
        if (sniffed.form == detail::UnicodeForm::unknown ||
            sniffed.form == detail::UnicodeForm::utf8) {
            return detail::decodeJSONFeed(bytes.substr(sniffed.markLength));
        }
        auto utf8 = detail::unicodeToUtf8(bytes, sniffed);
        if (!utf8) return ParserError::internalError(utf8.error());
        return detail::decodeJSONFeed(*utf8);
    }
    detail::XmlReadOptions options;
    options.abort = &abort;
    return detail::parseXMLFeed(bytes, options);
}

}  // namespace

struct FeedParser::State {
    enum class Source { url, data, stream };

    State(Source s, std::string t, std::istream* st = nullptr)
        : source(s), text(std::move(t)), document(text), stream(st) {}
    explicit State(std::string_view borrowed) : source(Source::data), document(borrowed) {}

    Source source;
    std::string text;           // the URL, or the document when the parser owns it
    std::string_view document;  // the document: `text`, or the caller's bytes
    std::istream* stream = nullptr;

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
            return ParserError::internalError("Out of memory");
        } catch (const std::exception& e) {
            return ParserError::internalError(e.what());
        } catch (...) {
            return ParserError::internalError("Unknown failure");
        }
    }

    Result runUnguarded() {
        switch (source) {
            case Source::url: {
                detail::UrlReadOptions options;
                options.abort = &abort;
                const std::optional<std::string> url = detail::sanitizeFeedURL(text);
                if (!url) return ParserError::internalError("Failed url sanitizing.");
                auto bytes = detail::readURL(*url, options);
                if (!bytes) return ParserError::internalError(bytes.error());
                return parseDocument(*bytes, abort);
            }
            case Source::data:
                return parseDocument(document, abort);
            case Source::stream: {
                auto bytes = readStream();
                if (!bytes) return ParserError::internalError(bytes.error());
                detail::XmlReadOptions options;
                options.abort = &abort;
                return detail::parseXMLFeed(*bytes, options);
            }
        }
        return ParserError::internalError(
            "Fatal error. Unable to parse from the initialized state.");
    }

    detail::Fallible<std::string> readStream() {
        std::string bytes;
        char buffer[64 * 1024];
        while (*stream) {
            if (abort.load(std::memory_order_relaxed)) {
                return detail::Fallible<std::string>::failure(std::string(detail::kAbortedReason));
            }
            stream->read(buffer, sizeof buffer);
            const auto n = static_cast<std::size_t>(stream->gcount());
            if (bytes.size() + n > kMaxStreamBytes) {
                return detail::Fallible<std::string>::failure("Feed larger than 1024 MiB");
            }
            bytes.append(buffer, n);
        }
        if (stream->bad())
            return detail::Fallible<std::string>::failure("Unable to read the stream");
        return bytes;
    }
};

FeedParser::FeedParser(std::shared_ptr<State> state) : state_(std::move(state)) {}
FeedParser::FeedParser(FeedParser&&) noexcept = default;
FeedParser& FeedParser::operator=(FeedParser&&) noexcept = default;
FeedParser::~FeedParser() = default;

FeedParser FeedParser::fromURL(std::string url) {
    return FeedParser(std::make_shared<State>(State::Source::url, std::move(url)));
}

FeedParser FeedParser::fromData(std::string data) {
    return FeedParser(std::make_shared<State>(State::Source::data, std::move(data)));
}

FeedParser FeedParser::fromDataView(std::string_view data) {
    return FeedParser(std::make_shared<State>(data));
}

FeedParser FeedParser::fromXMLStream(std::istream& stream) {
    return FeedParser(std::make_shared<State>(State::Source::stream, std::string(), &stream));
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
