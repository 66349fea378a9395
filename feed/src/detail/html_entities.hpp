#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace syndra::detail {

/// The text of the HTML named character reference `name` (without "&" and
/// ";"), e.g. "nbsp" → U+00A0. The five names XML predefines are not in the
/// table.
std::optional<std::string_view> htmlEntity(std::string_view name) noexcept;

/// Entity declarations for every HTML name that `document` references as
/// "&name;" and that the table knows, in DTD syntax, or "" when there are
/// none. Each declaration appears once. Only names actually used are
/// declared: the whole table would cost more to parse than a small feed.
std::string htmlEntityDeclarations(std::string_view document);

}  // namespace syndra::detail
