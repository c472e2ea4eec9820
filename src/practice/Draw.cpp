#include "Draw.h"

#include "RandomSource.h"
#include "TextNumber.h"

#include "bank/QuestionTable.h"
#include "common/AppState.h"
#include "common/ExamPage.h"
#include "common/NumberText.h"
#include "common/TextPrimitives.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace {

// The number box sits over the six spaces, so label and box read as one line.
constexpr std::string_view progressHead = "第      题, 共";
constexpr std::string_view optionSeparator = "     ";

struct Pick
{
    std::optional<int> number; // none when there was nothing to draw
    std::string progress;
};

std::string progressWithTotal(int rowCount)
{
    return std::string(progressHead) + integerText(rowCount) + "题";
}

Pick pickFromPool(AppState& state, RandomSource& random, int rowCount)
{
    int poolSize = 0;
    std::optional<int> number;
    {
        std::lock_guard lock(state.mutex);
        poolSize = static_cast<int>(state.drawPool.size());
        state.poolSizeAtDraw = poolSize;
        if (poolSize > 0) {
            const auto element = state.drawPool.begin() + (random.between(1, poolSize) - 1);
            number = integerValue(*element);
            state.drawPool.erase(element);
        }
    }
    const int stock = std::max(poolSize - 1, 0);
    return {number, progressWithTotal(rowCount) + ", 库存" + integerText(stock) + "题"};
}

int nextInSequence(ExamPage& page, int rowCount)
{
    // In 64 bits, so the largest typed number plus one wraps to 1 instead of overflowing.
    const long long number = static_cast<long long>(integerValue(page.numberBoxText())) + 1;
    return number > rowCount ? 1 : static_cast<int>(number);
}

QuestionRow rowAt(const QuestionTable& bank, std::optional<int> number)
{
    if (!number || *number < 1)
        return {};
    return bank.row(*number - 1);
}

} // namespace

void drawNextQuestion(ExamPage& page, const QuestionTable& bank, AppState& state, RandomSource& random)
{
    for (int tag = 1; tag <= optionBoxCount; ++tag) {
        page.setOptionVisible(tag, false);
        page.setOptionCaption(tag, {});
    }

    const int rowCount = bank.rowCount();
    const std::string order = page.drawOrder();
    Pick pick;
    if (order == DrawOrder::noRepeat)
        pick = pickFromPool(state, random, rowCount);
    else if (order == DrawOrder::random)
        pick = {random.between(1, rowCount), progressWithTotal(rowCount)};
    else if (order == DrawOrder::sequential)
        pick = {nextInSequence(page, rowCount), progressWithTotal(rowCount)};

    page.setProgressText(pick.progress);
    page.setNumberBoxText(pick.number ? integerText(*pick.number) : std::string());

    const QuestionRow row = rowAt(bank, pick.number);
    {
        std::lock_guard lock(state.mutex);
        state.currentNumber = row.number;
        state.currentQuestion = row.question;
        state.currentOptions = row.options;
        state.currentAnswer = row.answer;
    }
    page.setQuestionText(row.question);

    // Five option boxes: a sixth option and beyond has no box to go to.
    const std::vector<std::string_view> pieces = splitTextViews(row.options, optionSeparator);
    const int shown = std::min(static_cast<int>(pieces.size()), optionBoxCount);
    for (int tag = 1; tag <= shown; ++tag) {
        page.setOptionVisible(tag, true);
        page.setOptionCaption(tag, std::string(pieces[static_cast<size_t>(tag - 1)]));
    }
}
