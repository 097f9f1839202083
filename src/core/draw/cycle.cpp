#include "core/draw/cycle.hpp"

namespace glyphloom {

std::size_t wrappedIndex(int index, std::size_t count) {
    const long long n = static_cast<long long>(count);
    return static_cast<std::size_t>(((static_cast<long long>(index) % n) + n) % n);
}

CyclePosition advancedCycle(CyclePosition at, std::size_t poolSize, CycleMotion motion) {
    if (poolSize == 0) return at;
    if (++at.count < motion.step) return at;
    at.count = 0;
    const int last = static_cast<int>(poolSize) - 1;
    const int index = static_cast<int>(wrappedIndex(at.index, poolSize));
    if (motion.forward) at.index = index < last ? index + 1 : (motion.wrap ? 0 : index);
    else at.index = index > 0 ? index - 1 : (motion.wrap ? last : 0);
    return at;
}

}  // namespace glyphloom
