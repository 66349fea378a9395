#pragma once

#include <memory>
#include <utility>

namespace platform {

/// Marks the life of an owner so that callbacks it hands out can tell when it
/// is gone. The owner keeps a Lifetime as a member; a callback wrapped with
/// guarded() does nothing once the owner (and so the Lifetime) is destroyed.
///
/// Checks are race-free only on the thread that destroys the owner; for
/// callbacks that run elsewhere, hop to that thread first (post to main).
class Lifetime {
public:
    Lifetime() : token_(std::make_shared<char>(0)) {}
    Lifetime(const Lifetime&) = delete;
    Lifetime& operator=(const Lifetime&) = delete;

    class Guard {
    public:
        bool alive() const noexcept { return !token_.expired(); }

    private:
        friend class Lifetime;
        explicit Guard(std::weak_ptr<char> token) : token_(std::move(token)) {}
        std::weak_ptr<char> token_;
    };

    Guard guard() const { return Guard(token_); }

private:
    std::shared_ptr<char> token_;
};

/// `f` wrapped so that it runs only while the Lifetime behind `guard` lives.
template <class F>
auto guarded(Lifetime::Guard guard, F f) {
    return [guard = std::move(guard), f = std::move(f)](auto&&... args) mutable {
        if (guard.alive()) f(std::forward<decltype(args)>(args)...);
    };
}

}  // namespace platform
