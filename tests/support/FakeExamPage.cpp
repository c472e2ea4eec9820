#include "FakeExamPage.h"

std::vector<std::string> FakeExamPage::visibleCaptions() const
{
    std::vector<std::string> captions;
    for (const Option& box : options) {
        if (box.visible)
            captions.push_back(box.caption);
    }
    return captions;
}

void FakeExamPage::tick(std::initializer_list<int> tags)
{
    for (const int tag : tags)
        option(tag).ticked = true;
}

void FakeExamPage::setAnswerLabel(const std::string& text, Rgb background)
{
    answerText = text;
    answerBackground = background;
}
