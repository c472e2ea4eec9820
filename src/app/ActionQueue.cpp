#include "ActionQueue.h"

ActionQueue::ActionQueue()
{
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1);
}

void ActionQueue::post(std::function<void()> action)
{
    m_pool.start(std::move(action));
}

void ActionQueue::dropPending()
{
    m_pool.clear();
}

bool ActionQueue::waitUntilIdle(int milliseconds)
{
    return m_pool.waitForDone(milliseconds);
}

bool ActionQueue::isIdle() const
{
    return m_pool.activeThreadCount() == 0;
}
