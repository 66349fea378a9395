#pragma once

// Test helpers for feeding the vocabularies' rules the way the XML walk does:
// attribute maps made from plain pairs, and the model as comparable JSON.

#include "detail/path_table.hpp"

#include <syndra/attribute_map.hpp>
#include <syndra/dump.hpp>

#include <nlohmann/json.hpp>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace syndra::test {

using Pairs = std::vector<std::pair<std::string, std::string>>;

/// Owns name/value pairs and lends them out as the AttributeMap the XML walk
/// would hand over:  AttributeList attrs{{"url", "a.mp3"}, {"length", "12"}};
class AttributeList {
public:
    AttributeList() { pointers_.push_back(nullptr); }
    AttributeList(std::initializer_list<std::pair<std::string, std::string>> pairs)
        : AttributeList(Pairs(pairs)) {}
    explicit AttributeList(Pairs pairs) : strings_(std::move(pairs)) {
        for (const auto& [name, value] : strings_) {
            pointers_.push_back(name.c_str());
            pointers_.push_back(value.c_str());
        }
        pointers_.push_back(nullptr);
    }
    // The map points into this object's strings.
    AttributeList(const AttributeList&) = delete;
    AttributeList& operator=(const AttributeList&) = delete;

    AttributeMap map() const { return AttributeMap(pointers_.data()); }
    operator AttributeMap() const { return map(); }

private:
    Pairs strings_;
    std::vector<const char*> pointers_;
};

/// The "feed" object of the dump: what a model holds, as comparable JSON.
inline nlohmann::ordered_json fieldsOf(const Feed& feed) {
    return nlohmann::ordered_json::parse(toJSON(feed))["feed"];
}

}  // namespace syndra::test
