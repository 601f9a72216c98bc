#include "processing/ChartPoints.h"

#include <algorithm>

void ChartSeries::appendPoints(std::size_t count) {
    x.resize(x.size() + count, 0.0);
    y.resize(y.size() + count, 0.0);
    drawn.resize(drawn.size() + count, false);
}

void ChartSeries::drawFirst(std::size_t count) {
    const std::size_t shown = std::min(count, drawn.size());
    std::fill(drawn.begin(), drawn.begin() + static_cast<std::ptrdiff_t>(shown), true);
    std::fill(drawn.begin() + static_cast<std::ptrdiff_t>(shown), drawn.end(), false);
}
