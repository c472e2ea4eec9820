#include "Judge.h"

#include "bank/QuestionTable.h"
#include "common/AppState.h"
#include "common/ExamPage.h"
#include "common/NumberText.h"
#include "common/TextPrimitives.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

namespace {

constexpr std::size_t shortenFrom = 80;
constexpr std::size_t pieceBytes = 12;

// The share of right answers in percent, rounded half up to 2 decimals: 66.67, 0.63, 100, 12.5.
std::string accuracyText(int rightCount, int wrongCount)
{
    const double percent = static_cast<double>(rightCount) / (static_cast<double>(rightCount) + wrongCount) * 100;
    // The small addend keeps a value such as 0.625 from falling just below the half.
    const double hundredths = percent * 100 + 1e-12;
    const double whole = std::floor(hundredths);
    return decimalText((hundredths - whole >= 0.5 ? whole + 1 : whole) / 100);
}

void judge(ExamPage& page, AppState& state, QuestionTable& wrongAnswers)
{
    const std::string chosen = chosenAnswer(page);
    if (chosen.empty()) {
        page.setAnswerLabel("请选择答案", AnswerColour::wrong);
        return;
    }

    QuestionRow current;
    int rightCount = 0;
    int wrongCount = 0;
    bool right = false;
    {
        std::lock_guard lock(state.mutex);
        current = {state.currentNumber, state.currentQuestion, state.currentOptions, state.currentAnswer};
        right = chosen == current.answer;
        if (right)
            ++state.rightCount;
        else
            ++state.wrongCount;
        rightCount = state.rightCount;
        wrongCount = state.wrongCount;
    }

    if (right) {
        page.setAnswerLabel("√:" + answerDisplay(current.answer), AnswerColour::right);
        page.setScoreText(scoreText(rightCount, wrongCount));
        page.setSubmitCaption(std::string(SubmitCaption::next));
        return;
    }
    // The question stays on screen to be answered again; each further miss is recorded again.
    page.setAnswerLabel("×:" + answerDisplay(current.answer), AnswerColour::wrong);
    page.setScoreText(scoreText(rightCount, wrongCount));
    untickOptions(page);
    wrongAnswers.appendRows({std::move(current)});
}

void moveOn(ExamPage& page, AppState& state)
{
    bool poolEmpty = true;
    {
        std::lock_guard lock(state.mutex);
        poolEmpty = state.drawPool.empty();
    }
    if (poolEmpty) {
        page.setAnswerLabel("题目库存为0, 重新导入题库", AnswerColour::emptyPool);
        return;
    }
    page.startDraw();
    clearAnswerLabel(page);
    untickOptions(page);
    page.setSubmitCaption(std::string(SubmitCaption::submit));
}

} // namespace

void submitOrNext(ExamPage& page, AppState& state, QuestionTable& wrongAnswers)
{
    const std::string caption = page.submitCaption();
    if (caption == SubmitCaption::submit)
        judge(page, state, wrongAnswers);
    else if (caption == SubmitCaption::next)
        moveOn(page, state);
}

std::string chosenAnswer(ExamPage& page)
{
    std::string joined;
    for (int tag = 1; tag <= optionBoxCount; ++tag) {
        if (page.isOptionTicked(tag))
            joined += page.optionCaption(tag) + "|";
    }
    return dropLastChars(joined, 1);
}

std::string answerDisplay(std::string_view answer)
{
    if (answer.size() < shortenFrom)
        return std::string(answer);
    std::string shortened;
    for (const std::string_view piece : splitTextViews(answer, "|")) {
        shortened += leadingChars(piece, pieceBytes);
        shortened += "...|";
    }
    return shortened;
}

std::string scoreText(int rightCount, int wrongCount)
{
    const long long total = static_cast<long long>(rightCount) + wrongCount;
    return "总计 " + integerText(total) + " 题, 正确 " + integerText(rightCount) + " 题, 错误 "
        + integerText(wrongCount) + " 题, 正确率" + accuracyText(rightCount, wrongCount) + "%";
}

void clearAnswerLabel(ExamPage& page)
{
    page.setAnswerLabel({}, AnswerColour::cleared);
}

void untickOptions(ExamPage& page)
{
    for (int tag = 1; tag <= optionBoxCount; ++tag)
        page.setOptionTicked(tag, false);
}
