#include "cli.hpp"

#include <syndra/json_feed.hpp>

#include <iostream>

namespace syndra::cli {

int encode(std::string_view source, bool pretty) {
    const Result result = parseSource(source);
    const ParserError* error = result.error();
    std::optional<ParserError> notJSON;
    if (error == nullptr && result.feed()->jsonFeed() == nullptr) {
        const char* kind =
            result.feed()->kind() == Feed::Kind::atom ? "an Atom feed" : "an RSS feed";
        notJSON = ParserError::internalError(
            std::string("encode reads JSON Feed documents; this is ") + kind, ErrorKind::notAFeed);
        error = &*notJSON;
    }
    if (error != nullptr) {
        std::cout << errorJSON(*error) << '\n';
        return 1;
    }
    std::cout << encodeJSONFeed(*result.feed()->jsonFeed(), pretty ? 2 : -1) << '\n';
    return std::cout.good() ? 0 : 1;
}

}  // namespace syndra::cli
