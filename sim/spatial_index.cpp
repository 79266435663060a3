#include "sim/spatial_index.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr float kShipCellSize = 0.5f;
constexpr float kPlanetCellSize = 4.0f;
constexpr int kMaxCellsPerAxis = 256;
constexpr std::size_t kFewCandidates = 24;

// Contacts and hits count within a tenth more than the sum of two radii.
constexpr float kContactSlack = 1.1f;

// Rounding of a step and of its undoing, far below any distance that matters.
constexpr float kMarginSlack = 1e-3f;

template <typename T> struct Candidate {
    std::size_t order;
    T* item;
};

// An item as filed: where it stood, so that most far ones are passed over
// without a look at the item itself.
template <typename T> struct Filed {
    std::size_t order;
    T* item;
    Vec3 position;
    float radius;
};

// Items filed on a uniform x-z grid by where they stood when it was built.
template <typename T> class CellGrid {
  public:
    template <typename ItemAt> void build(std::size_t count, ItemAt itemAt, float minCellSize) {
        width_ = 0;
        depth_ = 0;
        entries_.clear();
        if (count == 0) {
            return;
        }
        float minX = std::numeric_limits<float>::max();
        float minZ = minX;
        float maxX = std::numeric_limits<float>::lowest();
        float maxZ = maxX;
        for (std::size_t i = 0; i < count; ++i) {
            const Vec3 p = itemAt(i)->position;
            if (std::isfinite(p.x) && std::isfinite(p.z)) {
                minX = std::min(minX, p.x);
                maxX = std::max(maxX, p.x);
                minZ = std::min(minZ, p.z);
                maxZ = std::max(maxZ, p.z);
            }
        }
        if (minX > maxX) {
            minX = maxX = minZ = maxZ = 0.0f;
        }
        const float extent = std::max(maxX - minX, maxZ - minZ);
        const float cellSize =
            std::max(minCellSize, extent / static_cast<float>(kMaxCellsPerAxis - 1));
        inverseCellSize_ = 1.0f / cellSize;
        originX_ = minX;
        originZ_ = minZ;
        width_ = static_cast<int>((maxX - minX) * inverseCellSize_) + 1;
        depth_ = static_cast<int>((maxZ - minZ) * inverseCellSize_) + 1;

        cellStart_.assign(static_cast<std::size_t>(width_ * depth_) + 1, 0);
        cellOfItem_.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            cellOfItem_[i] = cellAt(itemAt(i)->position);
            ++cellStart_[static_cast<std::size_t>(cellOfItem_[i]) + 1];
        }
        for (std::size_t c = 1; c < cellStart_.size(); ++c) {
            cellStart_[c] += cellStart_[c - 1];
        }
        cursor_.assign(cellStart_.begin(), cellStart_.end() - 1);
        entries_.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            T* item = itemAt(i);
            const auto slot =
                static_cast<std::size_t>(cursor_[static_cast<std::size_t>(cellOfItem_[i])]++);
            entries_[slot] = {i, item, item->position, item->radius};
        }
    }

    // How many cells a lookup of this size looks at.
    std::size_t cellsCovered(Vec3 point, float reach) const {
        if (width_ == 0) {
            return 0;
        }
        const int columns = column(point.x + reach) - column(point.x - reach) + 1;
        const int rows = row(point.z + reach) - row(point.z - reach) + 1;
        return static_cast<std::size_t>(columns * rows);
    }

    // Appends the items filed in the cells within `reach` of the point on x
    // and z that `accept` lets through.
    template <typename Accept>
    void query(Vec3 point, float reach, Accept accept, std::vector<Candidate<T>>& out) const {
        if (width_ == 0) {
            return;
        }
        const int x0 = column(point.x - reach);
        const int x1 = column(point.x + reach);
        const int z0 = row(point.z - reach);
        const int z1 = row(point.z + reach);
        for (int z = z0; z <= z1; ++z) {
            const auto rowStart = static_cast<std::size_t>(z * width_);
            const int first = cellStart_[rowStart + static_cast<std::size_t>(x0)];
            const int last = cellStart_[rowStart + static_cast<std::size_t>(x1) + 1];
            for (int e = first; e < last; ++e) {
                const Filed<T>& entry = entries_[static_cast<std::size_t>(e)];
                if (accept(entry)) {
                    out.push_back({entry.order, entry.item});
                }
            }
        }
    }

  private:
    static int clampedCell(float offset, float inverseCellSize, int cells) {
        const float f = offset * inverseCellSize;
        if (!(f >= 0.0f)) {
            return 0; // below the grid, or not a number
        }
        if (f >= static_cast<float>(cells - 1)) {
            return cells - 1;
        }
        return static_cast<int>(f);
    }
    int column(float x) const { return clampedCell(x - originX_, inverseCellSize_, width_); }
    int row(float z) const { return clampedCell(z - originZ_, inverseCellSize_, depth_); }
    int cellAt(Vec3 p) const { return row(p.z) * width_ + column(p.x); }

    float inverseCellSize_ = 1.0f;
    float originX_ = 0.0f;
    float originZ_ = 0.0f;
    int width_ = 0;
    int depth_ = 0;
    std::vector<int> cellStart_;
    std::vector<Filed<T>> entries_;
    std::vector<int> cellOfItem_;
    std::vector<int> cursor_;
};

struct ShipSideIndex {
    const ShipList* list = nullptr;
    std::size_t indexed = 0;
    CellGrid<Ship> grid;
};

