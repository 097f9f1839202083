// Bytes handed on piece by piece: a writer of a large document passes its text to a sink as
// it goes (normally a file being written) instead of holding all of it at once. Only the
// shapes live here; file_io supplies the file end, JsonOut the producing end.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace glyphloom {

// Takes the next piece; false when it could not (the bytes are lost, and so is the whole).
using ByteSink = std::function<bool(std::span<const std::uint8_t>)>;
// Produces everything into the sink it is given; false when it gave up or the sink refused.
using ByteProducer = std::function<bool(const ByteSink&)>;

}  // namespace glyphloom
