#include "detail/xml_feed_parser.hpp"

#include "detail/path_table.hpp"
#include "detail/xml_walk.hpp"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace syndra::detail {
namespace {

using Walk = XmlWalk<RSSFeed, AtomFeed>;

const WalkTables<RSSFeed, AtomFeed>& realTables() {
    static const WalkTables<RSSFeed, AtomFeed> tables{rssTable(), rdfTable(), atomTable()};
    return tables;
}

const PathIndex& realIndex() {
    static const PathIndex index = realTables().makeIndex();
    return index;
}

Result toResult(Walk::Outcome outcome) {
    switch (outcome.index()) {
        case 1:
            return Feed(std::move(std::get<1>(outcome)));
        case 2:
            return Feed(std::move(std::get<2>(outcome)));
        default:
            return std::move(std::get<0>(outcome));
    }
}

// What may follow an element's name in its start tag.
constexpr std::string_view kNameEnds = " \t\r\n/>";

// Where a document of a kind may be cut in two: before an element that
// repeats and whose rules touch nothing but the newest element of its list,
// so that the second part can be read into a model of its own and its list
// appended to the first part's. RDF is left out: its documents put the
// text input after the items, which would end every such read.
struct Cut {
    XMLFeedType type;
    std::string_view root;
    std::string_view openPath;  // the elements open around the repeat
    std::string_view prefix;    // the same elements as start tags
    int depth;
    std::string_view name;

    bool isRepeat(const XmlStartWatch::Start& start) const noexcept {
        return start.depth == depth && start.name == name;
    }
};
constexpr Cut kCuts[] = {
    {XMLFeedType::rss, "rss", "/rss/channel", "<rss><channel>", 2, "item"},
    {XMLFeedType::atom, "feed", "/feed", "<feed>", 1, "entry"},
};

using Lists = std::variant<std::monostate, std::vector<RSSFeedItem>, std::vector<AtomFeedEntry>>;

// Calls f(model, list) with the walk's model of the cut's kind and the list
// its repeats go into; nothing when the model does not exist yet.
template <class F>
void withList(Walk& walk, XMLFeedType type, F&& f) {
    if (type == XMLFeedType::atom) {
        if (AtomFeed* feed = walk.atomModel()) f(*feed, feed->entries);
    } else if (RSSFeed* feed = walk.rssModel()) {
        f(*feed, feed->items);
    }
}

template <class List>
using ListType = typename std::remove_cvref_t<List>::value_type;

// Moves `tail`'s elements behind `head`'s. Throws only before anything has
// moved: the room is found first, and element moves cannot throw.
template <class List>
void appendMoved(List& head, List& tail) {
    static_assert(std::is_nothrow_move_constructible_v<typename List::value_type>);
    head.insert(head.end(), std::make_move_iterator(tail.begin()),
                std::make_move_iterator(tail.end()));
}

// Sizes a walk's list once, after a sample of its elements: a list that
// grows by doubling leaves its outgrown blocks behind, and at the end of a
// two-part read nothing is allocated any more that could reuse them. The
// first part sizes its list for both parts, so that the second part's list
// joins it in place.
class ListSizer {
public:
    /// `span`: the bytes from the first element on that the list is to hold.
    explicit ListSizer(std::size_t span) noexcept : span_(span) {}

    /// Called at each element of the list; `sinceFirst`: bytes from the first
    /// element's start to this one's.
    void atElement(Walk& walk, XMLFeedType type, std::size_t sinceFirst) {
        if (++seen_ != kSample || sinceFirst == 0) return;
        const double estimate = static_cast<double>(seen_) * static_cast<double>(span_) /
                                static_cast<double>(sinceFirst) * 1.05;
        withList(walk, type, [&](auto&, auto& list) {
            if (list) reserve(*list, estimate);
        });
    }

private:
    static constexpr std::size_t kSample = 256;

    template <class List>
    void reserve(List& list, double estimate) const {
        // Hostile documents start with small elements: however they are
        // shaped, the room reserved stays under half their size.
        const double bound = static_cast<double>(span_) / (2.0 * sizeof(typename List::value_type));
        list.reserve(static_cast<std::size_t>(std::min(estimate, bound)));
    }

