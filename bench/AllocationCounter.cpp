#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <libxml/xmlmemory.h>
#include <malloc.h>
#include <new>

namespace
{
// Only read outside a measurement, so threads that allocate meanwhile do
// not contend for the counters.
std::atomic<bool> counting{false};
std::atomic<long long> currentBytes{0};
std::atomic<long long> peakBytes{0};
long long startBytes = 0;

long long sizeOf(void* block)
{
    return static_cast<long long>(malloc_usable_size(block));
}

// Sizes come from malloc itself, so any block can be freed here, counted
// or not. One taken before a measurement and freed during it lowers the
// count: a measurement should free little that it did not allocate.
void* allocate(size_t size)
{
    void* block = std::malloc(size);
    if (!block || !counting.load(std::memory_order_relaxed))
        return block;
    const long long now = currentBytes.fetch_add(sizeOf(block), std::memory_order_relaxed) + sizeOf(block);
    long long seen = peakBytes.load(std::memory_order_relaxed);
    while (now > seen && !peakBytes.compare_exchange_weak(seen, now, std::memory_order_relaxed))
    {
    }
    return block;
}

void release(void* block)
{
    if (block && counting.load(std::memory_order_relaxed))
        currentBytes.fetch_sub(sizeOf(block), std::memory_order_relaxed);
    std::free(block);
}

void* reallocate(void* block, size_t size)
{
    void* fresh = allocate(size);
    if (block && fresh)
    {
        std::memcpy(fresh, block, std::min(malloc_usable_size(block), size));
        release(block);
    }
    return fresh;
}

char* duplicate(const char* text)
{
    const size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(allocate(size));
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}
}

void* operator new(size_t size)
{
    if (void* p = allocate(size))
        return p;
    throw std::bad_alloc();
}

void* operator new[](size_t size)
{
    return operator new(size);
}

void operator delete(void* pointer) noexcept
{
    release(pointer);
}

void operator delete[](void* pointer) noexcept
{
    release(pointer);
}

void operator delete(void* pointer, size_t) noexcept
{
    release(pointer);
}

void operator delete[](void* pointer, size_t) noexcept
{
    release(pointer);
}

namespace AllocationCounter
{
void install()
{
    xmlMemSetup(release, allocate, reallocate, duplicate);
}

void start()
{
    startBytes = currentBytes.load();
    peakBytes = startBytes;
    counting = true;
}

size_t stop()
{
    counting = false;
    return static_cast<size_t>(peakBytes.load() - startBytes);
}
}
