#pragma once

namespace nimbrel::bench {

struct InProcessCounts {
    int timedPasses = 1000;  // per adapter count, for the pass times and the memory after passes
    int objectPasses = 10000; // between the two object counts
};

// A hidden Form1 over the in-process simulated service, as the unit tests build it, with the
// system's seams for everything but Native Wifi: memory after construction and after the timed
// passes, pass times for 1 and 8 adapters next to their bare calls, object counts around many
// passes. Returns the process exit code.
int runInProcess(const InProcessCounts& counts);

} // namespace nimbrel::bench
