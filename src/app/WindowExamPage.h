#pragma once

#include "common/ExamPage.h"

#include <QPointer>

#include <atomic>
#include <functional>

class MainWindow;

// The exam page of the window for the action routines. A call from a worker thread is
// carried out on the window's thread and is complete when it returns; once the window has
// closed, calls do nothing and reads give empty values.
class WindowExamPage final : public ExamPage
{
    Q_DISABLE_COPY_MOVE(WindowExamPage)

public:
    WindowExamPage(MainWindow* window, std::function<void()> startDraw);

    void close() { m_closed = true; }

    std::string drawOrder() override;
    std::string numberBoxText() override;
    void setNumberBoxText(const std::string& text) override;
    void setProgressText(const std::string& text) override;
    void setQuestionText(const std::string& text) override;
    void setOptionVisible(int tag, bool visible) override;
    std::string optionCaption(int tag) override;
    void setOptionCaption(int tag, const std::string& caption) override;
    bool isOptionTicked(int tag) override;
    void setOptionTicked(int tag, bool ticked) override;
    std::string submitCaption() override;
    void setSubmitCaption(const std::string& caption) override;
    void setAnswerLabel(const std::string& text, Rgb background) override;
    void setScoreText(const std::string& text) override;
    void startDraw() override;

private:
    // Runs the call on the window's thread and waits for it.
    void onWindowThread(const std::function<void(MainWindow&)>& call);

    QPointer<MainWindow> m_window;
    std::function<void()> m_startDraw;
    std::atomic<bool> m_closed = false;
};
