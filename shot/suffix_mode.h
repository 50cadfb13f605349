#pragma once
// How the name of a new shot ends.

#include <cstdint>

namespace dhsu {

// Any value other than kTimestamp names by number: a hand-edited setting may hold one, and it
// is kept as it was read.
enum class SuffixMode : std::int32_t {
    kTimestamp = 0,  // "(yymmdd-hhnnss-cc)"
    kNumbered = 1,   // four digits
};

}  // namespace dhsu
