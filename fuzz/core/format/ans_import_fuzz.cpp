// ANSI art from outside, read both as CP437 and as UTF-8: reading must never crash or hang,
// the grid must stay within the cap it was given, and what was read must come back cell for
// cell through our own writers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "core/format/ans_export.hpp"
#include "core/format/ans_import.hpp"

using namespace glyphloom;

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool anyCell(const CellGrid& grid, bool (*test)(const ANSICell&)) {
    for (int r = 0; r < grid.rowCount(); ++r)
        for (const ANSICell& cell : grid.row(r))
            if (test(cell)) return true;
    return false;
}

bool containsRecordId(const CellGrid& grid) {
    for (int r = 0; r < grid.rowCount(); ++r) {
        // Only a cell that is "S" or holds several scalars (or none) can start the word:
        // rows without one are passed over without building their text.
        const auto& cells = grid.row(r);
        if (std::none_of(cells.begin(), cells.end(), [](const ANSICell& cell) {
                return cell.character == CellChar::fromScalar(U'S') || !cell.character.scalar();
            }))
            continue;
        std::string text;
        for (const ANSICell& cell : grid.row(r)) text += cell.character.str();
        if (text.find("SAUCE") != std::string::npos) return true;
    }
    return false;
}

std::string fixedDate() { return "20000101"; }

// A far cursor move legitimately builds the largest grid the cap allows, and every round trip
// below writes and re-reads all of its cells, mostly blanks: most of the fuzzer's time went
// there rather than into the reader. The cap is enforced by the same code at any size (the
// format's own bound has its unit test); 100 columns keep the over-wide rule (re-read at 80)
// in play.
constexpr ANSGridCap fuzzCap{100, 40};

// `withRecord` picks which of the two classic forms is written back: each input checks one,
// and the input's own bytes decide which, so both are covered at half the cost.
void roundTrip(const std::optional<ImportedANS>& imported, bool preferUTF8, bool withRecord) {
    if (!imported) return;
    const CellGrid& cells = imported->cells;
    check(cells.rowCount() >= ANSLimits::minRows && cells.rowCount() <= fuzzCap.maxRows);
    const int width = cells.rowLength(0);
    check(width >= ANSLimits::minColumns && width <= fuzzCap.maxColumns);
    for (int r = 0; r < cells.rowCount(); ++r) check(cells.rowLength(r) == width);

    // Every grid within the cap goes round (4000 cells at most). Text that spells a record
    // identifier near the end is cut on re-reading by design.
    if (containsRecordId(cells)) return;

    const auto utf8 = importANSFile(exportANSIUTF8Data(cells), true, fuzzCap);
    check(utf8.has_value());
    CellGrid withoutBlink = cells;
    for (int r = 0; r < cells.rowCount(); ++r)
        for (ANSICell& cell : withoutBlink.mutableRow(r)) cell.blink = false;
    check(utf8->cells == withoutBlink);

    // Classic files hold CP437 only, and blinking text has no bright backgrounds.
    if (preferUTF8) return;
    const bool blinking = anyCell(cells, [](const ANSICell& c) { return c.blink; });
    if (blinking && anyCell(cells, [](const ANSICell& c) { return c.background.isANSI16() && c.background.n >= 8; }))
        return;
    const auto again = importANSFile(
        exportANSFileData(cells, "", "", "", imported->sauce, withRecord, !blinking, false, fixedDate), false, fuzzCap);
    check(again.has_value());
    check(again->cells == cells);
}

}  // namespace

// ASan holds 256 MiB of freed memory by default before reusing any; every input here frees a
// few grids, so the default keeps faulting in fresh pages. A use after free within one input
// (or the next several hundred) is still caught.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=32"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const bool withRecord = size > 0 && (data[size / 2] & 1) != 0;
    const auto classic = importANSFile(bytes, false, fuzzCap);
    roundTrip(classic, false, withRecord);
    // Most inputs are not UTF-8 and read the same either way; the classic checks already
    // include everything the UTF-8 ones would check on the same grid.
    const auto preferringUTF8 = importANSFile(bytes, true, fuzzCap);
    if (preferringUTF8 != classic) roundTrip(preferringUTF8, true, withRecord);
    // The open path's choice of encoding reads the same bytes: UTF-8 only for art without a
    // record that has multi-byte characters before its end-of-file mark.
    if (readsAsUTF8("art.ans", bytes)) {
        check(!readSauce(bytes));
        const auto mark = std::find(bytes.begin(), bytes.end(), 0x1A);
        check(std::any_of(bytes.begin(), mark, [](std::uint8_t b) { return b >= 0x80; }));
    }
    return 0;
}
