#pragma once

#include "common/StatusReporter.h"

#include <mutex>
#include <string>
#include <vector>

// Records what the actions show on the status line. Stamped messages are recorded with
// the marker "<stamp>" in front of the message.
class RecordingStatus final : public StatusReporter
{
public:
    static constexpr const char* stampMarker = "<stamp>";

    void showProgress(const std::string& text) override;
    void showStamped(const std::string& message) override;

    std::vector<std::string> texts() const;
    std::string last() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_texts; // guarded by m_mutex
};
