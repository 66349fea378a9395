#pragma once

#include <syndra/text.hpp>

#include <optional>

namespace syndra {

/// "content:encoded" of an item: the full body, usually HTML.
struct ContentNamespace {
    std::optional<Text> contentEncoded{};

    template <class V>
    void visitFields(V&& v) const {
        v("contentEncoded", contentEncoded);
    }
    friend bool operator==(const ContentNamespace&, const ContentNamespace&) = default;
};

}  // namespace syndra
