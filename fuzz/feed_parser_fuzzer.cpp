// Feeds arbitrary bytes through the whole front end: kind detection,
// encodings, the XML walk with the real tables, and the JSON Feed decoder.
// The first byte picks in-memory data or the stream entry (always XML), and
// whether the XML is also read through the relay (expat on a second thread),
// which must give exactly what the direct read gives. Every input is also
// read as XML with recovery, under small limits: a document read as it
// stands must give the same outcome without a warning, and what is mended
// must keep within the limits.

#include <syndra/feed_parser.hpp>

#include "detail/xml_feed_parser.hpp"
#include "detail/xml_repair.hpp"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

namespace {

std::size_t itemCount(const syndra::Feed& feed) {
    if (const auto* rss = feed.rssFeed()) return rss->items ? rss->items->size() : 0;
    if (const auto* atom = feed.atomFeed()) return atom->entries ? atom->entries->size() : 0;
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool viaStream = (data[0] & 1) != 0;
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    syndra::Result result = syndra::FeedParser::fromData(std::string()).parse();
    if (viaStream) {
        std::istringstream stream(std::move(bytes));
        result = syndra::FeedParser::fromXMLStream(stream).parse();
    } else {
        result = syndra::FeedParser::fromData(std::move(bytes)).parse();
    }
    if ((data[0] & 2) != 0) {
        const std::string_view document(reinterpret_cast<const char*>(data) + 1, size - 1);
        const syndra::detail::XmlReadOptions direct;
        syndra::detail::XmlReadOptions threaded;
        threaded.useSecondThread = true;
        const syndra::Result a = syndra::detail::parseXMLFeed(document, direct);
        const syndra::Result b = syndra::detail::parseXMLFeed(document, threaded);
        const bool same = a.isSuccess() ? (b.isSuccess() && *a.feed() == *b.feed())
                                        : (!b.isSuccess() && *a.error() == *b.error());
        if (!same) __builtin_trap();
    }
    {
        const std::string_view document(reinterpret_cast<const char*>(data) + 1, size - 1);
        const syndra::detail::ModelLimits limits{8, 1u << 20};
        syndra::detail::XmlReadOptions strict;
        strict.maxDepth = 64;
        syndra::detail::XmlReadOptions recovering = strict;
        recovering.recover = true;
        const syndra::Result a = syndra::detail::parseXMLFeed(document, strict, limits);
        const syndra::Result b = syndra::detail::parseXMLFeed(document, recovering, limits);
        if (a.isSuccess()) {
            if (!b.isSuccess() || !(*a.feed() == *b.feed()) || !b.warnings().empty()) {
                __builtin_trap();
            }
        } else if (a.error()->kind() != syndra::ErrorKind::syntax) {
            // Only what expat rejects is mended, and expat's errors are of kind syntax.
            if (b.isSuccess() || !(*a.error() == *b.error())) __builtin_trap();
        }
        if (b.isSuccess() && (itemCount(*b.feed()) > limits.maxItems ||
                              b.warnings().size() > syndra::detail::XmlRepair::kMaxRepairs)) {
            __builtin_trap();
        }
    }
    if (const auto* error = result.error()) {
        // Build every text: they must not crash on whatever the reason holds.
        (void)error->errorDescription();
        (void)error->failureReason();
        (void)error->platformError();
    }
    return 0;
}
