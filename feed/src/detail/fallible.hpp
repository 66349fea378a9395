#pragma once

#include <optional>
#include <string>
#include <utility>

namespace syndra::detail {

/// A value, or the readable reason why there is none. Internal steps return
/// this; the front end turns a failure into ParserError::internalError.
template <class T>
class Fallible {
public:
    Fallible(T value) : value_(std::move(value)) {}
    static Fallible failure(std::string reason) { return Fallible(std::move(reason), 0); }

    bool ok() const noexcept { return value_.has_value(); }
    explicit operator bool() const noexcept { return ok(); }
    T& operator*() noexcept { return *value_; }
    const T& operator*() const noexcept { return *value_; }
    T* operator->() noexcept { return &*value_; }
    const T* operator->() const noexcept { return &*value_; }
    const std::string& error() const noexcept { return error_; }

private:
    Fallible(std::string reason, int) : error_(std::move(reason)) {}
    std::optional<T> value_;
    std::string error_;
};

}  // namespace syndra::detail
