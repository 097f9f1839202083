// The geometry of one composed frame: where everything went, so input can be hit-tested
// against what the user saw. Lives for one frame.
#pragma once

namespace glyphloom {

struct Layout {
    int rows = 0;  // terminal size the frame was composed for
    int cols = 0;
    // Canvas viewport: screen position of document cell (0, 0) and the visible extent.
    int canvasTop = 0;
    int canvasLeft = 0;
    int canvasRows = 0;
    int canvasCols = 0;
};

}  // namespace glyphloom
