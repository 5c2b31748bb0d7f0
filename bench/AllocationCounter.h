#ifndef PegasusBench_AllocationCounter_h
#define PegasusBench_AllocationCounter_h

#include <cstddef>

// Counts the bytes held through operator new and libxml2's allocator
// during a measurement, so that the peak memory of one call can be told
// apart from everything else. Outside a measurement an allocation costs
// what malloc costs.
namespace AllocationCounter
{
void install();               // libxml2 allocates through the counter from now on
void start();                 // counting starts, from the bytes held now
size_t stop();                // counting stops; the most bytes held above the start
}

#endif
