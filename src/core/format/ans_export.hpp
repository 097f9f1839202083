// Writing a flattened canvas as classic ANSI art (.ans: CP437 with the shortest escape
// stream our reader turns back into the same cells, plus an optional SAUCE trailer), as the
// UTF-8 companion (.utf8.ans) and as plain text (.txt). Which record to write is decided by
// the editor state; this module only formats.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/cell_grid.hpp"
#include "core/format/sauce_record.hpp"

namespace glyphloom {

// Today's date as SAUCE stores it ("yyyyMMdd", local time). Injected so output can be
// reproduced.
using SauceDateSource = std::function<std::string()>;
std::string sauceDate(std::time_t when);
std::string todaySauceDate();

// The escape stream as text, one scalar per cell, no line breaks. `blinkingText` writes
// cell blink as SGR 5; otherwise blink is dropped (SGR 5 then means a bright background).
// `mono` writes only intensity and reverse video.
std::string exportANSI(const CellGrid& doc, bool blinkingText, bool mono);

// The parameters of one colour SGR, always starting with a reset "0".
std::string ansSGRParams(const ANSIColorValue& fg, const ANSIColorValue& bg, bool blink);
std::string ansMonoSGRParams(const ANSIColorValue& fg, const ANSIColorValue& bg, bool blink);

// The complete classic file. With `writeRecord` the record (or, without one, a record built
// from title, author and group) is appended with today's date where it has none; without it
// a bare record that claims no authorship keeps the width and background mode, unless the
// canvas is 80 columns in iCE mode and needs nothing. `iceColors` absent means iCE.
std::vector<std::uint8_t> exportANSFileData(const CellGrid& doc, std::string_view title, std::string_view author,
                                            std::string_view group, const std::optional<SauceRecord>& record,
                                            bool writeRecord, std::optional<bool> iceColors, bool mono,
                                            const SauceDateSource& today = todaySauceDate);

// Cells the classic file cannot hold exactly (characters without a CP437 byte).
int ansApproximatedCellCount(const CellGrid& doc);

// Every row reset, coloured and ended by a line feed, characters in full; no blink, no record.
std::vector<std::uint8_t> exportANSIUTF8Data(const CellGrid& doc);

// The characters alone, one line per row, each ended by a line feed.
std::string exportPlainText(const CellGrid& doc);

}  // namespace glyphloom
