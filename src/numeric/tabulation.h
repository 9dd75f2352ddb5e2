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
// (each thread with a twin of f), the next run of them while the command reads
// the values of the one before. A command asks this function instead of f, in
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

    // The entries kept from the run before when the next is taken: a command
    // may ask again for the last two values it was given.
    static constexpr std::size_t kKept = 2;

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
    struct Job;

    // Abscissae with their values: entries from kKept on hold a run of the
    // sequence, and the kKept before it the last entries of the run before.
    struct Table {
        std::vector<double> xs, values;
        std::vector<std::uint8_t> known;
        void reserve(std::size_t entries);
    };

    void refill();
    // The next run of the sequence into m_ahead: its values computed on the
    // helper threads while the command reads the current table, or at once
    // when the run is short. Returns how many abscissae it has (0: none left).
    std::size_t fetchAhead();
    void compute(Table& table, std::size_t count);
    void dropAhead();

    StudyFunction& m_f;
    Parallelism m_parallelism;
    unsigned m_threads;
    std::unique_ptr<Helpers> m_helpers;
    bool m_twinless = false;
    Abscissae m_next;
    Table m_table;  // entries m_begin..m_size-1 in use
    Table m_ahead;  // the next run, m_aheadCount entries from kKept on
    std::size_t m_aheadCount = 0;
    std::shared_ptr<Job> m_aheadJob;  // its values being computed, if they are
    std::size_t m_begin = kKept;
    std::size_t m_size = kKept;
    std::size_t m_chunk = kFirstChunk / 2;
    std::size_t m_cursor = kKept;  // the next entry expected
    bool m_lastFromTable = false;
    double m_lastX = 0;
};

}  // namespace tessaly::numeric
