#pragma once

#include <QThreadPool>

#include <functional>

// Runs actions one after the other on a worker thread of its own, in the order they were
// posted, so two actions never interleave their steps.
class ActionQueue final
{
    Q_DISABLE_COPY_MOVE(ActionQueue)

public:
    ActionQueue();

    void post(std::function<void()> action);
    // Drops what has not started yet.
    void dropPending();
    // True when the queue fell idle within the time.
    bool waitUntilIdle(int milliseconds);
    bool isIdle() const;

private:
    mutable QThreadPool m_pool;
};
