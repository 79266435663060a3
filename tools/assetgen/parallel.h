// Runs a per-row function over all rows of an image on every core. Rows are
// independent, so the result does not depend on the number of threads.
#pragma once

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace assetgen {

template <typename RowFunction> void parallelRows(int rows, RowFunction&& perRow) {
    const unsigned threads = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
    std::atomic<int> nextRow{0};
    auto worker = [&] {
        for (int y = nextRow++; y < rows; y = nextRow++)
            perRow(y);
    };
    std::vector<std::thread> pool;
    for (unsigned i = 1; i < threads; ++i)
        pool.emplace_back(worker);
    worker();
    for (auto& t : pool)
        t.join();
}

} // namespace assetgen
