#include "tui/tools/effects.hpp"

namespace glyphloom {

void applyEffect(GridKey at, AppState& state) {
    applyEffect(at, state, std::chrono::steady_clock::now(), defaultRandomSource());
}

// Not built yet: the effect tools leave the canvas as it is.
void applyEffect(GridKey, AppState&, TimeStamp, RandomSource&) { }

}  // namespace glyphloom
