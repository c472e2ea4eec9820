#pragma once

#include <string>

// The status line of the window, as the actions see it. Texts are GBK bytes.
class StatusReporter
{
public:
    virtual ~StatusReporter() = default;

    // A progress text, shown as it is. Progress may be thinned out to what a person can
    // see, but the last one before a final message is always shown.
    virtual void showProgress(const std::string& text) = 0;

    // A final message: shown after the network time stamp, e.g. " 导入成功,合计3题目".
    virtual void showStamped(const std::string& message) = 0;
};