    std::size_t span_;
    std::size_t seen_ = 0;
};

// Moves the walk's list out of its model.
Lists takeList(Walk& walk, XMLFeedType type) {
    Lists taken;
    withList(walk, type, [&](auto&, auto& list) {
        if (list) taken = std::move(*std::exchange(list, std::nullopt));
    });
    return taken;
}

// Puts `lists` back as the walk's list.
void putList(Walk& walk, XMLFeedType type, Lists&& lists) {
    withList(walk, type, [&](auto&, auto& list) {
        if (auto* held = std::get_if<ListType<decltype(list)>>(&lists)) list = std::move(*held);
    });
}

// The second part of a two-part read: reads from the cut on its own thread
// into a model of its own. It gives up at the first element that is not a
// repeat where repeats stand (a channel element after the items, say): that
// element would belong to the first part's model.
//
// When the first part gets to the cut it hands over its list; at its next
// repeat this part moves its own elements behind the first part's and goes
// on in that list. The list it leaves is freed while this thread still
// allocates, so the memory is used again instead of lying idle at the end.
class SecondPart final : public XmlEventSink, public XmlStartWatch {
public:
    SecondPart(const Cut& cut, std::size_t offset, std::string_view entityDeclarations,
               const XmlReadOptions& options)
        : cut_(cut),
          offset_(offset),
          walk_(realIndex(), realTables()),
          entities_(entityDeclarations),
          callerAbort_(options.abort),
          options_(options),
          prefixLeft_(cut.depth) {
        options_.abort = &cancel_;
        options_.relayFrom = SIZE_MAX;
        options_.splitFrom = SIZE_MAX;
        options_.readInTwoParts = nullptr;
    }
    SecondPart(const SecondPart&) = delete;
    SecondPart& operator=(const SecondPart&) = delete;

    const Cut& cut() const noexcept { return cut_; }
    std::size_t offset() const noexcept { return offset_; }

    /// The part's thread: reads `rest`, the document from the cut on.
    void read(std::string_view rest) noexcept {
        try {
            span_ = rest.size();
            sizer_.emplace(span_);
            readXmlPart(cut_.prefix, rest, entities_, *this, options_, this);
        } catch (...) {
            failed_ = true;
        }
        conclude();
    }

    void cancel() noexcept {
        cancel_.store(true, std::memory_order_relaxed);
        signal();
    }

    /// Hands over the first part's list (the first part is at the cut).
    void offer(Lists first) noexcept {
        handed_ = std::move(first);
        offered_.store(true, std::memory_order_release);
        signal();
    }

    /// Once the thread has ended: the whole list when the part read cleanly
    /// (the first part's elements, then this part's); otherwise nothing, and
    /// the list offered comes back as it was.
    std::optional<Lists> joined() {
        if (!clean_) return std::nullopt;
        if (!taken_) {
            // Done before it saw the offer: join here.
            if (!appendTo<std::vector<RSSFeedItem>>() && !appendTo<std::vector<AtomFeedEntry>>())
                return std::nullopt;
            result_ = std::move(handed_);
        }
        return std::move(result_);
    }
    Lists givenBack() noexcept { return std::move(handed_); }

    // Sees each start before startElement() (offsets count the prefix).
    Verdict atStart(const Start& start) override {
        if (!cut_.isRepeat(start)) return Verdict::deliver;
        const std::size_t sinceFirst = start.offset - std::min(start.offset, cut_.prefix.size());
        sizer_->atElement(walk_, cut_.type, sinceFirst);
        // Near its end, a part that was quicker waits for the first part's
        // list, so that the last tenth of its work reuses what it leaves.
        if (!waited_ && sinceFirst >= span_ / 10 * 9) {
            waited_ = true;
            for (int seen = signals_.load(std::memory_order_acquire);
                 !offered_.load(std::memory_order_acquire) &&
                 !cancel_.load(std::memory_order_relaxed);
                 seen = signals_.load(std::memory_order_acquire)) {
                signals_.wait(seen, std::memory_order_acquire);
            }
        }
        return Verdict::deliver;
    }

    Flow startElement(const char* name, const AttributeMap& attributes) override {
        if (callerAbort_ != nullptr && callerAbort_->load(std::memory_order_relaxed)) {
            failed_ = true;
            return Flow::stop;
        }
        if (prefixLeft_ > 0) {
            --prefixLeft_;
        } else if (depth_ < cut_.depth || (depth_ == cut_.depth && cut_.name != name)) {
            foreign_ = true;
            return Flow::stop;
        } else if (depth_ == cut_.depth && !taken_ && offered_.load(std::memory_order_acquire)) {
            takeOver();
        }
        ++depth_;
        return walk_.startElement(name, attributes);
    }
    Flow endElement() override {
        --depth_;
        return walk_.endElement();
    }
    Flow characters(std::string_view text) override { return walk_.characters(text); }
    Flow cdata(std::string_view bytes) override { return walk_.cdata(bytes); }
    bool wantsText() const noexcept override { return walk_.wantsText(); }
    void error(std::string message) override {
        failed_ = true;
        walk_.error(std::move(message));
    }

private:
    // Appends result_ to handed_ when both hold a List.
    template <class List>
    bool appendTo() {
        auto* head = std::get_if<List>(&handed_);
        auto* tail = std::get_if<List>(&result_);
        if (head == nullptr || tail == nullptr) return false;
        head->reserve(head->size() + tail->size());  // the final list: no room to spare
        appendMoved(*head, *tail);
        return true;
    }

