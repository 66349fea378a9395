#pragma once

// The walk from XML events to a feed model: recognises the root, keeps the
// current element's place in the path index, and runs the rules of the
// kind's path table. Templated on the two model types so that it can be
// exercised with small test tables.

#include <syndra/parser_error.hpp>

#include "detail/limits.hpp"
#include "detail/path_index.hpp"
#include "detail/path_table.hpp"
#include "detail/xml_events.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace syndra::detail {

enum class XMLFeedType { atom, rdf, rss };

/// The root element names, compared exactly.
inline std::optional<XMLFeedType> feedTypeOfRoot(std::string_view name) noexcept {
    if (name == "rss") return XMLFeedType::rss;
    if (name == "rdf:RDF") return XMLFeedType::rdf;
    if (name == "feed") return XMLFeedType::atom;
    return std::nullopt;
}

/// Index of each kind's table in a PathIndex.
constexpr int tableSlot(XMLFeedType type) noexcept {
    switch (type) {
        case XMLFeedType::rss:
            return 0;
        case XMLFeedType::rdf:
            return 1;
        case XMLFeedType::atom:
            return 2;
    }
    return 0;
}

template <class Rss, class Atom>
struct WalkTables {
    std::span<const PathRule<Rss>> rss;
    std::span<const PathRule<Rss>> rdf;
    std::span<const PathRule<Atom>> atom;
    /// Per slot (tableSlot()), the row of the element that makes an item or
    /// entry; -1: none is counted.
    std::array<std::int32_t, 3> itemRows{-1, -1, -1};

    /// An index of all three tables, in the slots tableSlot() gives.
    PathIndex makeIndex() const {
        PathIndex index;
        auto addAll = [&](int slot, auto rows) {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                index.add(slot, static_cast<std::int32_t>(i), rows[i].path);
            }
        };
        addAll(tableSlot(XMLFeedType::rss), rss);
        addAll(tableSlot(XMLFeedType::rdf), rdf);
        addAll(tableSlot(XMLFeedType::atom), atom);
        return index;
    }
};

/// True when `bytes` is well-formed UTF-8 (no overlongs, no surrogates).
bool isValidUtf8(std::string_view bytes) noexcept;

/// `path` with every byte a URL path may not hold percent-encoded.
std::string percentEncodePath(std::string_view path);

template <class Rss, class Atom>
class XmlWalk final : public XmlEventSink {
public:
    /// The outcome: the error, or the RSS model (index 1), or the Atom model (index 2).
    using Outcome = std::variant<ParserError, Rss, Atom>;

    XmlWalk(const PathIndex& index, WalkTables<Rss, Atom> tables, ModelLimits limits = {}) noexcept
        : index_(index), tables_(tables), limits_(limits) {}

