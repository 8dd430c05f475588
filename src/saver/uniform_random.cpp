// SplitMix64: small, fast and good enough for picking start directions.
#include "saver/uniform_random.h"

namespace spindle {

double UniformRandom::Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;  // 53 random bits: always below 1
}

}  // namespace spindle
