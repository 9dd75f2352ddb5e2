#include "numeric/commandwatch.h"

#include <algorithm>
#include <cstring>

namespace tessaly::numeric {

void CommandWatch::advance(double fraction) noexcept
{
    if (!(fraction > 0))
        return;  // also NaN
    fraction = std::min(fraction, 1.0);
    double now = m_fraction.load(std::memory_order_relaxed);
    while (fraction > now && !m_fraction.compare_exchange_weak(now, fraction, std::memory_order_relaxed)) {
    }
}

void CommandWatch::reset() noexcept
{
    m_cancelled.store(false, std::memory_order_relaxed);
    m_fraction.store(0, std::memory_order_relaxed);
}

// What a watched f and its twins share: the watch, the scale and the count of
// values computed.
struct WatchedFunction::Shared {
    Shared(CommandWatch& w, const ProgressScale& s) : watch(w), scale(s) {}
    CommandWatch& watch;
    ProgressScale scale;
    std::atomic<std::uint64_t> values{0};
};

namespace {
// Values counted by one function before they are added to the shared count.
constexpr std::size_t kCountBatch = 1024;
}  // namespace

WatchedFunction::WatchedFunction(StudyFunction& f, CommandWatch& watch, const ProgressScale& scale)
    : m_f(f), m_shared(std::make_shared<Shared>(watch, scale))
{
}

WatchedFunction::WatchedFunction(std::unique_ptr<StudyFunction> own, std::shared_ptr<Shared> shared)
    : m_own(std::move(own)), m_f(*m_own), m_shared(std::move(shared))
{
}

WatchedFunction::~WatchedFunction() = default;

void WatchedFunction::count(double x, std::size_t values)
{
    const ProgressScale& scale = m_shared->scale;
    if (scale.kind == ProgressScale::Kind::Interval) {
        // Only the function the command asks (not a twin) tells where it is.
        if (!m_own && scale.upper != scale.lower)
            m_shared->watch.advance((x - scale.lower) / (scale.upper - scale.lower));
        return;
    }
    m_pending += values;
    if (m_pending < kCountBatch)
        return;
    const auto total = m_shared->values.fetch_add(m_pending, std::memory_order_relaxed) + m_pending;
    m_pending = 0;
    m_shared->watch.advance(static_cast<double>(total) / scale.work);
}

engine::FunctionValue WatchedFunction::at(double x)
{
    if (m_shared->watch.cancelled())
        throw Cancelled{};
    count(x, 1);
    return m_f.at(x);
}

void WatchedFunction::tabulate(const double* xs, std::size_t n, double* values, std::uint8_t* known)
{
    for (std::size_t from = 0; from < n; from += kBlock) {
        const std::size_t size = std::min(kBlock, n - from);
        if (m_shared->watch.cancelled()) {
            // Left to at(), which stops the command when their turn comes.
            std::memset(known + from, 0, n - from);
            return;
        }
        m_f.tabulate(xs + from, size, values + from, known + from);
        // Only the values computed count, up to the last of them.
        std::size_t computed = 0, last = 0;
        for (std::size_t k = from; k < from + size; ++k)
            if (known[k]) {
                ++computed;
                last = k;
            }
        if (computed)
            count(xs[last], computed);
    }
}

std::unique_ptr<StudyFunction> WatchedFunction::twin() const
{
    auto twin = m_f.twin();
    if (!twin)
        return nullptr;
    return std::unique_ptr<StudyFunction>(new WatchedFunction(std::move(twin), m_shared));
}

}  // namespace tessaly::numeric
