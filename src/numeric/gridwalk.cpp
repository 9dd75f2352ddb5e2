#include "numeric/gridwalk.h"

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
    return s.failed() ? m_f.trapped(s.error()) : 0;
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
