#pragma once

#include <syndra/fields.hpp>
#include <syndra/text.hpp>

#include <optional>

namespace syndra {

/// "content:encoded" of an item: the full body, usually HTML.
struct ContentNamespace {
    std::optional<Text> contentEncoded{};

    static constexpr auto fields =
        std::tuple{field("contentEncoded", &ContentNamespace::contentEncoded)};
};

}  // namespace syndra
