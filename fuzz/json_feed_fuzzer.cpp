// Feeds arbitrary bytes to the JSON Feed decoder. Whatever decodes must encode
// and decode again to an equal feed. Whatever the one-pass reader reads, the
// keyed decoder must read to the very same feed. Read with recovery, a
// document that decodes as it stands gives the same feed, less the items
// without an id (and a warning only for each of those), and whatever
// recovery gives is a feed that decodes as it stands.

#include <syndra/date_formatters.hpp>
#include <syndra/json_feed.hpp>

#include "detail/json_feed_decoding.hpp"
#include "detail/json_feed_reader.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const syndra::RFC3339DateFormatter dates;
    if (const auto quick = syndra::detail::readJSONFeed(bytes, dates)) {
        const auto keyed = syndra::detail::decodeJSONFeedKeyed(bytes, dates);
        const auto* feed = std::get_if<syndra::JSONFeed>(&keyed);
        if (feed == nullptr) {
            std::fprintf(
                stderr, "read a document the keyed decoder rejects: %s\n",
                std::get<platform::json::DecodingError>(keyed).localizedDescription().c_str());
            std::abort();
        }
        if (syndra::encodeJSONFeed(*quick) != syndra::encodeJSONFeed(*feed)) {
            std::fprintf(stderr, "read differently from the keyed decoder\n");
            std::abort();
        }
    }
    const syndra::Result first = syndra::detail::decodeJSONFeed(bytes);
    const syndra::JSONFeed* feed = first.feed() != nullptr ? first.feed()->jsonFeed() : nullptr;

    const syndra::Result mended = syndra::detail::decodeJSONFeed(bytes, {}, true);
    if (const auto* sound = mended.feed() != nullptr ? mended.feed()->jsonFeed() : nullptr) {
        const auto again = syndra::detail::decodeJSONFeed(syndra::encodeJSONFeed(*sound));
        if (again.feed() == nullptr || !(*again.feed()->jsonFeed() == *sound)) {
            std::fprintf(stderr, "a recovered feed does not decode to itself\n");
            std::abort();
        }
    }
    if (feed != nullptr) {
        syndra::JSONFeed expected = *feed;
        std::size_t dropped = 0;
        if (expected.items) {
            std::erase_if(*expected.items, [&dropped](const syndra::JSONFeedItem& item) {
                const bool idless = !item.id || item.id->empty();
                dropped += idless ? 1 : 0;
                return idless;
            });
        }
        const auto* recovered = mended.feed() != nullptr ? mended.feed()->jsonFeed() : nullptr;
        if (recovered == nullptr || !(*recovered == expected) ||
            mended.warnings().size() != dropped) {
            std::fprintf(stderr, "recovery changed a sound document\n");
            std::abort();
        }
    }
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
