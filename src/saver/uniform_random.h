// The uniform random-number generator of the runtime: values in [0, 1), never seeded, so every
// run starts from the same state and draws the same sequence.
#pragma once

#include <cstdint>

namespace spindle {

// A source of uniform draws in [0, 1); tests script one.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double Next() = 0;
};

class UniformRandom : public RandomSource {
public:
    double Next() override;

private:
    // Fixed starting state; the generator is never seeded.
    std::uint64_t state_ = 0x5350494E444C4557ull;
};

}  // namespace spindle
