#pragma once

/** Counts the heap allocations the calling thread makes between start() and stop(). The test
    binary replaces the global allocation functions (and, outside the sanitizers, malloc and
    realloc) to do it. */
namespace AllocationCounter
{
void start() noexcept;
/** Whether malloc, calloc and realloc are counted too (not under the sanitizers). */
bool countsMalloc() noexcept;
long stop() noexcept;
}
