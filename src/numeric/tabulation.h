#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "numeric/studyfunction.h"

namespace tessaly::numeric {

// How a tabulation shares its work: among threads (0: one a core of the
// machine), each taking an equal run of the abscissae, when there are at least
// `minimum` of them; otherwise, and on a machine of one core, the calling thread
// alone computes them.
struct Parallelism {
    unsigned threads = 0;
    std::size_t minimum = 16384;
};

// f with its values at a sequence of abscissae computed ahead: in blocks (see
// StudyFunction::tabulate), and on several threads at once when there are many
// (each thread with a twin of f). A command asks this function instead of f, in
// the order it always asks: a value asked for at the next abscissa of the
// sequence (or again at one of the two before it) is the value computed ahead,
// bit for bit; any other, and one that computing ahead left open (a failure),
// is asked of f itself at that moment, so failures, their reports and the
// state they leave come in the order and at the x they always do. settle()
// leaves f as the last value asked for would have left it.
class Tabulation final : public StudyFunction {
public:
    // The abscissae in the order the command will ask for them: each call writes
    // up to max of the next ones and returns how many (0 once there are no more).
    using Abscissae = std::function<std::size_t(double* out, std::size_t max)>;

    // How many abscissae are computed ahead at once: kFirstChunk, then twice as
    // many each time up to kChunk.
    static constexpr std::size_t kFirstChunk = 1024;
    static constexpr std::size_t kChunk = std::size_t{1} << 17;

    Tabulation(StudyFunction& f, const Parallelism& parallelism);
    ~Tabulation() override;

    // Starts a new sequence (the table of the one before is dropped).
    void follow(Abscissae abscissae);

    engine::FunctionValue at(double x) override;
    std::int32_t trapped(std::int32_t raised) override;

    // When the last value asked for came from the table, asks f for it again,
    // which leaves f as asking for it then would have (that value succeeded, so
    // asking again has no other effect).
    void settle();

private:
    class Helpers;

    void refill();
    void compute(std::size_t from, std::size_t count);

    StudyFunction& m_f;
    Parallelism m_parallelism;
    unsigned m_threads;
    std::unique_ptr<Helpers> m_helpers;
    bool m_twinless = false;
    Abscissae m_next;
    std::vector<double> m_xs, m_values;  // entries 0..m_size-1 in use
    std::vector<std::uint8_t> m_known;
    std::size_t m_size = 0;
    std::size_t m_chunk = kFirstChunk / 2;
    std::size_t m_cursor = 0;  // the next entry expected
    bool m_lastFromTable = false;
    double m_lastX = 0;
};

}  // namespace tessaly::numeric
