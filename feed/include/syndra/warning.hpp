#pragma once

#include <cstddef>
#include <string>

namespace syndra {

/// One repair a recovering parse made to read a broken document (see
/// Options::recover). `line` and `column` count from 1, in characters, where
/// the repaired bytes stand in the document, as in the reasons of syntax
/// errors.
struct Warning {
    std::size_t line = 0;
    std::size_t column = 0;
    /// What was repaired and how, e.g. "& that starts no reference read as text".
    std::string message;

    friend bool operator==(const Warning&, const Warning&) = default;
};

}  // namespace syndra
