#pragma once

// Carries XML events from the thread that runs expat to the thread that
// builds the model, so that on a large document the two halves of the work
// overlap instead of adding up. Events travel in order, packed into batches
// of bytes; a bounded number of batches is in flight, so memory stays small
// whatever the document's size.

#include "detail/xml_events.hpp"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace syndra::detail {

class XmlRelay {
public:
    /// Batches are handed over once they hold `batchBytes` (a single start
    /// tag may make one larger); at most `maxQueued` wait to be replayed.
    explicit XmlRelay(std::size_t batchBytes = 64 * 1024, std::size_t maxQueued = 4);
    XmlRelay(const XmlRelay&) = delete;
    XmlRelay& operator=(const XmlRelay&) = delete;
    ~XmlRelay();

    /// The sink the reading thread reports to. It answers `stop` once the
    /// replaying side has stopped. It asks for all text: whether text after
    /// an element's end is kept (inside a text field's markup) is known only
    /// on the replaying side.
    class Writer final : public XmlEventSink {
    public:
        explicit Writer(XmlRelay& relay) noexcept : relay_(relay) {}

        Flow startElement(const char* name, const AttributeMap& attributes) override {
            relay_.appendStart(name, attributes);
            return flow();
        }
        Flow endElement() override {
            relay_.appendEnd();
            return flow();
        }
        Flow characters(std::string_view text) override {
            relay_.appendText(kText, text);
            return flow();
        }
        Flow cdata(std::string_view bytes) override {
            relay_.appendText(kCData, bytes);
            return flow();
        }
        /// Text that stands in the document being read, which outlives the
        /// replay: only where it is travels.
        Flow documentText(std::string_view text) {
            relay_.appendReference(text);
            return flow();
        }
        void error(std::string message, ErrorKind kind) override {
            relay_.appendError(message, kind);
        }

    private:
        Flow flow() const noexcept { return relay_.stopped() ? Flow::stop : Flow::proceed; }

        XmlRelay& relay_;
    };

    Writer& writer() noexcept { return writer_; }

    /// Called by the reading thread after its last event; never throws.
    void close() noexcept;

    /// Hands every event to `sink` on the calling thread, in order, until the
    /// writer closes or `sink` stops; a sink that throws ends the replay with
    /// an error, as the direct reader does. True when the writer's own error
    /// reached `sink`: the reading thread went on after the sink had stopped,
    /// and may have failed where the sink never looked.
    bool replay(XmlEventSink& sink);

private:
    // A record is a tag byte, the payload's length and the payload.
    static constexpr char kStart = 'S';
    static constexpr char kEnd = 'E';
    static constexpr char kText = 'T';
    static constexpr char kCData = 'C';
    static constexpr char kError = 'X';      // payload: the kind's byte, then the message
    static constexpr char kReference = 'R';  // payload: the text's address and size
    static constexpr std::size_t kHeader = 1 + sizeof(std::uint32_t);

    // Reading side.
    void appendStart(const char* name, const AttributeMap& attributes);
    void appendEnd() {
        putHeader(kEnd, 0);
        lastText_ = SIZE_MAX;
        if (current_.size() >= batchBytes_) handOver();
    }
    void appendText(char tag, std::string_view text) {
        // The usual piece fits the batch as it is.
        // An empty piece is still text (an empty CDATA section).
        if (current_.size() + kHeader + text.size() <= batchBytes_) {
            addText(tag, text);
            return;
        }
        appendLongText(tag, text);
    }
    // Adds `piece` to the trailing text record of the same kind, or starts one:
    // the replay then makes one call where expat made several (a newline, then
    // the indentation).
    void addText(char tag, std::string_view piece) {
        if (lastText_ != SIZE_MAX && current_[lastText_] == tag) {
            setLengthAt(lastText_, lengthAt(current_, lastText_) + piece.size());
        } else {
            lastText_ = current_.size();
            putHeader(tag, piece.size());
        }
        current_.append(piece);
    }
    void putHeader(char tag, std::size_t length) {
        char header[kHeader] = {tag};
        const auto length32 = static_cast<std::uint32_t>(length);
        std::memcpy(header + 1, &length32, sizeof length32);
        current_.append(header, kHeader);
    }
    static std::size_t lengthAt(const std::string& batch, std::size_t record) noexcept {
        std::uint32_t length = 0;
        std::memcpy(&length, batch.data() + record + 1, sizeof length);
        return length;
    }
    void setLengthAt(std::size_t record, std::size_t length) noexcept {
        const auto length32 = static_cast<std::uint32_t>(length);
        std::memcpy(current_.data() + record + 1, &length32, sizeof length32);
    }
    void appendLongText(char tag, std::string_view text);
    void appendReference(std::string_view text);
    void appendError(std::string_view message, ErrorKind kind) noexcept;
    void handOver();  // queues the current batch (waits while the queue is full)
    bool stopped() const noexcept { return stopRequested_.load(std::memory_order_relaxed); }

    // Replaying side.
    bool next(std::string& batch);  // false once closed and drained
    void recycle(std::string&& batch);
    void stop();
    bool replayBatch(const std::string& batch, XmlEventSink& sink);  // false: stop

    const std::size_t batchBytes_;
    const std::size_t maxQueued_;
    Writer writer_{*this};
    std::string current_;              // the batch being filled (reading thread only)
    std::size_t lastText_ = SIZE_MAX;  // offset of current_'s trailing text record

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> queued_;
    std::vector<std::string> spare_;  // replayed batches, kept for reuse
    bool closed_ = false;
    bool lostEvents_ = false;    // the writer ran out of memory
    bool writerFailed_ = false;  // replay only: the writer's error was replayed
    // Set under the lock, read without it on every event: on a cache line of
    // its own, so that the replaying side's work on the queue does not evict it.
    alignas(64) std::atomic<bool> stopRequested_{false};
    [[maybe_unused]] char padding_[64 - sizeof(std::atomic<bool>)] = {};

    std::vector<const char*> pairs_;  // attribute pointers of the start being replayed
};

}  // namespace syndra::detail
