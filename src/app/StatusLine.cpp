#include "StatusLine.h"

#include "common/GbkCodec.h"
#include "net/NetworkTime.h"

#include <QLabel>

StatusLine::StatusLine(QLabel* label, std::string timeServer) : m_label(label), m_timeServer(std::move(timeServer)) {}

void StatusLine::showProgress(const std::string& text)
{
    {
        std::lock_guard lock(m_mutex);
        const bool queued = m_pendingProgress.has_value();
        m_pendingProgress = text;
        if (queued)
            return;
    }
    m_queue.post([this] {
        std::string latest;
        {
            std::lock_guard lock(m_mutex);
            if (!m_pendingProgress)
                return;
            latest = std::move(*m_pendingProgress);
            m_pendingProgress.reset();
        }
        display(latest);
    });
}

void StatusLine::showStamped(const std::string& message)
{
    m_queue.post([this, message] { display(timeStamp(m_timeServer) + message); });
}

void StatusLine::dropPending()
{
    std::lock_guard lock(m_mutex);
    m_queue.dropPending();
    m_pendingProgress.reset();
}

void StatusLine::display(const std::string& text)
{
    if (!m_label)
        return;
    // Queued to the label's thread; texts posted one after the other arrive in that order.
    QMetaObject::invokeMethod(
        m_label, [label = m_label, shown = fromGbk(text)] { label->setText(shown); }, Qt::QueuedConnection);
}
