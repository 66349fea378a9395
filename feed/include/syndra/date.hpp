#pragma once

#include <chrono>

namespace syndra {

/// A point in time, to the millisecond, counted from 1970-01-01T00:00:00Z.
using Date = std::chrono::sys_time<std::chrono::milliseconds>;

}  // namespace syndra