    Flow startElement(const char* rawName, const AttributeMap& attributes) override {
        const PathIndex::Node parent = levels_.empty() ? PathIndex::kRoot : levels_.back().node;
        std::size_t length = 0;
        const PathIndex::Node node = index_.child(parent, rawName, length);
        const std::string_view name(rawName, length);
        if (captured_ > 0 || (markup_ && index_.row(node, tableSlot(*feedType_)) < 0)) {
            // Inside a text field: an element no row maps is part of the text.
            levels_.push_back(Level{PathIndex::kNone, path_.size(), false});
            path_ += '/';
            path_ += name;
            return startMarkup(name, attributes);
        }
        if (!flushText()) return Flow::stop;
        levels_.push_back(Level{node, path_.size(), false});
        path_ += '/';
        path_ += name;

        if (!feedType_) {
            // The root is only recognised, never mapped; until one is seen every
            // element is a candidate, however deep.
            feedType_ = feedTypeOfRoot(name);
            textRule_ = nullptr;
            return Flow::proceed;
        }
        // The element's rule is looked up once, for its start and for its text:
        // unmapped text (white space between siblings, mostly) is then dropped
        // without being copied.
        textRule_ = nullptr;
        const int slot = tableSlot(*feedType_);
        const std::int32_t row = index_.row(node, slot);
        if (row >= 0 && row == tables_.itemRows[static_cast<std::size_t>(slot)] &&
            ++items_ > limits_.maxItems) {
            return exceeded(tooManyItemsText(limits_.maxItems));
        }
        if (*feedType_ == XMLFeedType::atom) {
            if (!atom_) atom_.emplace();
            if (const auto* rule = ruleAt(tables_.atom, row)) {
                if (rule->start != nullptr) modelBytes_ += rule->start(*atom_, attributes);
                if (rule->text != nullptr) {
                    textRule_ = rule;
                    markup_ = keepsMarkup(rule->kind);
                    // An XHTML text is one div, which only wraps it.
                    xhtml_ = markup_ && attributes["type"] == "xhtml";
                }
            }
        } else {
            if (!rss_) rss_.emplace();
            const auto& table = *feedType_ == XMLFeedType::rss ? tables_.rss : tables_.rdf;
            if (const auto* rule = ruleAt(table, row)) {
                if (rule->start != nullptr) modelBytes_ += rule->start(*rss_, attributes);
                if (rule->text != nullptr) {
                    textRule_ = rule;
                    markup_ = keepsMarkup(rule->kind);
                }
            }
        }
        if (modelBytes_ > limits_.maxModelBytes) {
            return exceeded(modelTooLargeText(limits_.maxModelBytes));
        }
        return Flow::proceed;
    }

    Flow endElement() override {
        if (captured_ > 0) return endMarkup();
        if (!flushText()) return Flow::stop;
        if (levels_.empty()) return Flow::stop;
        path_.resize(levels_.back().pathLength);
        levels_.pop_back();
        if (levels_.empty()) {
            // The document element is closed: whatever follows is not read.
            parseComplete_ = true;
            textRule_ = nullptr;
            return Flow::stop;
        }
        // From now on the parent's text is not mapped (only text before its
        // first child element is).
        levels_.back().childClosed = true;
        textRule_ = nullptr;
        return Flow::proceed;
    }

    Flow characters(std::string_view text) override {
        // Adjacent pieces are joined and handed to the rule in one call when
        // the element ends, so that a value split by the tokenizer still
        // converts.
        if (textRule_ != nullptr) {
            if (inMarkup_) {
                appendEscaped(text_, text, false);
                if (markupTooLarge()) return exceeded(modelTooLargeText(limits_.maxModelBytes));
            } else {
                text_.append(text);
            }
            hasText_ = true;
        }
        return Flow::proceed;
    }

    bool wantsText() const noexcept override { return textRule_ != nullptr; }

    Flow cdata(std::string_view bytes) override {
        if (!isValidUtf8(bytes)) {
            text_.clear();
            parsingError_ = ParserError::feedCDATABlockEncodingError(currentPathText());
            return Flow::stop;
        }
        return characters(bytes);
    }

    void error(std::string message, ErrorKind kind) override {
        if (!parseComplete_ && !parsingError_) {
            parsingError_ = ParserError::internalError(std::move(message), kind);
        }
    }

    /// The result once the reader is done: a stored error first, then the
    /// kind, then the model.
    Outcome finish() && {
        if (parsingError_) {
            // Whatever was stored, the caller sees an internal error carrying its
            // description.
            const std::string reason =
                parsingError_->errorCase() == ParserError::Case::internalError
                    ? parsingError_->reason()
                    : parsingError_->errorDescription();
            return Outcome(std::in_place_index<0>,
                           ParserError::internalError(reason, parsingError_->kind()));
        }
        if (!feedType_) return Outcome(std::in_place_index<0>, ParserError::feedNotFound());
        if (*feedType_ == XMLFeedType::atom) {
            if (!atom_) {
                return Outcome(std::in_place_index<0>,
                               ParserError::internalError("Unable to initialize atom feed model"));
            }
            return Outcome(std::in_place_index<2>, std::move(*atom_));
        }
        if (!rss_) {
            return Outcome(std::in_place_index<0>,
                           ParserError::internalError("Unable to initialize rss feed model"));
        }
        return Outcome(std::in_place_index<1>, std::move(*rss_));
    }

