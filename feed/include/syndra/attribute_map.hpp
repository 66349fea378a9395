#pragma once

#include <cstring>
#include <optional>
#include <string_view>

namespace syndra {

/// The attributes of one XML element, as the parser hands them over: a view of
/// name/value pairs in a null-terminated array {name0, value0, name1, value1,
/// ..., nullptr}. Nothing is copied; the view is valid while the event lasts.
class AttributeMap {
public:
    AttributeMap() = default;
    explicit AttributeMap(const char* const* pairs) noexcept : pairs_(pairs) {}

    bool empty() const noexcept { return pairs_ == nullptr || pairs_[0] == nullptr; }

    /// The value of the attribute named exactly `name`, if present.
    std::optional<std::string_view> operator[](std::string_view name) const noexcept {
        if (pairs_ == nullptr) return std::nullopt;
        for (const char* const* p = pairs_; p[0] != nullptr; p += 2) {
            if (sameName(p[0], name)) return std::string_view(p[1]);
        }
        return std::nullopt;
    }

    /// Calls f(name, value) for each attribute, in document order.
    template <class F>
    void forEach(F&& f) const {
        if (pairs_ == nullptr) return;
        for (const char* const* p = pairs_; p[0] != nullptr; p += 2) {
            f(std::string_view(p[0]), std::string_view(p[1]));
        }
    }

private:
    // Compares without measuring `stored` first: most names differ in their
    // first byte, and model classes look up every attribute they know.
    static bool sameName(const char* stored, std::string_view name) noexcept {
        for (const char c : name) {
            if (*stored == '\0' || *stored != c) return false;
            ++stored;
        }
        return *stored == '\0';
    }

    const char* const* pairs_ = nullptr;
};

}  // namespace syndra