    void signal() noexcept {
        signals_.fetch_add(1, std::memory_order_release);
        signals_.notify_all();
    }

    void takeOver() {
        withList(walk_, cut_.type, [&](auto&, auto& mine) {
            using List = ListType<decltype(mine)>;
            auto* theirs = std::get_if<List>(&handed_);
            if (!mine || theirs == nullptr) return;
            // Should room run out, the first part's list is left as it was.
            const std::size_t firstCount = theirs->size();
            appendMoved(*theirs, *mine);
            *mine = std::move(*theirs);
            handed_ = std::monostate{};
            firstCount_ = firstCount;
            taken_ = true;
        });
    }

    // On the part's thread, at its end: the list goes to result_ when clean,
    // and the first part's elements back to handed_ otherwise.
    void conclude() noexcept {
        clean_ = !foreign_ && !failed_ && walk_.parseComplete() && !walk_.storedError();
        withList(walk_, cut_.type, [&](auto& model, auto& list) {
            using Model = std::remove_cvref_t<decltype(model)>;
            auto mine = std::exchange(list, std::nullopt);
            bool alone = false;
            try {
                alone = model == Model{};
            } catch (...) {
                // Treated as not alone: the first part reads on by itself.
            }
            if (clean_ && mine && alone) {
                result_ = std::move(*mine);
                return;
            }
            clean_ = false;
            if (taken_ && mine) {
                mine->erase(mine->begin() + static_cast<std::ptrdiff_t>(firstCount_), mine->end());
                handed_ = std::move(*mine);
            }
        });
        if (!clean_) result_ = std::monostate{};
    }

    const Cut& cut_;
    std::size_t offset_;
    Walk walk_;
    std::string entities_;  // outlives the first part's reader
    const std::atomic<bool>* callerAbort_;
    XmlReadOptions options_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> offered_{false};
    std::atomic<int> signals_{0};  // counts offers and cancels, to wait on
    std::size_t span_ = 0;
    std::optional<ListSizer> sizer_;
    Lists handed_;
    Lists result_;
    std::size_t firstCount_ = 0;
    int prefixLeft_;
    int depth_ = 0;
    bool foreign_ = false;
    bool failed_ = false;
    bool taken_ = false;
    bool waited_ = false;
    bool clean_ = false;
};

// Reads a large document in two parts at once. The caller's thread reads
// from the start. At the first repeat it picks a second repeat about halfway
// through the rest, by its bytes alone, and has a second thread read from
// there into a model of its own. The guess is checked when the caller's
// thread gets there: only if the full read starts exactly that element at
// exactly that place, in the same context, and the second part read cleanly
// to the end, does the caller's thread stop with the two parts' lists
// joined; otherwise it drops the second part and reads on as if it had never
// been started.
class TwoPartRead final : public XmlStartWatch {
public:
    TwoPartRead(Walk& walk, const XmlReadOptions& options) : walk_(walk), options_(options) {}
    TwoPartRead(const TwoPartRead&) = delete;
    TwoPartRead& operator=(const TwoPartRead&) = delete;
    ~TwoPartRead() { dropPart(); }

    Verdict atStart(const Start& start) override {
        if (part_) return atCutCandidate(start);
        if (!walk_.feedType()) return Verdict::deliver;  // the root comes first
        // Past half the document a second thread would not pay.
        if (start.offset > start.text.size() / 2) return Verdict::unwatch;
        for (const Cut& cut : kCuts) {
            if (cut.type != *walk_.feedType()) continue;
            if (!cut.isRepeat(start) || walk_.openPath() != cut.openPath) return Verdict::deliver;
            if (!startPart(start, cut)) return Verdict::unwatch;
            firstOffset_ = start.offset;
            sizer_.emplace(start.text.size() - start.offset);
            sizer_->atElement(walk_, cut.type, 0);
            return Verdict::deliver;
        }
        return Verdict::unwatch;
    }

