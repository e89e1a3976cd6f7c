// Cutting one contour cell into the faces between its levels.
//
// The cell is cut along the straight pieces the contour lines draw through
// it (contourcell.h), with their ends moved to the crossings as both cells
// that share a side compute them, so faces of neighbouring cells meet at
// exactly the same points. The cell's boundary is walked as a loop
// parameter u in 0..4 (side k from corner k to corner k + 1); the pieces
// never cross, so every face is found by walking the boundary and jumping
// along each piece met. All faces turn the same way as the cell's corners
// (south-west, north-west, north-east, south-east).
#pragma once

#include <vector>

#include "plot/contourcell.h"

namespace crustex {

// The crossing of level t on a side as both cells that share the side find
// it: interpolated from the side's west or south end (the lines may differ
// from it in the last bit).
FramePoint sharedcrossing(const ContourCell& cell, int side, float t);

// One face of a cut cell.
struct CellFace {
    std::vector<FramePoint> points;
    float area = 0;
    float sample = 0;  // a value on the face's boundary, inside its band
};

class CellCutter {
public:
    // Adds a piece (its ends on the cell's sides); a piece along a side or
    // of no length cuts nothing and is left out.
    void addpiece(const ContourCell& cell, const LevelSegment& piece);
    bool empty() const { return nodes_.empty(); }
    void clear() { nodes_.clear(); }

    // The faces of the cell cut by the pieces added. False when the pieces
    // do not cut the cell into faces that tile it (values exactly on levels
    // along a flat side, rounding): the caller then fills the cell whole.
    bool cut(const ContourCell& cell, std::vector<CellFace>& faces);

private:
    struct Node {
        float u = 0;
        FramePoint p;
        int partner = -1;  // index of the other end of its piece, -1 for a corner
    };
    void buildloop(const ContourCell& cell);
    bool traceface(const ContourCell& cell, std::size_t start, CellFace& f);

    std::vector<Node> nodes_;  // the pieces' ends, in pairs
    std::vector<Node> loop_, sorted_;
    std::vector<std::size_t> order_, where_;
    std::vector<bool> visited_;
};

}  // namespace crustex
