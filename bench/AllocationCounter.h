#ifndef PegasusBench_AllocationCounter_h
#define PegasusBench_AllocationCounter_h

#include <cstddef>

// Counts the bytes held through operator new and libxml2's allocator, so
// that the decoder's peak memory can be told apart from everything else.
namespace AllocationCounter
{
void install();               // counts libxml2's allocations from now on
size_t current();
size_t peak();
void resetPeak();             // the peak restarts from the current level
}

#endif
