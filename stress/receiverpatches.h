// Receiver faults cut into patches: each receiver (model/stressmodel.h: an
// upper edge from its first end to its second, dipping to the right of it)
// is split into n x m patches, n along strike and m down dip, and every
// patch carries its centre and corners in the model frame (km, X east,
// Y north, depth down +) and its orientation (degrees).
//
// Patches are numbered within their receiver row by row from the upper
// edge down, each row from the first end to the second: patch k (0-based)
// is the (k % n)-th along strike of the (k / n)-th row down dip.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/stressmodel.h"
#include "model/workstate.h"

namespace crustex {

// How each receiver is split: along strike x down dip, each at least 1.
struct ReceiverSplit {
    int along = 1;
    int down = 1;

    bool operator==(const ReceiverSplit&) const = default;
};

// The most patches one receiver may be split into, and the most patches
// of all receivers together that one evaluation takes.
inline constexpr int kMaxSplitPatches = 10000;
inline constexpr std::size_t kMaxReceiverPatches = 4000000;

struct ReceiverPatch {
    uint32_t receiver = 0;  // position of its receiver in the list (0-based)
    uint32_t patch = 0;     // position within the receiver (0-based, see above)
    float x = 0, y = 0;     // centre (km)
    float depth = 0;        // depth of the centre (km, down +)
    float strike = 0;       // degrees clockwise from the model's Y axis, 0..360
    float dip = 0;          // degrees
    float rake = 0;         // degrees: the receiver's, or the user's
    // Corners: upper edge first end, upper edge second end, lower edge
    // second end, lower edge first end.
    std::array<float, 4> cx{}, cy{}, cdepth{};
    // The strike direction (sine and cosine of the strike) in 64-bit.
    double sinstrike = 0, cosstrike = 1;
};

// Why a receiver cannot be split, or nullptr when it can: a value that is
// not finite, an upper edge without length, a width not above 0, a dip
// outside 0..90 or a top above the surface.
const char* receiverproblem(const ReceiverFault& r);

// The patches of every usable receiver in list order; `skipped` (when given)
// counts the receivers left out. A receiver's NaN rake takes `userrake`.
std::vector<ReceiverPatch> splitreceivers(std::span<const ReceiverFault> receivers,
                                          const ReceiverSplit& split, float userrake,
                                          std::size_t* skipped = nullptr);

// The work's sources as receivers, in table order: every fault (inflation
// points left out) with its own rake and the name "source k" (k its number
// in the table).
std::vector<ReceiverFault> sourcereceivers(const WorkState& ws);

}  // namespace crustex
