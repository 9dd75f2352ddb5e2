#include "numeric/tabulation.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tessaly::numeric {
namespace {

bool same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// The entries kept from the table before when it is refilled: a command may
// ask again for the last two values it was given.
constexpr std::size_t kKept = 2;

// A run of entries to compute, shared out in blocks: whoever takes a block
// (the calling thread or a helper) computes it and counts it done. Each block
// is written by the one thread that took it, and read by the calling thread
// only once every block is done.
struct Job {
    static constexpr std::size_t kBlock = 2048;
    const double* xs;
    double* values;
    std::uint8_t* known;
    std::size_t count;
    std::atomic<std::size_t> next{0};  // the first value of the next block to take
    std::atomic<std::size_t> done{0};  // values computed

    // Takes and computes blocks with f until none is left; true when it
    // computed the last values.
    bool work(StudyFunction& f)
    {
        bool last = false;
        for (;;) {
            const std::size_t start = next.fetch_add(kBlock);
            if (start >= count)
                return last;
            const std::size_t n = std::min(kBlock, count - start);
            f.tabulate(xs + start, n, values + start, known + start);
            last = done.fetch_add(n, std::memory_order_acq_rel) + n == count;
        }
    }
};

}  // namespace

Tabulation::Tabulation(StudyFunction& f, const Parallelism& parallelism)
    : m_f(f),
      m_parallelism(parallelism),
      m_threads(parallelism.threads ? parallelism.threads : std::max(1u, std::thread::hardware_concurrency()))
{
}

void Tabulation::follow(Abscissae abscissae)
{
    m_next = std::move(abscissae);
    m_size = 0;
    m_cursor = 0;
    m_chunk = kFirstChunk / 2;
}

// The next abscissae and their values, after the last kKept entries of the
// table before. (The arrays only grow: their elements are written before they
// are read.)
void Tabulation::refill()
{
    const std::size_t keep = std::min(kKept, m_size);
    std::copy(m_xs.begin() + static_cast<std::ptrdiff_t>(m_size - keep),
              m_xs.begin() + static_cast<std::ptrdiff_t>(m_size), m_xs.begin());
    std::copy(m_values.begin() + static_cast<std::ptrdiff_t>(m_size - keep),
              m_values.begin() + static_cast<std::ptrdiff_t>(m_size), m_values.begin());
    std::copy(m_known.begin() + static_cast<std::ptrdiff_t>(m_size - keep),
              m_known.begin() + static_cast<std::ptrdiff_t>(m_size), m_known.begin());
    m_size = m_cursor = keep;
    // Short sequences (a scan's grid) take small tables; long ones double the
    // table up to kChunk.
    m_chunk = std::min(kChunk, m_chunk * 2);
    if (m_xs.size() < keep + m_chunk) {
        m_xs.resize(keep + m_chunk);
        m_values.resize(keep + m_chunk);
        m_known.resize(keep + m_chunk);
    }
    const std::size_t count = m_next(m_xs.data() + keep, m_chunk);
    if (count == 0) {
        m_next = nullptr;
        return;
    }
    compute(keep, count);
    m_size = keep + count;
}

// Threads that live as long as the tabulation, each with its twin of f, and
// wait for jobs. A helper that wakes late finds a job's blocks all taken (the
// calling thread takes them too, and does not wait for a helper that has not
// started), so a busy machine only loses the helpers' share.
class Tabulation::Helpers {
public:
    explicit Helpers(std::vector<std::unique_ptr<StudyFunction>> twins)
    {
        for (auto& twin : twins)
            m_threads.emplace_back([this, t = std::move(twin)] { serve(*t); });
    }
    ~Helpers()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_threads.clear();  // joins
    }

    void run(StudyFunction& f, const std::shared_ptr<Job>& job)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_job = job;
        }
        m_wake.notify_all();
        job->work(f);
        std::unique_lock lock(m_mutex);
        m_finished.wait(lock, [&] { return job->done.load(std::memory_order_acquire) == job->count; });
        m_job.reset();
    }

private:
    void serve(StudyFunction& twin)
    {
        std::shared_ptr<Job> last;
        for (;;) {
            std::shared_ptr<Job> job;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [&] { return m_stop || (m_job && m_job != last); });
                if (m_stop)
                    return;
                job = last = m_job;
            }
            if (job->work(twin)) {
                const std::lock_guard lock(m_mutex);
                m_finished.notify_all();
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake, m_finished;
    std::shared_ptr<Job> m_job;  // the job being shared out, if any
    bool m_stop = false;
    std::vector<std::jthread> m_threads;
};

Tabulation::~Tabulation() = default;

// The values of a run of entries: on this thread with f itself, whose tabulate
// has no effects, together with helper threads each with a twin of f (see
// EngineFunction::twin) when the run is long enough.
void Tabulation::compute(std::size_t from, std::size_t count)
{
    const double* xs = m_xs.data() + from;
    double* values = m_values.data() + from;
    std::uint8_t* known = m_known.data() + from;
    if (count >= m_parallelism.minimum && m_threads > 1 && !m_helpers && !m_twinless) {
        std::vector<std::unique_ptr<StudyFunction>> twins;
        for (unsigned t = 1; t < m_threads && !m_twinless; ++t) {
            twins.push_back(m_f.twin());
            m_twinless = twins.back() == nullptr;
        }
        if (!m_twinless)
            m_helpers = std::make_unique<Helpers>(std::move(twins));
    }
    if (count < m_parallelism.minimum || !m_helpers) {
        m_f.tabulate(xs, count, values, known);
        return;
    }
    auto job = std::make_shared<Job>();
    job->xs = xs;
    job->values = values;
    job->known = known;
    job->count = count;
    m_helpers->run(m_f, job);
}

engine::FunctionValue Tabulation::at(double x)
{
    if (m_cursor >= m_size && m_next)
        refill();
    // The next entry, or one of the two before it asked for again.
    for (std::size_t back = 0; back <= kKept && back <= m_cursor; ++back) {
        const std::size_t k = m_cursor - back;
        if (k >= m_size || !same(m_xs[k], x))
            continue;
        m_cursor = k + 1;
        if (!m_known[k])
            break;  // left open: f itself, now
        m_lastFromTable = true;
        m_lastX = x;
        return {m_values[k], 0};
    }
    m_lastFromTable = false;
    return m_f.at(x);
}

std::int32_t Tabulation::trapped(std::int32_t raised)
{
    settle();
    return m_f.trapped(raised);
}

void Tabulation::settle()
{
    if (m_lastFromTable)
        m_f.at(m_lastX);
    m_lastFromTable = false;
}

}  // namespace tessaly::numeric
