// A two-dimensional grid of 32-bit floats indexed (i, j), i = 0..nx, j = 0..ny.
#pragma once

#include <cstddef>
#include <vector>

namespace crustex {

// The no-value marker: a grid node or a site value holding it has no value.
inline constexpr float kNoValue = 1e30f;

// Storage is column-major: the nodes of one column i (j = 0..ny) are
// contiguous, which is the order the evaluation loops walk.
class Grid2D {
public:
    Grid2D() = default;
    Grid2D(int nx, int ny, float fill = 0.0f) { resize(nx, ny, fill); }

    // Discards the old contents and sizes the grid to (0..nx, 0..ny).
    void resize(int nx, int ny, float fill = 0.0f) {
        nx_ = nx < 0 ? 0 : nx;
        ny_ = ny < 0 ? 0 : ny;
        data_.assign(static_cast<std::size_t>(nx_ + 1) * static_cast<std::size_t>(ny_ + 1), fill);
    }
    void fill(float v) { data_.assign(data_.size(), v); }

    int nx() const { return nx_; }  // last i index
    int ny() const { return ny_; }  // last j index
    bool empty() const { return data_.empty(); }
    bool contains(int i, int j) const {
        return i >= 0 && j >= 0 && i <= nx_ && j <= ny_ && !data_.empty();
    }

    float& operator()(int i, int j) { return data_[index(i, j)]; }
    float operator()(int i, int j) const { return data_[index(i, j)]; }

    // Pointer to the first node of column i.
    float* column(int i) { return data_.data() + index(i, 0); }
    const float* column(int i) const { return data_.data() + index(i, 0); }

    std::size_t size() const { return data_.size(); }
    const std::vector<float>& values() const { return data_; }

private:
    std::size_t index(int i, int j) const {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(ny_ + 1) +
               static_cast<std::size_t>(j);
    }
    int nx_ = 0;
    int ny_ = 0;
    std::vector<float> data_;
};

}  // namespace crustex
