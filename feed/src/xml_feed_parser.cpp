#include "detail/xml_feed_parser.hpp"

#include "detail/path_table.hpp"
#include "detail/xml_walk.hpp"

#include <atomic>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
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
};
constexpr Cut kCuts[] = {
    {XMLFeedType::rss, "rss", "/rss/channel", "<rss><channel>", 2, "item"},
    {XMLFeedType::atom, "feed", "/feed", "<feed>", 1, "entry"},
};

// The walk of the second part. It gives up at the first element that is not
// a repeat where repeats stand (a channel element after the items, say): that
// element would belong to the first part's model.
class PartGuard final : public XmlEventSink {
public:
    /// `abort`: the caller's, which the part's own reader does not watch.
    PartGuard(Walk& walk, const Cut& cut, const std::atomic<bool>* abort)
        : walk_(walk), cut_(cut), abort_(abort), prefixLeft_(cut.depth) {}

    Flow startElement(const char* name, const AttributeMap& attributes) override {
        if (abort_ != nullptr && abort_->load(std::memory_order_relaxed)) {
            failed_ = true;
            return Flow::stop;
        }
        if (prefixLeft_ > 0) {
            --prefixLeft_;
        } else if (depth_ < cut_.depth || (depth_ == cut_.depth && cut_.name != name)) {
            foreign_ = true;
            return Flow::stop;
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

    void markFailed() noexcept { failed_ = true; }

    /// Whether the part was read to the end of the document with nothing but
    /// repeats where they stand.
    bool clean() const noexcept {
        return !foreign_ && !failed_ && walk_.parseComplete() && !walk_.storedError();
    }

private:
    Walk& walk_;
    const Cut& cut_;
    const std::atomic<bool>* abort_;
    int prefixLeft_;
    int depth_ = 0;
    bool foreign_ = false;
    bool failed_ = false;
};

// The list of the second part's model, taken out of it, when the model holds
// nothing else.
template <class Model, class List>
std::optional<List> onlyList(Model& model, std::optional<List> Model::*list) {
    std::optional<List> items = std::exchange(model.*list, std::nullopt);
    if (!items || !(model == Model{})) return std::nullopt;
    return items;
}

template <class Model, class List>
void appendList(Model& model, std::optional<List> Model::*list, List&& tail) {
    auto& head = model.*list;
    if (!head) {
        head = std::move(tail);
        return;
    }
    head->reserve(head->size() + tail.size());
    head->insert(head->end(), std::make_move_iterator(tail.begin()),
                 std::make_move_iterator(tail.end()));
}

// Reads a large document in two parts at once. The caller's thread reads
// from the start. At the first repeat it picks a second repeat about halfway
// through the rest, by its bytes alone, and has a second thread read from
// there into a model of its own. The guess is checked when the caller's
// thread gets there: only if the full read starts exactly that element at
// exactly that place, in the same context, and the second part read cleanly
// to the end, does the caller's thread stop and join the two; otherwise it
// drops the second part and reads on as if it had never been started.
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
            if (start.depth != cut.depth || start.name != cut.name ||
                walk_.openPath() != cut.openPath)
                return Verdict::deliver;
            return startPart(start, cut) ? Verdict::deliver : Verdict::unwatch;
        }
        return Verdict::unwatch;
    }

    /// Whether the read stopped at the cut with the second part's list ready.
    bool stoppedAtCut() const noexcept { return items_.has_value() || entries_.has_value(); }

    /// The first part's outcome with the second part's list appended, when
    /// the read stopped at the cut; otherwise the outcome as it is.
    Result join(Walk::Outcome first) {
        if (first.index() == 1 && items_) {
            appendList(std::get<1>(first), &RSSFeed::items, std::move(*items_));
        } else if (first.index() == 2 && entries_) {
            appendList(std::get<2>(first), &AtomFeed::entries, std::move(*entries_));
        }
        return toResult(std::move(first));
    }

private:
    struct Part {
        Part(const Cut& c, std::string_view declarations, const std::atomic<bool>* abort)
            : cut(c),
              walk(realIndex(), realTables()),
              guard(walk, c, abort),
              entities(declarations) {}
        const Cut& cut;
        std::size_t offset = 0;
        Walk walk;
        PartGuard guard;
        std::string entities;  // outlives the first part's reader
        XmlReadOptions options;
        std::atomic<bool> cancel{false};
        std::jthread thread;
    };

    bool startPart(const Start& start, const Cut& cut) {
        const std::string_view text = start.text;
        // About halfway through what is left, the next tag of the repeat's
        // name. The second thread starts later and into fresh memory; a
        // slightly shorter part for it has both finish together.
        std::size_t at = start.offset + (text.size() - start.offset) / 100 * 52;
        std::string tag = "<";
        tag += cut.name;
        for (;;) {
            at = text.find(tag, at);
            if (at == std::string_view::npos || at + tag.size() >= text.size()) return false;
            const char next = text[at + tag.size()];
            if (next == '>' || next == '/' || next == ' ' || next == '\t' || next == '\n' ||
                next == '\r')
                break;
            at += tag.size();
        }
        try {
            part_.emplace(cut, start.entityDeclarations, options_.abort);
            Part& part = *part_;
            part.offset = at;
            part.options = options_;
            part.options.abort = &part.cancel;
            part.options.relayFrom = SIZE_MAX;
            part.options.splitFrom = SIZE_MAX;
            part.thread = std::jthread([&part, rest = text.substr(at)] {
                try {
                    readXmlPart(part.cut.prefix, rest, part.entities, part.guard, part.options);
                } catch (...) {
                    part.guard.markFailed();  // the first part reads on without it
                }
            });
        } catch (const std::exception&) {  // no memory or no thread: read on alone
            part_.reset();
            return false;
        }
        return true;
    }

    Verdict atCutCandidate(const Start& start) {
        Part& part = *part_;
        if (start.offset < part.offset) return Verdict::deliver;
        const bool atCut = start.offset == part.offset && start.depth == part.cut.depth &&
                           start.name == part.cut.name && walk_.openPath() == part.cut.openPath &&
                           walk_.atRest();
        if (atCut) {
            part.thread.join();
            if (part.guard.clean() && takeList(std::move(part.walk).finish())) {
                part_.reset();
                return Verdict::stop;
            }
        }
        dropPart();
        return Verdict::unwatch;
    }

    bool takeList(Walk::Outcome second) {
        if (auto* rss = std::get_if<1>(&second); rss && *walk_.feedType() != XMLFeedType::atom) {
            items_ = onlyList(*rss, &RSSFeed::items);
            return items_.has_value();
        }
        if (auto* atom = std::get_if<2>(&second); atom && *walk_.feedType() == XMLFeedType::atom) {
            entries_ = onlyList(*atom, &AtomFeed::entries);
            return entries_.has_value();
        }
        return false;
    }

    void dropPart() noexcept {
        if (!part_) return;
        part_->cancel.store(true, std::memory_order_relaxed);
        if (part_->thread.joinable()) part_->thread.join();
        part_.reset();
    }

    Walk& walk_;
    const XmlReadOptions& options_;
    std::optional<Part> part_;
    std::optional<std::vector<RSSFeedItem>> items_;
    std::optional<std::vector<AtomFeedEntry>> entries_;
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
    return head.substr(0, head.find_first_of(" \t\r\n/>"));
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
        return twoParts.join(std::move(walk).finish());
    }
    readXml(document, walk, options);
    return toResult(std::move(walk).finish());
}

}  // namespace syndra::detail
