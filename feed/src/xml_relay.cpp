#include "detail/xml_relay.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace syndra::detail {
namespace {

// A start's payload is the name and then name/value pairs, each
// NUL-terminated: XML text never holds U+0000, so NUL cannot occur inside.
constexpr std::size_t kMaxRecord = UINT32_MAX;

}  // namespace

XmlRelay::XmlRelay(std::size_t batchBytes, std::size_t maxQueued)
    : batchBytes_(batchBytes == 0 ? 1 : batchBytes), maxQueued_(maxQueued == 0 ? 1 : maxQueued) {
    current_.reserve(batchBytes_ + kHeader);
}

XmlRelay::~XmlRelay() = default;

// ---- Reading side ------------------------------------------------------------

void XmlRelay::appendStart(const char* name, const AttributeMap& attributes) {
    const std::size_t record = current_.size();
    putHeader(kStart, 0);
    current_.append(name, std::strlen(name) + 1);
    attributes.forEach([&](std::string_view n, std::string_view v) {
        current_.append(n.data(), n.size() + 1);
        current_.append(v.data(), v.size() + 1);
    });
    const std::size_t length = current_.size() - record - kHeader;
    if (length > kMaxRecord) {
        current_.resize(record);
        throw std::length_error("start tag larger than 4 GiB");
    }
    setLengthAt(record, length);
    lastText_ = SIZE_MAX;
    if (current_.size() >= batchBytes_) handOver();
}

void XmlRelay::appendLongText(char tag, std::string_view text) {
    while (!text.empty()) {
        // Text is cut to fit the batch, so that one huge text node never
        // needs more than a batch of memory here.
        const std::size_t room = batchBytes_ - std::min(current_.size(), batchBytes_ - 1);
        const std::string_view piece = text.substr(0, room);
        text.remove_prefix(piece.size());
        addText(tag, piece);
        if (current_.size() >= batchBytes_) handOver();
    }
}

void XmlRelay::appendReference(std::string_view text) {
    const char* const address = text.data();
    const std::size_t size = text.size();
    putHeader(kReference, sizeof address + sizeof size);
    current_.append(reinterpret_cast<const char*>(&address), sizeof address);
    current_.append(reinterpret_cast<const char*>(&size), sizeof size);
    lastText_ = SIZE_MAX;
    if (current_.size() >= batchBytes_) handOver();
}

void XmlRelay::appendError(std::string_view message, ErrorKind kind) noexcept {
    try {
        message = message.substr(0, 4096);
        putHeader(kError, message.size() + 1);
        current_ += static_cast<char>(kind);
        current_.append(message);
        lastText_ = SIZE_MAX;
    } catch (...) {
        const std::lock_guard lock(mutex_);
        lostEvents_ = true;
    }
}

void XmlRelay::handOver() {
    lastText_ = SIZE_MAX;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return queued_.size() < maxQueued_ || stopped(); });
    if (stopped()) {
        current_.clear();
        return;
    }
    queued_.push_back(std::move(current_));
    current_ = std::string();
    if (!spare_.empty()) {
        current_ = std::move(spare_.back());
        spare_.pop_back();
    }
    lock.unlock();
    changed_.notify_all();
    current_.clear();
    current_.reserve(batchBytes_ + kHeader);
}

void XmlRelay::close() noexcept {
    try {
        if (!current_.empty()) handOver();
    } catch (...) {
        // Out of memory while handing over: say so at the end.
        const std::lock_guard lock(mutex_);
        lostEvents_ = true;
    }
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

// ---- Replaying side ----------------------------------------------------------

bool XmlRelay::next(std::string& batch) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !queued_.empty() || closed_; });
    if (queued_.empty()) return false;
    batch = std::move(queued_.front());
    queued_.pop_front();
    lock.unlock();
    changed_.notify_all();
    return true;
}

void XmlRelay::recycle(std::string&& batch) {
    batch.clear();
    const std::lock_guard lock(mutex_);
    if (spare_.size() < maxQueued_) spare_.push_back(std::move(batch));
}

void XmlRelay::stop() {
    {
        const std::lock_guard lock(mutex_);
        queued_.clear();
        stopRequested_.store(true, std::memory_order_relaxed);
    }
    changed_.notify_all();
}

bool XmlRelay::replayBatch(const std::string& batch, XmlEventSink& sink) {
    std::size_t at = 0;
    while (at + kHeader <= batch.size()) {
        const char tag = batch[at];
        const std::size_t length = lengthAt(batch, at);
        const char* payload = batch.data() + at + kHeader;
        at += kHeader + length;

        std::string failure;
        ErrorKind kind = ErrorKind::syntax;
        SinkOutcome outcome = SinkOutcome::proceed;
        switch (tag) {
            case kStart:
                outcome = guardedSinkCall(
                    [&] {
                        const char* const end = payload + length;
                        pairs_.clear();
                        for (const char* p = payload + std::strlen(payload) + 1; p < end;
                             p += std::strlen(p) + 1) {
                            pairs_.push_back(p);
                        }
                        pairs_.push_back(nullptr);
                        return sink.startElement(payload, AttributeMap(pairs_.data()));
                    },
                    failure, kind);
                break;
            case kEnd:
                outcome = guardedSinkCall([&] { return sink.endElement(); }, failure, kind);
                break;
            case kText:
                outcome = guardedSinkCall(
                    [&] { return sink.characters(std::string_view(payload, length)); }, failure,
                    kind);
                break;
            case kReference: {
                const char* address = nullptr;
                std::size_t size = 0;
                std::memcpy(&address, payload, sizeof address);
                std::memcpy(&size, payload + sizeof address, sizeof size);
                outcome = guardedSinkCall(
                    [&] { return sink.characters(std::string_view(address, size)); }, failure,
                    kind);
                break;
            }
            case kCData:
                outcome = guardedSinkCall(
                    [&] { return sink.cdata(std::string_view(payload, length)); }, failure, kind);
                break;
            default:  // kError: the reader is done
                sink.error(std::string(payload + 1, length - 1),
                           static_cast<ErrorKind>(static_cast<unsigned char>(payload[0])));
                writerFailed_ = true;
                return false;
        }
        if (outcome == SinkOutcome::stop) return false;
        if (outcome == SinkOutcome::failed) {
            sink.error(std::move(failure), kind);
            return false;
        }
    }
    return true;
}

bool XmlRelay::replay(XmlEventSink& sink) {
    std::string batch;
    try {
        while (next(batch)) {
            const bool goOn = replayBatch(batch, sink);
            recycle(std::move(batch));
            if (!goOn) {
                stop();
                return writerFailed_;
            }
        }
    } catch (...) {
        stop();
        throw;
    }
    bool lost = false;
    {
        const std::lock_guard lock(mutex_);
        lost = lostEvents_;
    }
    if (lost) sink.error("Out of memory", ErrorKind::outOfMemory);
    return false;
}

}  // namespace syndra::detail
