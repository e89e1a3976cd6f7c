// The tiled line-map file that holds coast lines and borders ("japanv.map")
// and, in the same layout, the active faults.
//
// The file is a sequence of 256-byte records, numbered from 1, every value
// little-endian:
//   record 1        header: 64 floats; h1 index records, h2/h3 south and north
//                   limits, h4 tile height, h5/h6 west and east limits, h7 tile
//                   width (degrees); the rest is not used
//   records 2..     tile index: 16-bit record numbers of the tiles (0: empty),
//                   128 per record, tiles numbered column by column from the
//                   south-west (k = (column - 1) * rows + row)
//   per tile        a segment record (w2 points, w3 coast segments, w5 segments
//                   in all, then 61 first/last point pairs), continuation
//                   records of 64 more pairs while needed, then the points as
//                   (latitude, longitude) float pairs, 32 per record
// Segments 1..w3 are coast lines, the rest borders; a segment is the polyline
// through its points first..last (numbered from 1 within the tile).
//
// The file comes from outside and is not trusted. The header is checked
// before anything else is used; a tile whose index entry, counts or records do
// not fit the file or a tile's capacity is skipped whole, and a segment whose
// point numbers do not fit its tile is skipped alone. Nothing is read outside
// the file.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace crustex {

inline constexpr int kMapRecordBytes = 256;
inline constexpr int kMapMaxRows = 18;
inline constexpr int kMapMaxColumns = 36;
inline constexpr int kMapMaxTiles = kMapMaxRows * kMapMaxColumns;  // 648
inline constexpr int kMapIndexPerRecord = 128;
inline constexpr int kMapMaxIndexRecords =
    (kMapMaxTiles + kMapIndexPerRecord - 1) / kMapIndexPerRecord;  // 6
inline constexpr int kMapTileMaxSegments = 1000;
inline constexpr int kMapTileMaxPoints = 12000;
inline constexpr int kMapPairsInSegmentRecord = 61;
inline constexpr int kMapPairsPerRecord = 64;
inline constexpr int kMapPointsPerRecord = 32;
// Record numbers are 16-bit signed integers.
inline constexpr int kMapMaxRecords = 32767;

// The header values the program uses.
struct MapHeader {
    int indexrecords = 0;        // h1, at most 6 are read
    float south = 0, north = 0;  // h2, h3
    float tileheight = 0;        // h4
    float west = 0, east = 0;    // h5, h6
    float tilewidth = 0;         // h7
    int rows = 0, columns = 0;   // (h3 - h2) / h4 and (h6 - h5) / h7
};

// A polyline through the tile's points first..last (numbered from 1). A
// segment whose numbers did not fit the tile is kept with first = 0 so that
// the numbering of the others (coast before borders) stays.
struct MapSegment {
    int first = 0, last = 0;
    bool usable() const { return first > 0; }
};

struct MapTile {
    int coastsegments = 0;  // segments [0, coastsegments) are coast lines
    std::vector<MapSegment> segments;
    std::vector<float> lat, lon;  // point n is lat[n - 1], lon[n - 1]
};

class MapFile {
public:
    enum class TileRead { Empty, Read, Damaged };

    // Reads and checks the header and reads the index from the stream, which
    // must stay alive while tiles are read. False, with the reason in
    // error(), when the file is too short or its header is refused: tile
    // sizes that are not positive numbers (or round to 0 whole degrees),
    // limits that are not numbers in ascending order, more than 18 rows or
    // 36 columns of tiles.
    bool open(std::istream& in);
    const std::string& error() const { return error_; }
    const MapHeader& header() const { return header_; }

    // Record number of tile k (1-based); 0 for an empty tile or a k beyond
    // the file's tiles.
    int tilerecord(int k) const;
    // Reads tile k. Empty: no tile there. Damaged: the tile does not fit the
    // file or a tile's capacity and is left empty. Segments with point
    // numbers outside the tile are kept unusable and counted.
    TileRead readtile(int k, MapTile& tile);
    int skippedsegments() const { return skippedsegments_; }

private:
    bool readrecords(int64_t first, int64_t count);
    bool refuse(const char* reason);

    std::istream* in_ = nullptr;
    int64_t records_ = 0;  // whole records in the file
    MapHeader header_;
    std::array<int16_t, kMapMaxTiles> index_{};
    std::vector<unsigned char> buffer_;
    std::string error_;
    int skippedsegments_ = 0;
};

}  // namespace crustex
