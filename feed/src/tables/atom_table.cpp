#include "detail/path_table.hpp"

#include <array>

namespace syndra::detail {

std::span<const PathRule<AtomFeed>> atomTable() {
    static constexpr std::array<PathRule<AtomFeed>, 1> table{{{"/feed"}}};
    return table;
}

}  // namespace syndra::detail
