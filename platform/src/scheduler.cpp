#include <platform/scheduler.hpp>
