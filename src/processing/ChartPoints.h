#pragma once

#include <cstddef>
#include <vector>

// One line series of the chart as plain points: addressed by index and drawn in index order. The
// set-up appends points; a measurement only overwrites them, so nothing is allocated per cycle.
// The display files read and write these points too, so they need no chart.
struct ChartSeries {
    std::vector<double> x, y;
    // Only points that hold their channel's data are drawn. The others (the points after the
    // data, a hidden channel, a wavelength outside the range) keep their values for the readout
    // and the files, but a line through them would show values the channel never measured.
    std::vector<bool> drawn;

    // Appends count points at (0, 0) after the existing ones; they are not drawn.
    void appendPoints(std::size_t count);
    // Draws points 0 .. count - 1 and none after them.
    void drawFirst(std::size_t count);
    std::size_t size() const { return x.size(); }
};
