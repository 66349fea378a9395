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
#include <deque>
#include <memory>
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
    /// replaying side has stopped, and always wants text (it cannot know what
    /// the model keeps).
    XmlEventSink& writer() noexcept;

    /// Called by the reading thread after its last event; never throws.
    void close() noexcept;

    /// Hands every event to `sink` on the calling thread, in order, until the
    /// writer closes or `sink` stops; a sink that throws ends the replay with
    /// an error, as the direct reader does.
    void replay(XmlEventSink& sink);

private:
    class Writer;

    // Reading side.
    void appendStart(const char* name, const AttributeMap& attributes);
    void appendEnd();
    void appendText(char tag, std::string_view text);
    void appendError(std::string_view message) noexcept;
    void handOverIfFull();
    void handOver();  // queues the current batch (waits while the queue is full)
    bool stopped() const noexcept;

    // Replaying side.
    bool next(std::string& batch);  // false once closed and drained
    void recycle(std::string&& batch);
    void stop();
    bool replayBatch(const std::string& batch, XmlEventSink& sink);  // false: stop

    const std::size_t batchBytes_;
    const std::size_t maxQueued_;
    std::unique_ptr<Writer> writer_;
    std::string current_;              // the batch being filled (reading thread only)
    std::size_t lastText_ = SIZE_MAX;  // offset of current_'s trailing text record
    bool textWanted_ = true;           // no element has ended since the last start

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> queued_;
    std::vector<std::string> spare_;  // replayed batches, kept for reuse
    bool closed_ = false;
    bool stopped_ = false;
    bool lostEvents_ = false;                             // the writer ran out of memory
    alignas(64) std::atomic<bool> stopRequested_{false};  // stopped_, read without the lock
    char padding_[64 - sizeof(std::atomic<bool>)] = {};   // its own cache line

    std::vector<const char*> pairs_;  // attribute pointers of the start being replayed
};

}  // namespace syndra::detail
