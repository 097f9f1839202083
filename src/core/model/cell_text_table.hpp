// The session-wide table behind cells whose character is a cluster of several scalars. It
// is bounded and never forgets, so once it is full a new cluster cannot be kept: it becomes
// U+FFFD. Whoever opens a document compares the count of such losses before and after, and
// refuses the document rather than open it with characters replaced.
#pragma once

#include <cstddef>
#include <cstdint>

namespace glyphloom {

// How many well-formed clusters became U+FFFD because the table was full, this session.
std::uint64_t cellClustersLost();

// Moves the table's bound (never below what it holds); tests use it to fill the table.
void setCellTextCapacity(std::size_t capacity);
std::size_t cellTextCount();

}  // namespace glyphloom
