#pragma once

#include <memory>
#include <optional>
#include <utility>

namespace syndra {

/// An optional value kept on the heap, with value semantics: copying copies the
/// value, equality compares values. Used for the large extension objects
/// (iTunes, Dublin Core, Media RSS, Content) so that an item without them stays
/// small. Reads like std::optional.
template <class T>
class Indirect {
public:
    Indirect() = default;
    Indirect(std::nullopt_t) noexcept {}
    Indirect(const T& value) : value_(std::make_unique<T>(value)) {}
    Indirect(T&& value) : value_(std::make_unique<T>(std::move(value))) {}
    Indirect(const Indirect& other) : value_(other ? std::make_unique<T>(*other) : nullptr) {}
    Indirect(Indirect&&) noexcept = default;
    Indirect& operator=(const Indirect& other) {
        if (this != &other) value_ = other ? std::make_unique<T>(*other) : nullptr;
        return *this;
    }
    Indirect& operator=(Indirect&&) noexcept = default;
    Indirect& operator=(std::nullopt_t) noexcept {
        value_.reset();
        return *this;
    }

    bool has_value() const noexcept { return value_ != nullptr; }
    explicit operator bool() const noexcept { return has_value(); }

    T& operator*() noexcept { return *value_; }
    const T& operator*() const noexcept { return *value_; }
    T* operator->() noexcept { return value_.get(); }
    const T* operator->() const noexcept { return value_.get(); }

    template <class... Args>
    T& emplace(Args&&... args) {
        value_ = std::make_unique<T>(std::forward<Args>(args)...);
        return *value_;
    }
    void reset() noexcept { value_.reset(); }

    friend bool operator==(const Indirect& a, const Indirect& b) {
        if (!a || !b) return !a && !b;
        return *a == *b;
    }
    friend bool operator==(const Indirect& a, std::nullopt_t) noexcept { return !a; }

private:
    std::unique_ptr<T> value_;
};

}  // namespace syndra
