#ifndef PegasusBench_BenchTiming_h
#define PegasusBench_BenchTiming_h

#include <algorithm>
#include <chrono>
#include <ctime>

// The clocks of the bench programs: CPU time of the calling thread (what
// the client spends, whatever else runs on the machine) and wall time.
namespace BenchTiming
{
inline double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

inline double threadCpuSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

struct Timing
{
    double wall = 1e300;
    double cpu = 1e300;   // of the calling thread
};

// Best wall and CPU times of `repeat` runs; what a run returns is released
// after its time is taken.
template <class F>
Timing bestOf(int repeat, F&& f)
{
    Timing best;
    for (int i = 0; i < repeat; ++i)
    {
        const auto start = std::chrono::steady_clock::now();
        const double cpu = threadCpuSeconds();
        [[maybe_unused]] const auto result = f();
        best.cpu = std::min(best.cpu, threadCpuSeconds() - cpu);
        best.wall = std::min(best.wall, seconds(std::chrono::steady_clock::now() - start));
    }
    return best;
}
}

#endif
