#pragma once

#include <optional>
#include <vector>

#include "numeric/trust.h"

namespace tessaly::numeric {

// Watches a scan's grid values in order for what the scan itself cannot list:
// a run of grid values that are exactly 0 (one warning for the run), and a
// local minimum of |f| between two grid neighbours of the same sign whose
// parabola through the three values comes close to 0 or crosses it (a touching
// root, or two roots within one step, that no sign change shows).
class GridWatch {
public:
    // How close to 0, relative to the middle value, the parabola's vertex must
    // come. Set on bench/trust_panel's double roots and minima of |f| away from
    // 0: a vertex that must reach 0 exactly catches 8 of its 22 double roots,
    // 0.05 catches 20, 0.25 all of them without a false alarm.
    static constexpr double kTouchTolerance = 0.25;

    // A grid value; the grid point last seen again is passed over.
    void value(double x, double fx);
    // f failed at a grid point: the values on either side are not neighbours.
    void broken();
    // The warnings, in the order of the grid.
    std::vector<Warning> finish();

private:
    struct Point {
        double x;
        double f;
    };
    void endZeroRun();

    std::vector<Point> m_last;  // at most the last three neighbours
    std::optional<Point> m_zeroFrom, m_zeroTo;
    int m_zeros = 0;
    std::vector<Warning> m_warnings;
};

}  // namespace tessaly::numeric
