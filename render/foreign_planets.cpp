#include "render/foreign_planets.h"

#include <algorithm>
#include <cmath>

namespace {

// Cells per side at most; a wider galaxy gets wider cells.
constexpr float kMostCells = 256.0f;

bool isFinite(const Vec3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

} // namespace

// Cells a little wider than the capture radius: a planet within reach of a
// point then lies in the point's cell or one of its eight neighbours, even
// with the rounding of the division.
ForeignPlanets::ForeignPlanets(const Galaxy& galaxy) : reach_(galaxy.captureRadius) {
    std::vector<Vec3> foreign;
    for (const auto& planet : galaxy.planets) {
        if (planet->owner != Side::Player && isFinite(planet->position)) {
            foreign.push_back(planet->position);
        }
    }
    if (foreign.empty() || !(reach_ >= 0.0f) || !std::isfinite(reach_)) {
        return; // nothing is ever near
    }
    Vec3 low = foreign.front();
    Vec3 high = low;
    for (const Vec3& p : foreign) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    originX_ = low.x;
    originZ_ = low.z;
    const Vec3 extent = high - low;
    cellSize_ = std::max(
        {reach_ * 1.0625f, extent.x / (kMostCells - 1.0f), extent.z / (kMostCells - 1.0f), 1e-3f});
    columns_ = static_cast<int>(cellOf(high.x, originX_)) + 1;
    rows_ = static_cast<int>(cellOf(high.z, originZ_)) + 1;

    // Counted, then placed: each cell's planets lie together.
    const auto cellIndex = [this](const Vec3& p) {
        const int column = std::clamp(static_cast<int>(cellOf(p.x, originX_)), 0, columns_ - 1);
        const int row = std::clamp(static_cast<int>(cellOf(p.z, originZ_)), 0, rows_ - 1);
        return static_cast<std::size_t>(row * columns_ + column);
    };
    cellStart_.assign(static_cast<std::size_t>(columns_ * rows_) + 1, 0);
    for (const Vec3& p : foreign) {
        ++cellStart_[cellIndex(p) + 1];
    }
    for (std::size_t i = 1; i < cellStart_.size(); ++i) {
        cellStart_[i] += cellStart_[i - 1];
    }
    planets_.resize(foreign.size());
    std::vector<int> next(cellStart_.begin(), cellStart_.end() - 1);
    for (const Vec3& p : foreign) {
        planets_[static_cast<std::size_t>(next[cellIndex(p)]++)] = p;
    }
}

double ForeignPlanets::cellOf(float coordinate, float origin) const {
    return std::floor((static_cast<double>(coordinate) - origin) / cellSize_);
}

bool ForeignPlanets::isNear(const Vec3& point) const {
    if (columns_ == 0 || !isFinite(point)) {
        return false;
    }
    // Clamped before the cast, so that far points cannot overflow an int.
    const auto span = [](double cell, int cells) {
        const int at = static_cast<int>(std::clamp(cell, -2.0, static_cast<double>(cells) + 1.0));
        return std::pair{std::max(at - 1, 0), std::min(at + 1, cells - 1)};
    };
    const auto [firstColumn, lastColumn] = span(cellOf(point.x, originX_), columns_);
    const auto [firstRow, lastRow] = span(cellOf(point.z, originZ_), rows_);
    for (int row = firstRow; row <= lastRow; ++row) {
        const std::size_t first = static_cast<std::size_t>(row * columns_ + firstColumn);
        const std::size_t last = static_cast<std::size_t>(row * columns_ + lastColumn);
        for (std::size_t cell = first; cell <= last && firstColumn <= lastColumn; ++cell) {
            for (int i = cellStart_[cell]; i < cellStart_[cell + 1]; ++i) {
                if (glm::length(planets_[static_cast<std::size_t>(i)] - point) <= reach_) {
                    return true;
                }
            }
        }
    }
    return false;
}