    /// The models being built (null until their root is seen).
    Rss* rssModel() noexcept { return rss_ ? &*rss_ : nullptr; }
    Atom* atomModel() noexcept { return atom_ ? &*atom_ : nullptr; }

    /// The kind, once the root is known.
    std::optional<XMLFeedType> feedType() const noexcept { return feedType_; }

    /// The stored error exactly as stored (before finish() folds it).
    const std::optional<ParserError>& storedError() const noexcept { return parsingError_; }
    bool parseComplete() const noexcept { return parseComplete_; }

    /// The current path in the form "/rss/channel/item" ("/rss/channel/" once a
    /// child of the channel has closed).
    std::string currentPathText() const {
        std::string text = path_;
        if (text.empty() || (!levels_.empty() && levels_.back().childClosed)) text += '/';
        return percentEncodePath(text);
    }

private:
    struct Level {
        PathIndex::Node node;
        std::size_t pathLength;  // length of path_ before this element's name
        bool childClosed;
    };

    template <class Model>
    static const PathRule<Model>* ruleAt(std::span<const PathRule<Model>> table,
                                         std::int32_t row) noexcept {
        if (row < 0 || static_cast<std::size_t>(row) >= table.size()) return nullptr;
        return &table[static_cast<std::size_t>(row)];
    }

    // The start of an element inside a text field's markup.
    Flow startMarkup(std::string_view name, const AttributeMap& attributes) {
        hasText_ = true;
        if (captured_ == 0 && !inMarkup_) {
            inMarkup_ = true;
            if (xhtml_ && isWhiteSpace(text_) && localName(name) == "div") {
                // The wrapping div goes, and the white space around it.
                text_.clear();
                wrapperOpen_ = true;
                captured_ = 1;
                return Flow::proceed;
            }
            // The text so far was plain; from now on the field holds markup.
            std::string plain;
            plain.swap(text_);
            appendEscaped(text_, plain, false);
        }
        ++captured_;
        text_ += '<';
        text_ += name;
        attributes.forEach([this](std::string_view attribute, std::string_view value) {
            text_ += ' ';
            text_ += attribute;
            text_ += "=\"";
            appendEscaped(text_, value, true);
            text_ += '"';
        });
        text_ += '>';
        emptyUntil_ = text_.size();
        if (markupTooLarge()) return exceeded(modelTooLargeText(limits_.maxModelBytes));
        return Flow::proceed;
    }

    Flow endMarkup() {
        const std::string_view name = std::string_view(path_).substr(levels_.back().pathLength + 1);
        --captured_;
        if (captured_ == 0 && wrapperOpen_) {
            wrapperOpen_ = false;
            afterWrapper_ = text_.size();
        } else if (text_.size() == emptyUntil_) {
            // Nothing came between the tags: <br/>, not <br></br>.
            text_.back() = '/';
            text_ += '>';
        } else {
            text_ += "</";
            text_ += name;
            text_ += '>';
        }
        path_.resize(levels_.back().pathLength);
        levels_.pop_back();
        levels_.back().childClosed = true;
        return Flow::proceed;
    }

    // The field's markup is whole: white space after an XHTML wrapper goes
    // with the wrapper.
    void endOfMarkup() {
        if (afterWrapper_ != std::string::npos &&
            isWhiteSpace(std::string_view(text_).substr(afterWrapper_))) {
            text_.resize(afterWrapper_);
        }
        inMarkup_ = false;
        afterWrapper_ = std::string::npos;
        emptyUntil_ = std::string::npos;
    }

