#pragma once

#include <QtGlobal>

#include <cstdint>
#include <functional>

// Random integers for the draw. The generator is reseeded before every draw from the millisecond
// tick plus a running offset, so two draws within the same millisecond still differ. The tick
// source is a constructor argument so tests get a fixed sequence.
//
// Not thread-safe: the draws run one after another on the worker thread.
class RandomSource final
{
    Q_DISABLE_COPY_MOVE(RandomSource)

public:
    using TickSource = std::function<std::uint32_t()>;

    // Milliseconds of a monotonic clock, wrapping like a 32-bit tick count.
    static std::uint32_t systemTick();

    explicit RandomSource(TickSource tick = systemTick);

    // An integer from lo to hi inclusive. A negative bound counts as 0 and the bounds may come
    // in either order: between(1, 0) gives 0 or 1.
    int between(int lo, int hi);

private:
    TickSource m_tick;
    std::uint32_t m_offset = 0;
};
