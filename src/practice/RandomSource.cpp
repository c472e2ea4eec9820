#include "RandomSource.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <utility>

std::uint32_t RandomSource::systemTick()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

RandomSource::RandomSource(TickSource tick) : m_tick(std::move(tick)) {}

int RandomSource::between(int lo, int hi)
{
    lo = std::max(lo, 0);
    hi = std::max(hi, 0);
    if (lo > hi)
        std::swap(lo, hi);

    // Unsigned arithmetic: the tick wraps after 49 days and the sum may wrap with it.
    const std::uint32_t seed = m_tick() + m_offset;
    m_offset += 100 + (seed & 0xFF);
    std::mt19937 generator(seed);

    const auto span = static_cast<std::uint32_t>(hi - lo) + 1;
    return lo + static_cast<int>(generator() % span);
}