    // Markup grows faster than the document (quotes become &quot;): it counts
    // against the model's bound before it reaches the model.
    bool markupTooLarge() const noexcept {
        return modelBytes_ + text_.size() > limits_.maxModelBytes;
    }

    static bool isWhiteSpace(std::string_view text) noexcept {
        return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
    }

    static std::string_view localName(std::string_view name) noexcept {
        const std::size_t colon = name.find(':');
        return colon == std::string_view::npos ? name : name.substr(colon + 1);
    }

    // Text as markup: "&", "<" and ">" as references, and in an attribute
    // value also the quote and the white space that would not survive a read.
    static void appendEscaped(std::string& out, std::string_view text, bool attribute) {
        const char* special = attribute ? "&<>\"\t\n\r" : "&<>";
        for (;;) {
            const std::size_t at = text.find_first_of(special);
            out.append(text.substr(0, at));
            if (at == std::string_view::npos) return;
            switch (text[at]) {
                case '&':
                    out += "&amp;";
                    break;
                case '<':
                    out += "&lt;";
                    break;
                case '>':
                    out += "&gt;";
                    break;
                case '"':
                    out += "&quot;";
                    break;
                case '\t':
                    out += "&#9;";
                    break;
                case '\n':
                    out += "&#10;";
                    break;
                default:
                    out += "&#13;";
                    break;
            }
            text.remove_prefix(at + 1);
        }
    }

    // Hands the text gathered to its rule; false once the model is past its bound.
    bool flushText() {
        if (inMarkup_) endOfMarkup();
        markup_ = xhtml_ = false;
        if (!hasText_ || textRule_ == nullptr) {
            text_.clear();
            hasText_ = false;
            return true;
        }
        hasText_ = false;
        if (*feedType_ == XMLFeedType::atom) {
            modelBytes_ += static_cast<const PathRule<Atom>*>(textRule_)->text(*atom_, text_);
        } else {
            modelBytes_ += static_cast<const PathRule<Rss>*>(textRule_)->text(*rss_, text_);
        }
        text_.clear();
        if (modelBytes_ <= limits_.maxModelBytes) return true;
        exceeded(modelTooLargeText(limits_.maxModelBytes));
        return false;
    }

    // Ends the walk with a limit's error. The model built so far goes at once:
    // a document past its bounds should not hold on to memory any longer.
    Flow exceeded(std::string reason) {
        if (!parsingError_) {
            parsingError_ = ParserError::internalError(std::move(reason), ErrorKind::limitExceeded);
        }
        textRule_ = nullptr;
        markup_ = false;
        text_.clear();
        text_.shrink_to_fit();
        rss_.reset();
        atom_.reset();
        return Flow::stop;
    }

    const PathIndex& index_;
    WalkTables<Rss, Atom> tables_;
    std::optional<XMLFeedType> feedType_;
    std::optional<Rss> rss_;
    std::optional<Atom> atom_;
    ModelLimits limits_;
    std::size_t items_ = 0;
    std::size_t modelBytes_ = 0;
    std::optional<ParserError> parsingError_;
    bool parseComplete_ = false;
    std::vector<Level> levels_;
    std::string path_;
    std::string text_;
    bool hasText_ = false;            // text_ holds the element's text, even if it is empty
    const void* textRule_ = nullptr;  // PathRule<Rss> or PathRule<Atom>, per feedType_
    // The text field being read keeps the elements inside it as markup:
    bool markup_ = false;    // it would (its kind keeps markup)
    bool inMarkup_ = false;  // it does: an element came, and text_ is markup from then on
    bool xhtml_ = false;     // an Atom XHTML text, whose wrapping div is dropped
    bool wrapperOpen_ = false;
    std::size_t captured_ = 0;                      // elements open inside the text
    std::size_t afterWrapper_ = std::string::npos;  // where the wrapping div ended in text_
    std::size_t emptyUntil_ = std::string::npos;    // text_'s size after the last start tag
};

}  // namespace syndra::detail
