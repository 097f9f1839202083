// The editor state: the document and everything the interface remembers between frames.
// One instance lives for the whole session, owned by the main loop and passed by reference.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/layer.hpp"

namespace glyphloom {

struct AppState {
    // The canvas size in cells, shared by every document operation.
    static inline int docRows = 50;
    static inline int docCols = 160;

    AppState();

    // Document.
    std::vector<Layer> layers;
    int activeLayerIndex = 0;
    bool dirty = false;
    std::string filename = "Untitled";

    // Status line.
    std::optional<std::string> statusNote;

    // Lifecycle.
    bool quitArmed = false;
    bool shouldQuit = false;

    // The document as shown: all visible layers flattened to the canvas size.
    CellGrid composited() const;
};

}  // namespace glyphloom
