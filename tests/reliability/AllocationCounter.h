#ifndef CIMHTTP_TESTS_RELIABILITY_ALLOCATIONCOUNTER_H
#define CIMHTTP_TESTS_RELIABILITY_ALLOCATIONCOUNTER_H

#include <cstddef>

// Every operator new and delete of the process, counted by the program that
// links AllocationCounter.cpp (its replacements of the global operators):
// how many objects are alive, and how many bytes the calling thread holds
// above where it started, at most. libxml2 and OpenSSL allocate with malloc
// and are not counted.
namespace cimhttp_test {

// Objects allocated with operator new and not yet deleted, process-wide.
long long LiveAllocations();

// Starts watching this thread's bytes: what it allocates less what it
// frees (usable sizes).
void StartPeak();
// The most this thread held above the start since StartPeak.
std::size_t PeakSinceStart();

}  // namespace cimhttp_test

#endif
