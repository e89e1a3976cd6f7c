// Reading and checking the tiled line-map file.
#include "geo/mapfile.h"

#include <algorithm>
#include <cmath>

#include "geo/littleendian.h"
#include "geo/mapmath.h"

namespace crustex {

namespace {

// A tile size the tile ranges can divide by: a positive number that does not
// round to 0 whole degrees.
bool usabletilesize(float size) {
    return std::isfinite(size) && size > 0 && roundhalfeven(size) != 0;
}

// Number of tiles (rounded as an integer assignment rounds) along a side.
int tilecount(float low, float high, float size) {
    const double n = roundhalfeven((static_cast<double>(high) - low) / size);
    return n > 1e6 ? 1000000 : static_cast<int>(n);
}

}  // namespace

bool MapFile::refuse(const char* reason) {
    error_ = reason;
    in_ = nullptr;
    return false;
}

bool MapFile::readrecords(int64_t first, int64_t count) {
    if (first < 1 || count < 0 || first - 1 + count > records_) return false;
    buffer_.resize(static_cast<std::size_t>(count) * kMapRecordBytes);
    in_->clear();
    in_->seekg((first - 1) * kMapRecordBytes);
    in_->read(reinterpret_cast<char*>(buffer_.data()),
              static_cast<std::streamsize>(buffer_.size()));
    return static_cast<std::size_t>(in_->gcount()) == buffer_.size();
}

bool MapFile::open(std::istream& in) {
    in_ = &in;
    error_.clear();
    skippedsegments_ = 0;
    index_.fill(0);
    in.clear();
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return refuse("cannot be read");
    records_ = std::min<int64_t>(size / kMapRecordBytes, kMapMaxRecords);
    if (records_ < 1 || !readrecords(1, 1)) return refuse("shorter than one record");

    const unsigned char* h = buffer_.data();
    const float indexrecords = lefloat(h + 4);
    MapHeader& m = header_;
    m.south = lefloat(h + 8);
    m.north = lefloat(h + 12);
    m.tileheight = lefloat(h + 16);
    m.west = lefloat(h + 20);
    m.east = lefloat(h + 24);
    m.tilewidth = lefloat(h + 28);
    if (!usabletilesize(m.tileheight) || !usabletilesize(m.tilewidth))
        return refuse("tile size is not a positive number of degrees");
    if (!std::isfinite(m.south) || !std::isfinite(m.north) || !std::isfinite(m.west) ||
        !std::isfinite(m.east) || !(m.south < m.north) || !(m.west < m.east))
        return refuse("limits are not usable");
    m.rows = tilecount(m.south, m.north, m.tileheight);
    m.columns = tilecount(m.west, m.east, m.tilewidth);
    if (m.rows > kMapMaxRows || m.columns > kMapMaxColumns)
        return refuse("more than 18 x 36 tiles");
    if (m.rows < 1 || m.columns < 1) return refuse("limits are not usable");
    if (!std::isfinite(indexrecords) || indexrecords < 0) return refuse("index size is not usable");
    m.indexrecords = static_cast<int>(std::min<double>(roundhalfeven(indexrecords), 1000));

    // Index record r fills entries (r - 2) * 128 + 1 onwards; entries the
    // file does not hold stay 0 (empty tiles).
    const int available = static_cast<int>(std::min<int64_t>(records_ - 1, kMapMaxIndexRecords));
    const int toread = std::min(m.indexrecords, available);
    if (toread > 0 && readrecords(2, toread)) {
        const int entries = std::min(toread * kMapIndexPerRecord, kMapMaxTiles);
        for (int i = 0; i < entries; ++i) index_[i] = leint16(buffer_.data() + 2 * i);
    }
    return true;
}

int MapFile::tilerecord(int k) const {
    if (!in_ || k < 1 || k > header_.rows * header_.columns) return 0;
    return index_[k - 1];
}

MapFile::TileRead MapFile::readtile(int k, MapTile& tile) {
    tile.coastsegments = 0;
    tile.segments.clear();
    tile.lat.clear();
    tile.lon.clear();
    const int record = tilerecord(k);
    if (record == 0) return TileRead::Empty;
    // A tile lies after the header and the index, inside the file.
    if (record < 2 + std::min(header_.indexrecords, kMapMaxIndexRecords) || record > records_ ||
        !readrecords(record, 1))
        return TileRead::Damaged;

    const unsigned char* w = buffer_.data();
    const int points = leint16(w + 4);
    const int coast = leint16(w + 6);
    const int segments = leint16(w + 10);
    if (points < 0 || points > kMapTileMaxPoints || segments < 0 ||
        segments > kMapTileMaxSegments || coast < 0 || coast > segments)
        return TileRead::Damaged;
    const int continuation =
        segments > kMapPairsInSegmentRecord
            ? (segments - kMapPairsInSegmentRecord + kMapPairsPerRecord - 1) / kMapPairsPerRecord
            : 0;
    const int coordinates = (points + kMapPointsPerRecord - 1) / kMapPointsPerRecord;
    if (!readrecords(record, 1 + continuation + coordinates)) return TileRead::Damaged;

    // The pairs run on from word 6 of the segment record into the
    // continuation records, which follow it directly.
    const unsigned char* pairs = buffer_.data() + 12;
    tile.coastsegments = coast;
    tile.segments.resize(static_cast<std::size_t>(segments));
    for (int s = 0; s < segments; ++s) {
        const int first = leint16(pairs + 4 * s);
        const int last = leint16(pairs + 4 * s + 2);
        if (first >= 1 && first <= last && last <= points) {
            tile.segments[static_cast<std::size_t>(s)] = {first, last};
        } else {
            ++skippedsegments_;
        }
    }
    const unsigned char* coords =
        buffer_.data() + static_cast<std::size_t>(1 + continuation) * kMapRecordBytes;
    tile.lat.resize(static_cast<std::size_t>(points));
    tile.lon.resize(static_cast<std::size_t>(points));
    for (int p = 0; p < points; ++p) {
        tile.lat[static_cast<std::size_t>(p)] = lefloat(coords + 8 * p);
        tile.lon[static_cast<std::size_t>(p)] = lefloat(coords + 8 * p + 4);
    }
    return TileRead::Read;
}

}  // namespace crustex
