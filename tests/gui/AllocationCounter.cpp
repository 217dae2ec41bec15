#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

// The framework's own containers (HeapBlock inside Array, MidiBuffer, MemoryBlock, MidiMessage)
// take memory with malloc and realloc, not operator new: those are counted too, where the C
// library lets them be replaced. The sanitizers replace them themselves.
#if defined(__has_feature)
 #if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
  #define MORVEX_SANITIZED 1
 #endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
 #define MORVEX_SANITIZED 1
#endif

#if defined(__GLIBC__) && ! defined(MORVEX_SANITIZED)
 #define MORVEX_COUNT_MALLOC 1
#else
 #define MORVEX_COUNT_MALLOC 0
#endif

namespace
{
thread_local bool counting = false;
thread_local long allocations = 0;

void release (void* p) noexcept
{
    // Counted in free itself where that is replaced.
    if (counting && p != nullptr && ! MORVEX_COUNT_MALLOC)
        ++allocations;
    std::free (p);
}

void* allocate (std::size_t size)
{
    // Counted in malloc itself where that is replaced.
    if (counting && ! MORVEX_COUNT_MALLOC)
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

#if MORVEX_COUNT_MALLOC
extern "C"
{
void* __libc_malloc (std::size_t);
void* __libc_calloc (std::size_t, std::size_t);
void* __libc_realloc (void*, std::size_t);
void __libc_free (void*);

void* malloc (std::size_t size)
{
    if (counting)
        ++allocations;
    return __libc_malloc (size);
}

void* calloc (std::size_t n, std::size_t size)
{
    if (counting)
        ++allocations;
    return __libc_calloc (n, size);
}

void* realloc (void* p, std::size_t size)
{
    if (counting)
        ++allocations;
    return __libc_realloc (p, size);
}

void free (void* p)
{
    // Giving memory back takes the allocator's locks just as taking it does.
    if (counting && p != nullptr)
        ++allocations;
    __libc_free (p);
}
}
#endif

namespace AllocationCounter
{
bool countsMalloc() noexcept { return MORVEX_COUNT_MALLOC != 0; }

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
void operator delete (void* p) noexcept                                  { release (p); }
void operator delete[] (void* p) noexcept                                { release (p); }
void operator delete (void* p, std::size_t) noexcept                     { release (p); }
void operator delete[] (void* p, std::size_t) noexcept                   { release (p); }
void operator delete (void* p, std::align_val_t) noexcept                { release (p); }
void operator delete[] (void* p, std::align_val_t) noexcept              { release (p); }
void operator delete (void* p, std::size_t, std::align_val_t) noexcept   { release (p); }
void operator delete[] (void* p, std::size_t, std::align_val_t) noexcept { release (p); }
