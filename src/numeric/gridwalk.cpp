#include "numeric/gridwalk.h"

#include <algorithm>
#include <cmath>

#include "engine/errors.h"
#include "engine/steps.h"

namespace tessaly::numeric {

std::int32_t GridWalk::start()
{
    if (m_in.subintervals < 1)
        return engine::err::InvalidCall;
    engine::Steps s;
    m_h = s.div(s.sub(m_in.upper, m_in.lower), m_in.subintervals);
    m_x = s.sub(m_in.lower, m_h);
    if (s.failed())
        return m_f.trapped(s.error());
    // The grid points next() reaches, by the same additions (a point or two
    // beyond where the scan ends costs nothing but its value).
    m_table.follow(
        [x = m_x, h = m_h, upper = m_in.upper, probes = m_probes, done = false](double* out, std::size_t max) mutable {
            // (x and done in locals: a store to out could change a member,
            // which would then be read again after each one.)
            double at = x;
            bool end = done;
            std::size_t n = 0;
            while (!end && n + std::max<std::size_t>(probes.size(), 1) <= max) {
                const double next = at + h;
                end = !std::isfinite(next) || next == at || next > upper;
                at = next;
                if (end)
                    break;
                if (probes.empty())
                    out[n++] = at;
                for (const double p : probes)
                    out[n++] = at + p;
            }
            x = at;
            done = end;
            return n;
        });
    return 0;
}

bool GridWalk::next(bool first)
{
    const double next = m_x + m_h;
    if (!std::isfinite(next))
        return false;
    const bool moved = next != m_x;
    m_x = next;
    m_lastGridX = next;
    if (first ? !(next < m_in.upper) : next > m_in.upper)
        return false;
    m_stuck = !moved;
    return moved;
}

}  // namespace tessaly::numeric
