// Counts heap allocations, mutex locks and file opens made by the calling thread while
// a Watch is alive. The counting functions replace the C library's for this program,
// and so also for the modules it loads.
#pragma once

namespace taluma::test {

struct AudioThreadCounts {
    int allocations = 0;
    int locks = 0;
    int fileOpens = 0;
};

class Watch {
public:
    Watch();
    ~Watch();
    // What the thread did since the watch began.
    AudioThreadCounts counts() const;
};

}  // namespace taluma::test
