// SAUCE trailers from outside: reading must never crash, offsets must stay inside the file,
// and a record we read must come back unchanged through our writer and the JSON coding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/format/sauce_record.hpp"

using namespace glyphloom;

namespace {
void check(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto found = readSauce(std::span<const std::uint8_t>(data, size));
    if (!found) return 0;
    check(found->recordStart + 128 == size);
    check(found->bodyEnd <= found->recordStart);
    check(found->record.comments.size() <= 255);

    // Blank comment lines are not written; everything else survives exactly.
    SauceRecord expected = found->record;
    std::erase(expected.comments, std::string());
    const auto again = readSauce(sauceRecordData(found->record, static_cast<std::uint32_t>(found->bodyEnd)));
    check(again.has_value());
    check(again->record == expected);

    check(sauceRecordFromJSON(sauceRecordJSON(found->record)) == found->record);
    return 0;
}
