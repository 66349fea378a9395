// Feeds arbitrary bytes through the whole front end: kind detection,
// encodings, the XML walk with the real tables, and the JSON Feed decoder.
// The first byte picks in-memory data or the stream entry (always XML), and
// whether the XML is also read through the relay (expat on a second thread),
// which must give exactly what the direct read gives.

#include <syndra/feed_parser.hpp>

#include "detail/xml_feed_parser.hpp"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

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
    if (const auto* error = result.error()) {
        // Build every text: they must not crash on whatever the reason holds.
        (void)error->errorDescription();
        (void)error->failureReason();
        (void)error->platformError();
    }
    return 0;
}
