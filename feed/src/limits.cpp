#include "detail/limits.hpp"

namespace syndra::detail {

std::string byteCountText(std::size_t bytes) {
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    if (bytes != 0 && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
    return std::to_string(bytes) + " bytes";
}

std::string documentTooLargeText(std::size_t maxBytes) {
    return "Feed larger than " + byteCountText(maxBytes);
}

std::string tooManyItemsText(std::size_t maxItems) {
    return "Feed has more than " + std::to_string(maxItems) + " items";
}

std::string modelTooLargeText(std::size_t maxModelBytes) {
    return "Feed model needs more than " + byteCountText(maxModelBytes);
}

}  // namespace syndra::detail
