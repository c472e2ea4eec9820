#pragma once

#include "common/StatusReporter.h"

#include <QtGlobal>

#include <chrono>
#include <string>

// Shows a running count as a progress text ("prefix" + count + "suffix") no more often than a
// person can read it. The first count is shown at once; finish() shows the final count unless
// it is already on screen, so the last progress text before a final message is always exact.
class ProgressThrottle final
{
    Q_DISABLE_COPY_MOVE(ProgressThrottle)

public:
    static constexpr std::chrono::milliseconds defaultInterval {30};

    ProgressThrottle(StatusReporter& status, std::string prefix, std::string suffix,
        std::chrono::steady_clock::duration interval = defaultInterval);

    void report(long long count);
    // Nothing is shown for a count of 0: no step was done.
    void finish(long long count);

private:
    void show(long long count);

    StatusReporter& m_status;
    const std::string m_prefix;
    const std::string m_suffix;
    const std::chrono::steady_clock::duration m_interval;
    std::chrono::steady_clock::time_point m_lastShownAt;
    long long m_lastShown = 0;
};
