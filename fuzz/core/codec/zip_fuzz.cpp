// Fuzzes the ZIP reader with arbitrary archives. Aborts when a member comes back larger than
// the per-member cap or the members together exceed the total cap.
#include <cstdlib>

#include "core/codec/zip.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace glyphloom;
    std::size_t total = 0;
    for (const ZipEntry& entry : extractZipEntries(std::span(data, size))) {
        if (entry.data.size() > zipMemberLimit || entry.name.empty()) std::abort();
        total += entry.data.size();
    }
    if (total > zipTotalLimit) std::abort();
    return 0;
}
