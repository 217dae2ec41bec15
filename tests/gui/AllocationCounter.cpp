#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace
{
thread_local bool counting = false;
thread_local long allocations = 0;

void* allocate (std::size_t size)
{
    if (counting)
        ++allocations;

    if (auto* p = std::malloc (size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void* allocateAligned (std::size_t size, std::align_val_t alignment)
{
    if (counting)
        ++allocations;

    const auto a = (std::size_t) alignment;
    if (auto* p = std::aligned_alloc (a, (size + a - 1) / a * a))
        return p;
    throw std::bad_alloc();
}
}

namespace AllocationCounter
{
void start() noexcept
{
    allocations = 0;
    counting = true;
}

long stop() noexcept
{
    counting = false;
    return allocations;
}
}

void* operator new (std::size_t size)                                    { return allocate (size); }
void* operator new[] (std::size_t size)                                  { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept    { try { return allocate (size); } catch (...) { return nullptr; } }
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept  { try { return allocate (size); } catch (...) { return nullptr; } }
void* operator new (std::size_t size, std::align_val_t a)                { return allocateAligned (size, a); }
void* operator new[] (std::size_t size, std::align_val_t a)              { return allocateAligned (size, a); }
void operator delete (void* p) noexcept                                  { std::free (p); }
void operator delete[] (void* p) noexcept                                { std::free (p); }
void operator delete (void* p, std::size_t) noexcept                     { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept                   { std::free (p); }
void operator delete (void* p, std::align_val_t) noexcept                { std::free (p); }
void operator delete[] (void* p, std::align_val_t) noexcept              { std::free (p); }
void operator delete (void* p, std::size_t, std::align_val_t) noexcept   { std::free (p); }
void operator delete[] (void* p, std::size_t, std::align_val_t) noexcept { std::free (p); }
