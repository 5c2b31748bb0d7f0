#include "AllocationCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> gLive{0};
// Trivially initialized, so that allocating on a thread being set up or
// torn down needs nothing of its thread-local storage.
thread_local long long tHeld = 0;
thread_local long long tStart = 0;
thread_local long long tPeak = 0;

void* Counted(void* memory)
{
    if (memory) {
        gLive.fetch_add(1, std::memory_order_relaxed);
        tHeld += static_cast<long long>(malloc_usable_size(memory));
        if (tHeld > tPeak)
            tPeak = tHeld;
    }
    return memory;
}

void Release(void* memory) noexcept
{
    if (!memory)
        return;
    gLive.fetch_sub(1, std::memory_order_relaxed);
    tHeld -= static_cast<long long>(malloc_usable_size(memory));
    std::free(memory);
}

void* Allocate(std::size_t size)
{
    if (void* memory = Counted(std::malloc(size ? size : 1)))
        return memory;
    throw std::bad_alloc();
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment)
{
    const std::size_t align = static_cast<std::size_t>(alignment);
    const std::size_t rounded = (size + align - 1) / align * align;
    if (void* memory = Counted(std::aligned_alloc(align, rounded ? rounded : align)))
        return memory;
    throw std::bad_alloc();
}

}  // namespace

namespace cimhttp_test {

long long LiveAllocations()
{
    return gLive.load();
}

void StartPeak()
{
    tStart = tHeld;
    tPeak = tHeld;
}

std::size_t PeakSinceStart()
{
    return static_cast<std::size_t>(tPeak - tStart);
}

}  // namespace cimhttp_test

void* operator new(std::size_t size)
{
    return Allocate(size);
}

void* operator new[](std::size_t size)
{
    return Allocate(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Counted(std::malloc(size ? size : 1));
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Counted(std::malloc(size ? size : 1));
}

void* operator new(std::size_t size, std::align_val_t alignment)
{
    return AllocateAligned(size, alignment);
}

void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return AllocateAligned(size, alignment);
}

void operator delete(void* memory) noexcept
{
    Release(memory);
}

void operator delete[](void* memory) noexcept
{
    Release(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    Release(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    Release(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    Release(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    Release(memory);
}

void operator delete(void* memory, std::align_val_t) noexcept
{
    Release(memory);
}

void operator delete[](void* memory, std::align_val_t) noexcept
{
    Release(memory);
}

void operator delete(void* memory, std::size_t, std::align_val_t) noexcept
{
    Release(memory);
}

void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept
{
    Release(memory);
}
