#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "numeric/studyfunction.h"

namespace tessaly::numeric {

// Thrown out of a watched command that was asked to stop: the command ends at
// once, before its next value of f, with no outcome.
struct Cancelled {};

// What the threads that watch a command share with the one that runs it: a
// request to stop, and how far the command has come (0 to 1). Every member may
// be used from any thread.
class CommandWatch {
public:
    void cancel() noexcept { m_cancelled.store(true, std::memory_order_relaxed); }
    bool cancelled() const noexcept { return m_cancelled.load(std::memory_order_relaxed); }
    double fraction() const noexcept { return m_fraction.load(std::memory_order_relaxed); }
    // The fraction only grows (a command that goes back a little, to refine a
    // root, does not move the bar back); it stays within [0, 1].
    void advance(double fraction) noexcept;
    // A new command: not cancelled, nothing done.
    void reset() noexcept;

private:
    std::atomic<bool> m_cancelled{false};
    std::atomic<double> m_fraction{0};
};

// How a command's progress is read off the abscissae of f.
struct ProgressScale {
    enum class Kind {
        // The fraction of [lower, upper] walked: the grid of Roots and Extrema.
        Interval,
        // The values of f computed, of `work` in all: the Integral's halvings,
        // whose each costs twice the one before.
        Work,
    };
    Kind kind = Kind::Interval;
    double lower = 0, upper = 1;
    double work = 1;
};

// f watched: before each value it asks whether the command is to stop (and
// then throws Cancelled), and it moves the watch's fraction on. Values ahead
// (tabulate) are computed in small blocks, the request to stop read before each;
// the blocks not computed are left to at(), which throws. Its twins share the
// watch and count their values. The values of f are not changed in any way.
class WatchedFunction final : public StudyFunction {
public:
    WatchedFunction(StudyFunction& f, CommandWatch& watch, const ProgressScale& scale);
    ~WatchedFunction() override;

    engine::FunctionValue at(double x) override;
    std::int32_t trapped(std::int32_t raised) override { return m_f.trapped(raised); }
    void tabulate(const double* xs, std::size_t n, double* values, std::uint8_t* known) override;
    std::unique_ptr<StudyFunction> twin() const override;

    // The block of values computed between two looks at the request to stop.
    static constexpr std::size_t kBlock = 2048;

private:
    struct Shared;
    WatchedFunction(std::unique_ptr<StudyFunction> own, std::shared_ptr<Shared> shared);
    void count(double x, std::size_t values);

    std::unique_ptr<StudyFunction> m_own;  // a twin's own f
    StudyFunction& m_f;
    std::shared_ptr<Shared> m_shared;
    std::size_t m_pending = 0;  // values counted here, not yet in the shared count
};

}  // namespace tessaly::numeric
