#include "ProgressThrottle.h"

#include "common/NumberText.h"

ProgressThrottle::ProgressThrottle(
    StatusReporter& status, std::string prefix, std::string suffix, std::chrono::steady_clock::duration interval)
    : m_status(status)
    , m_prefix(std::move(prefix))
    , m_suffix(std::move(suffix))
    , m_interval(interval)
{
}

void ProgressThrottle::report(long long count)
{
    const auto now = std::chrono::steady_clock::now();
    if (m_lastShown != 0 && now - m_lastShownAt < m_interval)
        return;
    m_lastShownAt = now;
    show(count);
}

void ProgressThrottle::finish(long long count)
{
    if (count > 0 && count != m_lastShown)
        show(count);
}

void ProgressThrottle::show(long long count)
{
    m_lastShown = count;
    m_status.showProgress(m_prefix + integerText(count) + m_suffix);
}
