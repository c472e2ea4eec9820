#include "BankImport.h"

#include "BankFile.h"
#include "ProgressThrottle.h"
#include "QuestionTable.h"

#include "common/AppState.h"
#include "common/ExamPage.h"
#include "common/NumberText.h"
#include "common/StatusReporter.h"

#include <string>

namespace {

std::string importedMessage(long long count)
{
    return " 导入成功,合计" + integerText(count) + "题目";
}

// Reads the category's file into the bank list. False when the file cannot be opened.
bool importBankFile(const QString& path, QuestionTable& bank, StatusReporter& status)
{
    ProgressThrottle progress(status, "导入中...合计", "题目");
    std::optional<std::vector<QuestionRow>> rows
        = loadBankRows(path, [&progress](long long lines) { progress.report(lines); });
    if (!rows)
        return false;
    if (rows->empty()) {
        status.showStamped(" 导入失败");
        return true;
    }
    const auto count = static_cast<long long>(rows->size());
    bank.appendRows(std::move(*rows));
    progress.finish(count);
    status.showStamped(importedMessage(count));
    return true;
}

} // namespace

void importCategoryBank(const Category& category, const QString& programDir, AppState& state, QuestionTable& bank,
    const QuestionTable& wrongAnswers, ExamPage& page, StatusReporter& status)
{
    {
        std::lock_guard lock(state.mutex);
        state.drawPool = {};
    }
    bank.deleteAllRows();

    if (category.wrongAnswers) {
        copyWrongAnswersToBank(wrongAnswers, bank);
        fillDrawPool(state, bank);
        status.showStamped(importedMessage(bank.rowCount()));
    } else {
        if (!importBankFile(bankFilePath(programDir, category.caption), bank, status)) {
            status.showStamped(" 文件被占用,打开失败");
            return;
        }
        fillDrawPool(state, bank);
    }

    page.setAnswerLabel({}, AnswerColour::cleared);
    for (int tag = 1; tag <= optionBoxCount; ++tag)
        page.setOptionTicked(tag, false);
    page.startDraw();
}

void copyWrongAnswersToBank(const QuestionTable& wrongAnswers, QuestionTable& bank)
{
    bank.appendRows(wrongAnswers.rows());
}

void fillDrawPool(AppState& state, const QuestionTable& bank)
{
    const int count = bank.rowCount();
    std::vector<std::string> pool;
    pool.reserve(static_cast<size_t>(count));
    for (int number = 1; number <= count; ++number)
        pool.push_back(integerText(number));
    std::lock_guard lock(state.mutex);
    state.drawPool = std::move(pool);
}
