#pragma once

#include <syndra/parser_error.hpp>

#include <optional>
#include <string>
#include <utility>

namespace syndra::detail {

/// A value, or the readable reason why there is none and its kind. Internal
/// steps return this; the front end turns a failure into a ParserError.
template <class T>
class Fallible {
public:
    Fallible(T value) : value_(std::move(value)) {}
    static Fallible failure(std::string reason, ErrorKind kind) {
        return Fallible(std::move(reason), kind, 0);
    }
    /// A response with an HTTP status of 400 or more.
    static Fallible httpFailure(int status, std::string reason) {
        return Fallible(std::move(reason), ErrorKind::httpStatus, status);
    }

    bool ok() const noexcept { return value_.has_value(); }
    explicit operator bool() const noexcept { return ok(); }
    T& operator*() noexcept { return *value_; }
    const T& operator*() const noexcept { return *value_; }
    T* operator->() noexcept { return &*value_; }
    const T* operator->() const noexcept { return &*value_; }
    const std::string& error() const noexcept { return error_; }
    ErrorKind kind() const noexcept { return kind_; }

    /// The same failure, for a step that makes something else.
    template <class U>
    Fallible<U> failureAs() const {
        return Fallible<U>(error_, kind_, status_);
    }

    /// The failure as the parser reports it.
    ParserError parserError() const {
        if (kind_ == ErrorKind::httpStatus) return ParserError::httpError(status_, error_);
        return ParserError::internalError(error_, kind_);
    }

private:
    template <class>
    friend class Fallible;

    Fallible(std::string reason, ErrorKind kind, int status)
        : error_(std::move(reason)), kind_(kind), status_(status) {}
    std::optional<T> value_;
    std::string error_;
    ErrorKind kind_ = ErrorKind::syntax;
    int status_ = 0;
};

}  // namespace syndra::detail
