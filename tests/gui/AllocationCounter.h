#pragma once

/** Counts the heap calls (allocations and frees) the calling thread makes between start() and
    stop(). The test binary replaces the global allocation functions (and, outside the
    sanitizers, malloc, calloc, realloc and free) to do it. */
namespace AllocationCounter
{
void start() noexcept;
/** Whether malloc, calloc, realloc and free are counted too (not under the sanitizers). */
bool countsMalloc() noexcept;
long stop() noexcept;
}
