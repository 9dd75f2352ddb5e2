#pragma once

namespace tessaly::files {

// Makes SIGINT end a command-line program at once with the given status (130
// by convention), except while a file is being written: that write is finished
// (or removed) first, and the program then ends with the status. So an
// interrupt never leaves a partial file or a temporary one behind.
void exitOnInterrupt(int status);

// While one lives, an interrupt waits (on any thread); when the last ends, a
// waiting interrupt ends the program. writeFileAtomically holds one.
class InterruptDeferred {
public:
    InterruptDeferred();
    ~InterruptDeferred();
    InterruptDeferred(const InterruptDeferred&) = delete;
    InterruptDeferred& operator=(const InterruptDeferred&) = delete;
};

}  // namespace tessaly::files
