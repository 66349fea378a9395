#pragma once

// The texts of the limits' errors, in one place so that every source and
// format names a limit the same way.

#include <cstddef>
#include <cstdint>
#include <string>

namespace syndra::detail {

/// "64 MiB" when a whole number of MiB, else "1000 bytes".
std::string byteCountText(std::size_t bytes);

/// "Feed larger than 64 MiB".
std::string documentTooLargeText(std::size_t maxBytes);

/// "Feed has more than 100000 items".
std::string tooManyItemsText(std::size_t maxItems);

/// "Feed model needs more than 64 MiB".
std::string modelTooLargeText(std::size_t maxModelBytes);

/// Bounds on what a parse builds (see Options).
struct ModelLimits {
    std::size_t maxItems = SIZE_MAX;
    std::size_t maxModelBytes = SIZE_MAX;
};

/// Counts a model's items and bytes against its limits; once past one, every
/// call answers false and `reason` names the limit.
class ModelBudget {
public:
    explicit ModelBudget(ModelLimits limits) noexcept : limits_(limits) {}

    bool spend(std::size_t bytes) {
        bytes_ += bytes;
        if (bytes_ > limits_.maxModelBytes && reason.empty()) {
            reason = modelTooLargeText(limits_.maxModelBytes);
        }
        return reason.empty();
    }
    bool countItem() {
        if (++items_ > limits_.maxItems && reason.empty())
            reason = tooManyItemsText(limits_.maxItems);
        return reason.empty();
    }
    bool exceeded() const noexcept { return !reason.empty(); }

    std::string reason;

private:
    ModelLimits limits_;
    std::size_t bytes_ = 0;
    std::size_t items_ = 0;
};

}  // namespace syndra::detail
