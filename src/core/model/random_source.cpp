#include "core/model/random_source.hpp"

#include <cmath>

namespace glyphloom {

int EngineRandomSource::uniformInt(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine_); }

double EngineRandomSource::uniformDouble() {
    // std::generate_canonical may round up to exactly 1.0; the contract is a half-open range.
    const double x = std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
    return x < 1.0 ? x : std::nextafter(1.0, 0.0);
}

RandomSource& defaultRandomSource() {
    static EngineRandomSource source{std::random_device{}()};
    return source;
}

}  // namespace glyphloom
