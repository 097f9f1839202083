// The non-interactive commands: rendering a document to PNG, flattening a layered document
// into a classic .ans, cutting rows out of an .ans, printing a document's characters or one
// cell, and checking a preset file. None of them touches the terminal or the settings folder;
// each reports a problem as one "glyphloom: …" line on the error stream and status 1.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "app/command_line.hpp"
#include "core/model/cell_grid.hpp"

namespace glyphloom {

// The document at `path` flattened to its cells: a layered ".glyphloom" composited at its
// own size, any other picture by the reader its name picks (classic ANSI art, UTF-8 when
// readsAsUTF8 says so, when the name is no other format's). Nothing when the file cannot be read
// or decoded; then `why`, when given, gets the reader's reason (empty when it has none).
std::optional<CellGrid> readFlattenedDoc(const std::string& path, std::string* why = nullptr);

// The preset diagnostic (--test-import-presets FILE [--reexport OUT]) when the command line
// names it with its file, else the first of --dump-doc, --dump-cell, --crop, --png and
// --flatten that has all its values. Returns the exit status, or nothing when no batch
// command applies and start-up goes on.
std::optional<int> runBatchCommand(const CommandLine& commandLine, std::FILE* out, std::FILE* err);

}  // namespace glyphloom
