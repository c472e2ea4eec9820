#pragma once

#include "common/ExamPage.h"

#include <array>
#include <string>
#include <vector>

// The exam page as plain fields, for testing the import, draw and judge routines without
// a window. Draws asked for are counted, not run.
class FakeExamPage final : public ExamPage
{
public:
    struct Option
    {
        bool visible = false;
        bool ticked = false;
        std::string caption = "选择框";
    };

    std::string order = "随机出题不重复";
    std::string numberBox = "1";
    std::string progress = "第      题,";
    std::string question;
    std::array<Option, optionBoxCount> options;
    std::string submit = "提交";
    std::string answerText;
    Rgb answerBackground = AnswerColour::cleared;
    std::string score;
    int drawsStarted = 0;

    Option& option(int tag) { return options.at(static_cast<size_t>(tag - 1)); }
    // Captions of the visible option boxes, in tag order.
    std::vector<std::string> visibleCaptions() const;
    void tick(std::initializer_list<int> tags);

    std::string drawOrder() override { return order; }
    std::string numberBoxText() override { return numberBox; }
    void setNumberBoxText(const std::string& text) override { numberBox = text; }
    void setProgressText(const std::string& text) override { progress = text; }
    void setQuestionText(const std::string& text) override { question = text; }
    void setOptionVisible(int tag, bool visible) override { option(tag).visible = visible; }
    std::string optionCaption(int tag) override { return option(tag).caption; }
    void setOptionCaption(int tag, const std::string& caption) override { option(tag).caption = caption; }
    bool isOptionTicked(int tag) override { return option(tag).ticked; }
    void setOptionTicked(int tag, bool ticked) override { option(tag).ticked = ticked; }
    std::string submitCaption() override { return submit; }
    void setSubmitCaption(const std::string& caption) override { submit = caption; }
    void setAnswerLabel(const std::string& text, Rgb background) override;
    void setScoreText(const std::string& text) override { score = text; }
    void startDraw() override { ++drawsStarted; }
};
