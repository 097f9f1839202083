// ANSI art from outside, read both as CP437 and as UTF-8: reading must never crash or hang,
// the grid must stay within the cap it was given, and what was read must come back cell for
// cell through our own writers.
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
        std::string text;
        for (const ANSICell& cell : grid.row(r)) text += cell.character.str();
        if (text.find("SAUCE") != std::string::npos) return true;
    }
    return false;
}

std::string fixedDate() { return "20000101"; }

// A far cursor move legitimately builds the largest grid the cap allows; at the format's full
// 1000 x 4000 that is 64 MiB per input, which would spend the fuzzer's time on memory rather
// than on the reader. The cap is enforced by the same code at any size.
constexpr ANSGridCap fuzzCap{160, 200};

void roundTrip(const std::optional<ImportedANS>& imported, bool preferUTF8) {
    if (!imported) return;
    const CellGrid& cells = imported->cells;
    check(cells.rowCount() >= ANSLimits::minRows && cells.rowCount() <= fuzzCap.maxRows);
    const int width = cells.rowLength(0);
    check(width >= ANSLimits::minColumns && width <= fuzzCap.maxColumns);
    for (int r = 0; r < cells.rowCount(); ++r) check(cells.rowLength(r) == width);

    // Round trips of large grids (mostly empty ones made by far cursor moves) cost far more
    // under the sanitizers than they find: 20 000 cells is all the text a 16 KiB input
    // holds. Text that spells a record identifier near the end is cut on re-reading by design.
    if (static_cast<long>(cells.rowCount()) * width > 20'000 || containsRecordId(cells)) return;

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
    for (bool writeRecord : {false, true}) {
        const auto again = importANSFile(
            exportANSFileData(cells, "", "", "", imported->sauce, writeRecord, !blinking, false, fixedDate), false,
            fuzzCap);
        check(again.has_value());
        check(again->cells == cells);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto classic = importANSFile(bytes, false, fuzzCap);
    roundTrip(classic, false);
    // Most inputs are not UTF-8 and read the same either way; the classic checks already
    // include everything the UTF-8 ones would check on the same grid.
    const auto preferringUTF8 = importANSFile(bytes, true, fuzzCap);
    if (preferringUTF8 != classic) roundTrip(preferringUTF8, true);
    return 0;
}
