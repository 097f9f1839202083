// Fuzzes the ZIP reader with arbitrary archives. Aborts when a member comes back larger than
// the per-member cap, the members together exceed the total cap, or a member is left out
// without a name and a reason.
#include <cstdlib>

#include "core/codec/zip.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace glyphloom;
    std::size_t total = 0;
    const ZipContents contents = readZipArchive(std::span(data, size));
    for (const ZipEntry& entry : contents.entries) {
        if (entry.data.size() > zipMemberLimit || entry.name.empty()) std::abort();
        total += entry.data.size();
    }
    for (const SkippedZipMember& member : contents.skipped)
        if (member.name.empty() || member.name.back() == '/' || member.reason.empty()) std::abort();
    if (total > zipTotalLimit) std::abort();
    return 0;
}
