#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "numeric/studyfunction.h"
#include "numeric/studyinputs.h"

namespace tessaly::numeric {

// What the Roots and Extrema scans share: the grid from a to b in N steps,
// walked by repeated addition of h, the values of f on the way, and the trap
// rule that sends the scan back to the grid point last reached after a
// tolerated failure.
class GridWalk {
protected:
    GridWalk(StudyFunction& f, const StudyInputs& in) : m_f(f), m_in(in) {}

    // Sets the grid step and x = a - h. Returns 0, 5 for a subinterval count
    // below 1 (no grid to walk), or the number of a failure computing the step.
    std::int32_t start();

    // Moves x to the next grid point; false at the end of the grid. The first
    // point of a run must lie strictly below b; a following point may be b
    // itself. A grid point beyond the largest double is past b; a step that does
    // not move x ends the grid too, and stuck() then tells so.
    bool next(bool first);
    bool stuck() const { return m_stuck; }

    // f at an abscissa, or the error number.
    std::int32_t value(double at, double& out)
    {
        const auto v = m_f.at(at);
        out = v.value;
        return v.error;
    }

    // The trap: records the number (the extension object's first) and, when it
    // is tolerated, puts x back to the grid point last reached and returns true.
    bool tolerate(std::int32_t raised)
    {
        m_error = m_f.trapped(raised);
        if (!engine::isTolerated(m_error))
            return false;
        m_x = m_lastGridX;
        return true;
    }

    // Ends a scan: its outcome takes the number that ended it (else the one the
    // trap recorded last) and where x and the grid stood.
    template <typename Outcome>
    Outcome close(Outcome& out, std::int32_t number)
    {
        if (number)
            m_error = number;
        out.error = m_error;
        out.currentX = m_x;
        return std::move(out);
    }

    StudyFunction& m_f;
    const StudyInputs& m_in;
    double m_h = 0;
    double m_x = 0;
    double m_lastGridX = 0;
    std::int32_t m_error = 0;  // the number the trap recorded last
    bool m_stuck = false;
};

// A scan of the grid that builds an outcome (rows, a label, the error, where x
// stood): how it ends is the same for Roots and Extrema; label() is what each
// writes when it reaches b.
template <typename Outcome>
class GridScan : protected GridWalk {
protected:
    using GridWalk::GridWalk;
    virtual ~GridScan() = default;
    virtual std::string label() const = 0;

    // The end of the grid: b reached (the label written), or a step that does
    // not move x (ended with 5).
    Outcome endOfGrid() { return stuck() ? ended(engine::err::InvalidCall) : finished(); }
    virtual Outcome finished()
    {
        m_out.label = label();
        return ended();
    }
    Outcome ended(std::int32_t number = 0) { return close(m_out, number); }
    // A 256th entry: the scan stops, but the label still tells the 255 listed.
    Outcome full()
    {
        m_out.tableFull = true;
        m_error = engine::err::SubscriptOutOfRange;
        return finished();
    }

    Outcome m_out;
};

}  // namespace tessaly::numeric
