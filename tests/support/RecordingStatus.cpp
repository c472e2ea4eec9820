#include "RecordingStatus.h"

void RecordingStatus::showProgress(const std::string& text)
{
    std::lock_guard lock(m_mutex);
    m_texts.push_back(text);
}

void RecordingStatus::showStamped(const std::string& message)
{
    std::lock_guard lock(m_mutex);
    m_texts.push_back(stampMarker + message);
}

std::vector<std::string> RecordingStatus::texts() const
{
    std::lock_guard lock(m_mutex);
    return m_texts;
}

std::string RecordingStatus::last() const
{
    std::lock_guard lock(m_mutex);
    return m_texts.empty() ? std::string() : m_texts.back();
}
