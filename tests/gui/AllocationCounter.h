#pragma once

/** Counts the heap allocations the calling thread makes between start() and stop(). The test
    binary replaces the global allocation functions to do it. */
namespace AllocationCounter
{
void start() noexcept;
long stop() noexcept;
}
