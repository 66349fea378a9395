// Feeds arbitrary bytes to the JSON Feed decoder. Whatever decodes must encode
// and decode again to an equal feed.

#include <syndra/json_feed.hpp>

#include "detail/json_feed_decoding.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const syndra::Result first = syndra::detail::decodeJSONFeed(bytes);
    const syndra::JSONFeed* feed = first.feed() != nullptr ? first.feed()->jsonFeed() : nullptr;
    if (feed == nullptr) return 0;

    const std::string encoded = syndra::encodeJSONFeed(*feed);
    const syndra::Result second = syndra::detail::decodeJSONFeed(encoded);
    const syndra::JSONFeed* again = second.feed() != nullptr ? second.feed()->jsonFeed() : nullptr;
    if (again == nullptr) {
        std::fprintf(stderr, "encoded feed does not decode: %s\n%s\n",
                     second.error() != nullptr ? second.error()->reason().c_str() : "?",
                     encoded.c_str());
        std::abort();
    }
    if (!(*again == *feed)) {
        std::fprintf(stderr, "feed changed through encoding:\n%s\n", encoded.c_str());
        std::abort();
    }
    return 0;
}
