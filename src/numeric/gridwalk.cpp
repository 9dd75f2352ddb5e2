#include "numeric/gridwalk.h"

#include <cmath>

#include "engine/arithmetic.h"
#include "engine/errors.h"

namespace tessaly::numeric {

std::int32_t GridWalk::start()
{
    if (m_in.subintervals < 1)
        return engine::err::InvalidCall;
    double span = 0;
    if (const auto e = engine::num::sub(m_in.upper, m_in.lower, span))
        return m_f.trapped(e);
    if (const auto e = engine::num::div(span, m_in.subintervals, m_h))
        return m_f.trapped(e);
    if (const auto e = engine::num::sub(m_in.lower, m_h, m_x))
        return m_f.trapped(e);
    return 0;
}

GridWalk::Advance GridWalk::advance(bool first)
{
    const double next = m_x + m_h;
    if (!std::isfinite(next))
        return Advance::PastEnd;
    const bool moved = next != m_x;
    m_x = next;
    m_lastGridX = next;
    if (first ? !(next < m_in.upper) : next > m_in.upper)
        return Advance::PastEnd;
    return moved ? Advance::Moved : Advance::Stuck;
}

}  // namespace tessaly::numeric
