#pragma once

#include <cstdint>
#include <string>

// A colour as 0xAARRGGBB, the layout of QRgb (the core does not link Qt Gui).
using Rgb = std::uint32_t;

// Background colours of the answer label.
namespace AnswerColour {
inline constexpr Rgb right = 0xFF80E000;     // RGB(128, 224, 0)
inline constexpr Rgb wrong = 0xFFFF5080;     // RGB(255, 80, 128)
inline constexpr Rgb emptyPool = 0xFFFFFF00; // RGB(255, 255, 0)
inline constexpr Rgb cleared = 0xFFFFFFFF;   // RGB(255, 255, 255)
} // namespace AnswerColour

// The controls of the exam page as the import, draw and judge routines use them. Option
// boxes are addressed by their tag, 1 to 5. Texts are GBK bytes. The window's implementation
// may be called from a worker thread: each call is carried out on the window's thread and is
// complete when it returns.
class ExamPage
{
public:
    virtual ~ExamPage() = default;

    virtual std::string drawOrder() = 0; // selected item of the draw-order drop-down
    virtual std::string numberBoxText() = 0;
    virtual void setNumberBoxText(const std::string& text) = 0;
    virtual void setProgressText(const std::string& text) = 0;
    virtual void setQuestionText(const std::string& text) = 0;

    virtual void setOptionVisible(int tag, bool visible) = 0;
    virtual std::string optionCaption(int tag) = 0;
    virtual void setOptionCaption(int tag, const std::string& caption) = 0;
    virtual bool isOptionTicked(int tag) = 0;
    virtual void setOptionTicked(int tag, bool ticked) = 0;

    virtual std::string submitCaption() = 0; // "提交" or "下一题"
    virtual void setSubmitCaption(const std::string& caption) = 0;
    virtual void setAnswerLabel(const std::string& text, Rgb background) = 0;
    virtual void setScoreText(const std::string& text) = 0;

    // Queues a draw behind the running action; returns at once.
    virtual void startDraw() = 0;
};

inline constexpr int optionBoxCount = 5;
