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

}  // namespace

// A run of entries to compute, shared out in blocks: whoever takes a block
// (the calling thread or a helper) computes it and counts it done. Each block
// is written by the one thread that took it, and read by the calling thread
// only once every block is done.
struct Tabulation::Job {
    static constexpr std::size_t kBlock = 2048;
    const double* xs;
    double* values;
    std::uint8_t* known;
    std::size_t count;
    std::atomic<std::size_t> next{0};  // the first value of the next block to take
    std::atomic<std::size_t> done{0};  // values computed (or given up)

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

    // Takes every block not yet taken without computing it: their values will
    // not be read.
    void giveUp()
    {
        const std::size_t start = next.fetch_add(count);
        if (start < count)
            done.fetch_add(count - start, std::memory_order_acq_rel);
    }
};

Tabulation::Tabulation(StudyFunction& f, const Parallelism& parallelism)
    : m_f(f),
      m_parallelism(parallelism),
      m_threads(parallelism.threads ? parallelism.threads : std::max(1u, std::thread::hardware_concurrency()))
{
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

    // Hands the job to the helpers, which start on it while the calling thread
    // goes on.
    void post(const std::shared_ptr<Job>& job)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_job = job;
        }
        m_wake.notify_all();
    }

    // Takes the job's blocks that are left with f (or, with none, gives them up)
    // and waits until the helpers have done theirs.
    void finish(StudyFunction* f, Job& job)
    {
        if (f)
            job.work(*f);
        else
            job.giveUp();
        std::unique_lock lock(m_mutex);
        m_finished.wait(lock, [&] { return job.done.load(std::memory_order_acquire) == job.count; });
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

void Tabulation::Table::reserve(std::size_t entries)
{
    if (xs.size() < entries) {
        xs.resize(entries);
        values.resize(entries);
        known.resize(entries);
    }
}

void Tabulation::follow(Abscissae abscissae)
{
    dropAhead();
    m_next = std::move(abscissae);
    m_begin = m_size = m_cursor = kKept;
    m_chunk = kFirstChunk / 2;
}

// The next run of the sequence becomes the table, after the last kKept entries
// of the one before, and the run after it is fetched ahead.
void Tabulation::refill()
{
    const std::size_t keep = std::min(kKept, m_size - m_begin);
    std::size_t count = m_aheadCount;
    if (!count)
        count = fetchAhead();
    if (m_aheadJob) {
        m_helpers->finish(&m_f, *m_aheadJob);
        m_aheadJob.reset();
    }
    m_aheadCount = 0;
    const auto from = static_cast<std::ptrdiff_t>(m_size - keep), to = static_cast<std::ptrdiff_t>(m_size);
    m_ahead.reserve(kKept);
    std::copy(m_table.xs.begin() + from, m_table.xs.begin() + to, m_ahead.xs.begin() + (kKept - keep));
    std::copy(m_table.values.begin() + from, m_table.values.begin() + to, m_ahead.values.begin() + (kKept - keep));
    std::copy(m_table.known.begin() + from, m_table.known.begin() + to, m_ahead.known.begin() + (kKept - keep));
    std::swap(m_table, m_ahead);
    m_begin = kKept - keep;
    m_cursor = kKept;
    m_size = kKept + count;
    if (count)
        fetchAhead();
}

std::size_t Tabulation::fetchAhead()
{
    if (!m_next)
        return 0;
    // Short sequences (a scan's grid) take small tables; long ones double the
    // table up to kChunk.
    m_chunk = std::min(kChunk, m_chunk * 2);
    m_ahead.reserve(kKept + m_chunk);
    const std::size_t count = m_next(m_ahead.xs.data() + kKept, m_chunk);
    if (count == 0) {
        m_next = nullptr;
        return 0;
    }
    m_aheadCount = count;
    compute(m_ahead, count);
    return count;
}

Tabulation::~Tabulation() { dropAhead(); }

// A run fetched ahead is not needed (a new sequence, or the command is over):
// the helpers leave the blocks they have not taken.
void Tabulation::dropAhead()
{
    if (m_aheadJob)
        m_helpers->finish(nullptr, *m_aheadJob);
    m_aheadJob.reset();
    m_aheadCount = 0;
}

// The values of a run of entries: on this thread with f itself, whose tabulate
// has no effects, when the run is short; otherwise on helper threads each with
// a twin of f (see EngineFunction::twin), which this thread joins when it needs
// the values (m_aheadJob).
void Tabulation::compute(Table& table, std::size_t count)
{
    const double* xs = table.xs.data() + kKept;
    double* values = table.values.data() + kKept;
    std::uint8_t* known = table.known.data() + kKept;
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
    m_helpers->post(job);
    m_aheadJob = std::move(job);
}

engine::FunctionValue Tabulation::at(double x)
{
    if (m_cursor >= m_size && m_next)
        refill();
    // The next entry, or one of the two before it asked for again.
    for (std::size_t back = 0; back <= kKept && m_begin + back <= m_cursor; ++back) {
        const std::size_t k = m_cursor - back;
        if (k >= m_size || !same(m_table.xs[k], x))
            continue;
        m_cursor = k + 1;
        if (!m_table.known[k])
            break;  // left open: f itself, now
        m_lastFromTable = true;
        m_lastX = x;
        return {m_table.values[k], 0};
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
