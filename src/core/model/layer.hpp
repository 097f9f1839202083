// One layer of a document and the compositing of a layer stack into one flat grid.
// Index 0 of a stack is the top (painted last); the last index is the bottom.
#pragma once

#include <string>
#include <vector>

#include "core/model/cell_grid.hpp"
#include "core/model/uuid.hpp"

namespace glyphloom {

// Files may mark a layer as a terminal layer with a shell; the editor keeps that through
// load and save but attaches no behaviour to it.
struct LayerKind {
    enum class Kind { terminal, drawing };

    static LayerKind drawing() { return {}; }
    static LayerKind terminal(std::string shellPath) { return {Kind::terminal, std::move(shellPath)}; }

    Kind kind = Kind::drawing;
    std::string shellPath;  // terminal only

    friend bool operator==(const LayerKind& a, const LayerKind& b) {
        return a.kind == b.kind && (a.kind == Kind::drawing || a.shellPath == b.shellPath);
    }
};

// How far a layer may be shifted either way. Far past any canvas, yet small enough that
// offset arithmetic can never overflow whatever a file claims.
inline constexpr int maxLayerOffset = 10'000;
constexpr int clampedLayerOffset(long long offset) {
    return static_cast<int>(offset < -maxLayerOffset ? -maxLayerOffset : offset > maxLayerOffset ? maxLayerOffset : offset);
}

struct Layer {
    Uuid id;
    std::string name;
    bool visible = true;
    CellGrid cells;
    int rowOffset = 0;  // positive moves the layer down; within ±maxLayerOffset
    int colOffset = 0;  // positive moves the layer right; within ±maxLayerOffset
    LayerKind kind;
    bool historyEnabled = false;

    Layer() = default;
    // A fresh visible drawing layer with a new random id and no offsets.
    Layer(std::string name, CellGrid cells);

    friend bool operator==(const Layer&, const Layer&) = default;
};

// Flattens a stack into exactly `rows` × `columns` cells: bottom layer first, hidden layers
// skipped, transparent cells (see isTransparent) letting the layers below show through.
CellGrid compositeLayers(const std::vector<Layer>& layers, int rows, int columns);

// Composites canvas row `row` into `target` (as wide as the canvas, already holding what lies
// beneath every layer, normally blanks): the same rule as compositeLayers, one row at a time.
void compositeRowInto(const std::vector<Layer>& layers, int row, CellGrid::Row& target);

// The composite of one canvas position, without building the whole grid: the topmost
// visible cell there that is not transparent, else the blank cell.
ANSICell compositedCellAt(const std::vector<Layer>& layers, int row, int col);

}  // namespace glyphloom