    /// Whether the read stopped at the cut with the lists joined.
    bool stoppedAtCut() const noexcept { return stoppedAtCut_; }

private:
    bool startPart(const Start& start, const Cut& cut) {
        const std::string_view text = start.text;
        // About halfway through what is left, the next tag of the repeat's
        // name. The second thread starts later and into fresh memory, so it
        // is slower; with a little less than half it is nine tenths through
        // when this one gets to the cut, which is what the handing over of
        // the list wants (see SecondPart).
        std::size_t at = start.offset + (text.size() - start.offset) / 100 * 51;
        std::string tag = "<";
        tag += cut.name;
        for (;;) {
            at = text.find(tag, at);
            if (at == std::string_view::npos || at + tag.size() >= text.size()) return false;
            if (kNameEnds.find(text[at + tag.size()]) != std::string_view::npos) break;
            at += tag.size();
        }
        try {
            part_.emplace(cut, at, start.entityDeclarations, options_);
            thread_ = std::jthread([&part = *part_, rest = text.substr(at)] { part.read(rest); });
        } catch (const std::exception&) {  // no memory or no thread: read on alone
            part_.reset();
            return false;
        }
        return true;
    }

    Verdict atCutCandidate(const Start& start) {
        SecondPart& part = *part_;
        const Cut& cut = part.cut();
        if (start.offset < part.offset()) {
            if (cut.isRepeat(start))
                sizer_->atElement(walk_, cut.type, start.offset - firstOffset_);
            return Verdict::deliver;
        }
        const bool atCut = start.offset == part.offset() && cut.isRepeat(start) &&
                           walk_.openPath() == cut.openPath && walk_.atRest();
        if (!atCut) {
            dropPart();
            return Verdict::unwatch;
        }
        part.offer(takeList(walk_, cut.type));
        thread_.join();
        std::optional<Lists> whole;
        try {
            whole = part.joined();
        } catch (...) {
            whole.reset();  // no room for the joined list: read on alone
        }
        if (whole) {
            putList(walk_, cut.type, std::move(*whole));
            part_.reset();
            stoppedAtCut_ = true;
            return Verdict::stop;
        }
        putList(walk_, cut.type, part.givenBack());
        part_.reset();
        return Verdict::unwatch;
    }

    void dropPart() noexcept {
        if (!part_) return;
        part_->cancel();
        if (thread_.joinable()) thread_.join();
        part_.reset();
    }

    Walk& walk_;
    const XmlReadOptions& options_;
    std::optional<SecondPart> part_;
    std::jthread thread_;          // declared after part_: ends before it
    std::size_t firstOffset_ = 0;  // of the first repeat
    std::optional<ListSizer> sizer_;
    bool stoppedAtCut_ = false;
};

// The first element's name, from a look at the head of the document;
// empty when the head holds anything else than white space, processing
// instructions and comments before it (a document type declaration, say).
std::string_view rootName(std::string_view document) {
    std::string_view head = document.substr(0, 64 * 1024);
    if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
    for (;;) {
        const std::size_t open = head.find_first_not_of(" \t\r\n");
        if (open == std::string_view::npos || head[open] != '<') return {};
        head.remove_prefix(open);
        std::string_view close;
        if (head.starts_with("<?")) {
            close = "?>";
        } else if (head.starts_with("<!--")) {
            close = "-->";
        } else {
            break;
        }
        const std::size_t end = head.find(close, 2);
        if (end == std::string_view::npos) return {};
        head.remove_prefix(end + close.size());
    }
    head.remove_prefix(1);
    return head.substr(0, head.find_first_of(kNameEnds));
}

// Whether a document could be cut (see TwoPartRead); the others are better
// read whole, by the relay if large.
bool mayCut(std::string_view document) {
    const std::string_view root = rootName(document);
    for (const Cut& cut : kCuts) {
        if (cut.root == root) return true;
    }
    return false;
}

}  // namespace

Result parseXMLFeed(std::string_view document, const XmlReadOptions& options) {
    if (options.readInTwoParts != nullptr) *options.readInTwoParts = false;
    Walk walk(realIndex(), realTables());
    if (document.size() >= options.splitFrom && usableCores() > 1 && mayCut(document)) {
        TwoPartRead twoParts(walk, options);
        readXml(document, walk, options, &twoParts);
        if (options.readInTwoParts != nullptr) *options.readInTwoParts = twoParts.stoppedAtCut();
        return toResult(std::move(walk).finish());
    }
    readXml(document, walk, options);
    return toResult(std::move(walk).finish());
}

}  // namespace syndra::detail
