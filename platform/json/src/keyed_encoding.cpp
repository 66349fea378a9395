// The encoder is all templates; this unit keeps the target's object list stable.
#include <platform/json/keyed_encoding.hpp>
