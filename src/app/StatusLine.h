#pragma once

#include "ActionQueue.h"
#include "common/StatusReporter.h"

#include <QPointer>

#include <mutex>
#include <optional>
#include <string>

class QLabel;

// The status label of the window. Texts reach it in the order they were shown; a stamped
// message waits for its network time stamp on a thread of its own, so neither the window
// nor the actions wait for the network. Bursts of progress texts are thinned out to the
// latest one, which is always shown before anything that follows it.
class StatusLine final : public StatusReporter
{
    Q_DISABLE_COPY_MOVE(StatusLine)

public:
    StatusLine(QLabel* label, std::string timeServer);

    void showProgress(const std::string& text) override;
    void showStamped(const std::string& message) override;

    bool isIdle() const { return m_queue.isIdle(); }
    // Drops the texts not shown yet.
    void dropPending();
    bool waitUntilIdle(int milliseconds) { return m_queue.waitUntilIdle(milliseconds); }

private:
    void display(const std::string& text);

    QPointer<QLabel> m_label;
    const std::string m_timeServer;
    ActionQueue m_queue;
    std::mutex m_mutex;
    std::optional<std::string> m_pendingProgress; // guarded by m_mutex
};
