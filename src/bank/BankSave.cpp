#include "BankSave.h"

#include "BankFile.h"
#include "ProgressThrottle.h"
#include "QuestionTable.h"

#include "common/NumberText.h"
#include "common/StatusReporter.h"

void saveCategoryBank(
    const Category& category, const QString& programDir, const QuestionTable& bank, StatusReporter& status)
{
    // One snapshot: rows appended meanwhile wait for the next save.
    const std::vector<QuestionRow> rows = bank.rows();
    const auto count = static_cast<long long>(rows.size());
    ProgressThrottle progress(status, "导出中...共", "个");
    const std::string text = bankFileText(rows, [&progress](long long done) { progress.report(done); });
    progress.finish(count);

    if (category.wrongAnswers) {
        status.showStamped(" 暂不支持错题导出");
        return;
    }
    if (writeBankFile(bankFilePath(programDir, category.caption), text))
        status.showStamped(" 导出完成...共" + integerText(count) + "个");
    else
        status.showStamped(" 导出失败");
}
