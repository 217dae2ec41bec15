#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <vector>

/** A bounded queue that any number of threads may push to while one thread drains it, without
    locks and without allocating: pushing never waits for the drain, so the audio thread can post
    from its callback. Items from one producer come out in the order that producer pushed them.

    The slots carry sequence numbers (after Dmitry Vyukov's bounded queue): a producer claims a
    position with one compare-and-swap and publishes its item by advancing the slot's sequence;
    the consumer takes items only once published. When the queue is full a push fails and is
    counted, rather than block. */
template <typename Item, size_t Capacity>
class EventQueue
{
    static_assert (Capacity >= 2 && (Capacity & (Capacity - 1)) == 0, "capacity must be a power of two");

public:
    EventQueue()
    {
        for (size_t i = 0; i < Capacity; ++i)
            slots[i].sequence.store (i, std::memory_order_relaxed);
    }

    EventQueue (const EventQueue&) = delete;
    EventQueue& operator= (const EventQueue&) = delete;

    /** Any thread. Returns false (and counts the loss) when the queue is full. */
    bool push (const Item& item) noexcept
    {
        auto position = tail.load (std::memory_order_relaxed);

        for (;;)
        {
            auto& slot = slots[position & mask];
            const auto sequence = slot.sequence.load (std::memory_order_acquire);
            const auto difference = (std::ptrdiff_t) sequence - (std::ptrdiff_t) position;

            if (difference == 0)
            {
                if (tail.compare_exchange_weak (position, position + 1, std::memory_order_relaxed))
                {
                    slot.item = item;
                    slot.sequence.store (position + 1, std::memory_order_release);
                    return true;
                }
            }
            else if (difference < 0)
            {
                dropped.fetch_add (1, std::memory_order_relaxed);
                return false;
            }
            else
            {
                position = tail.load (std::memory_order_relaxed);
            }
        }
    }

    /** One consumer thread. Takes the next published item, if there is one. */
    bool pop (Item& item) noexcept
    {
        auto& slot = slots[head & mask];
        const auto sequence = slot.sequence.load (std::memory_order_acquire);

        if ((std::ptrdiff_t) sequence - (std::ptrdiff_t) (head + 1) < 0)
            return false;

        item = slot.item;
        slot.sequence.store (head + Capacity, std::memory_order_release);
        ++head;
        return true;
    }

    /** One consumer thread. Appends every published item to `out` and returns how many. */
    size_t drainInto (std::vector<Item>& out)
    {
        size_t n = 0;
        Item item {};
        while (pop (item))
        {
            out.push_back (item);
            ++n;
        }
        return n;
    }

    /** One consumer thread. Throws away every published item. */
    void discardAll() noexcept
    {
        Item item {};
        while (pop (item)) {}
    }

    /** How many pushes failed because the queue was full. */
    size_t droppedCount() const noexcept { return dropped.load (std::memory_order_relaxed); }

    static constexpr size_t capacity() noexcept { return Capacity; }

private:
    static constexpr size_t mask = Capacity - 1;

    struct Slot
    {
        std::atomic<size_t> sequence { 0 };
        Item item {};
    };

    std::array<Slot, Capacity> slots;
    alignas (64) std::atomic<size_t> tail { 0 };
    alignas (64) size_t head = 0;
    std::atomic<size_t> dropped { 0 };
};
