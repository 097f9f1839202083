// Where the editor's randomness comes from. Colour jitter and the effect tools draw through
// this interface, so tests can substitute a seeded or scripted source and get fixed results.
// The default source is a process-wide engine seeded once from the system.
#pragma once

#include <cstdint>
#include <random>

namespace glyphloom {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform integer in lo…hi, both inclusive (lo ≤ hi).
    virtual int uniformInt(int lo, int hi) = 0;
    // A uniform double in [0, 1).
    virtual double uniformDouble() = 0;
};

// A Mersenne Twister behind the interface; construct with a seed for repeatable runs.
class EngineRandomSource final : public RandomSource {
public:
    explicit EngineRandomSource(std::uint64_t seed) : engine_(seed) {}
    int uniformInt(int lo, int hi) override;
    double uniformDouble() override;

private:
    std::mt19937_64 engine_;
};

// The process-wide source, seeded from std::random_device on first use. The editor is
// single-threaded; callers on other threads bring their own source.
RandomSource& defaultRandomSource();

}  // namespace glyphloom