struct IndexState {
    bool enabled = true;
    bool walking = false;
    float margin = 0.0f; // how far an indexed ship may have moved since
    float largestShipRadius = 0.0f;
    float largestPlanetRadius = 0.0f;
    ShipSideIndex sides[2]; // computer, player
    std::size_t planetCount = 0;
    CellGrid<Planet> planets;
    std::vector<Candidate<Ship>> shipScratch;
    std::vector<Candidate<Planet>> planetScratch;
};

IndexState& state() {
    static IndexState instance;
    return instance;
}

void indexSide(ShipSideIndex& side, const ShipList& list) {
    side.list = &list;
    side.indexed = list.size();
    side.grid.build(
        list.size(), [&list](std::size_t i) { return list[i].get(); }, kShipCellSize);
}

template <typename T>
void emitInOrder(std::vector<Candidate<T>>& candidates, std::vector<T*>& out) {
    const auto byOrder = [](const Candidate<T>& a, const Candidate<T>& b) {
        return a.order < b.order;
    };
    if (candidates.size() > kFewCandidates) {
        std::sort(candidates.begin(), candidates.end(), byOrder);
    } else {
        for (std::size_t i = 1; i < candidates.size(); ++i) {
            const Candidate<T> moving = candidates[i];
            std::size_t j = i;
            for (; j > 0 && byOrder(moving, candidates[j - 1]); --j) {
                candidates[j] = candidates[j - 1];
            }
            candidates[j] = moving;
        }
    }
    for (const Candidate<T>& candidate : candidates) {
        out.push_back(candidate.item);
    }
}

template <typename List>
void emitAll(const List& list, std::vector<typename List::value_type::element_type*>& out) {
    for (const auto& item : list) {
        out.push_back(item.get());
    }
}

} // namespace

void setSpatialIndexEnabled(bool enabled) {
    state().enabled = enabled;
}

bool spatialIndexEnabled() {
    return state().enabled;
}

void beginIndexedWalk(double dt) {
    IndexState& s = state();
    const Galaxy& g = galaxy();
    s.walking = false;
    if (!s.enabled || !std::isfinite(dt)) {
        return;
    }
    float fastest = 0.0f;
    s.largestShipRadius = 0.0f;
    for (const ShipList* list : {&g.computerShips, &g.playerShips}) {
        for (const ShipRef& ship : *list) {
            fastest = std::max(fastest, std::abs(ship->speed));
            s.largestShipRadius = std::max(s.largestShipRadius, ship->radius);
        }
    }
    s.margin = static_cast<float>(fastest * std::abs(dt)) * 1.01f + kMarginSlack;
    indexSide(s.sides[0], g.computerShips);
    indexSide(s.sides[1], g.playerShips);

    s.planetCount = g.planets.size();
    s.largestPlanetRadius = 0.0f;
    for (const auto& planet : g.planets) {
        s.largestPlanetRadius = std::max(s.largestPlanetRadius, planet->radius);
    }
    s.planets.build(
        g.planets.size(), [&g](std::size_t i) { return g.planets[i].get(); }, kPlanetCellSize);
    s.walking = true;
}

void endIndexedWalk() {
    state().walking = false;
}

void shipsNear(bool playerSide, Vec3 point, float reach, std::vector<Ship*>& out) {
    out.clear();
    IndexState& s = state();
    const ShipList& list = shipsOfSide(playerSide);
    const ShipSideIndex& side = s.sides[playerSide ? 1 : 0];
    const float box = reach + s.largestShipRadius + s.margin;
    // A lookup that spans more cells than there are ships gains nothing over
    // the whole list.
    if (!s.walking || side.list != &list || list.size() < side.indexed ||
        (box > 2.0f && side.grid.cellsCovered(point, box) >= list.size())) {
        emitAll(list, out);
        return;
    }
    // Indexed ships may have moved by up to the margin since they were filed;
    // ships spawned since the walk began are checked where they stand now.
    std::vector<Candidate<Ship>>& candidates = s.shipScratch;
    candidates.clear();
    side.grid.query(
        point, box,
        [point, box](const Filed<Ship>& entry) {
            return std::abs(entry.position.x - point.x) <= box &&
                   std::abs(entry.position.z - point.z) <= box;
        },
        candidates);
    for (std::size_t k = side.indexed; k < list.size(); ++k) {
        Ship* ship = list[k].get();
        const float late = reach + ship->radius;
        if (std::abs(ship->position.x - point.x) <= late &&
            std::abs(ship->position.z - point.z) <= late) {
            candidates.push_back({k, ship});
        }
    }
    emitInOrder(candidates, out);
}

void planetsNear(Vec3 point, float reach, std::vector<Planet*>& out) {
    out.clear();
    IndexState& s = state();
    const Galaxy& g = galaxy();
    if (!s.walking || g.planets.size() != s.planetCount) {
        emitAll(g.planets, out);
        return;
    }
    std::vector<Candidate<Planet>>& candidates = s.planetScratch;
    candidates.clear();
    s.planets.query(
        point, reach + s.largestPlanetRadius,
        [point, reach](const Filed<Planet>& entry) {
            const Vec3 d = entry.position - point;
            const float box = entry.radius + reach;
            return std::abs(d.x) <= box && std::abs(d.z) <= box &&
                   std::abs(d.y) <= kContactSlack * box;
        },
        candidates);
    emitInOrder(candidates, out);
}
