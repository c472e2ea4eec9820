#include "GbkPrinting.h"
#include "FakeExamPage.h"
#include "RecordingStatus.h"

#include "bank/BankImport.h"
#include "bank/BankSave.h"
#include "bank/QuestionTable.h"

#include "common/AppState.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

using namespace std::string_literals;

// The import and the save as the window runs them, on a temporary program folder.
class TestBankFlows final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void importsBankFile();
    void stopsWhenFileCannotBeOpened_data();
    void stopsWhenFileCannotBeOpened();
    void stopsWhenFileIsReadOnly();
    void reportsFailureForEmptyText_data();
    void reportsFailureForEmptyText();
    void importsWrongAnswers_data();
    void importsWrongAnswers();
    void importsFromWorkerThread();
    void savesBank();
    void savesEmptyBankAsEmptyFile();
    void refusesSavingWrongAnswers();
    void reportsFailedSave_data();
    void reportsFailedSave();

private:
    QString bankPath(const Category& category) const;
    void writeBank(const Category& category, const std::string& bytes);
    std::string bankBytes(const Category& category) const;
    void importCategory(const Category& category);
    void checkPageUntouched();
    void checkPageCleared();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<QuestionTable> m_bank;
    std::unique_ptr<QuestionTable> m_wrongAnswers;
    std::unique_ptr<FakeExamPage> m_page;
    std::unique_ptr<RecordingStatus> m_status;
};

namespace {

const Category& management = categories[0];
const Category& law = categories[1];
const Category& wrongAnswerCategory = categories[5];

const Rows threeRows
    = {{"1", "第一题", "甲     乙", "甲"}, {"2", "q2", "o1     o2     o3", "o1|o3"}, {"3", "q3", "o1", ""}};
const std::string threeLines = "第一题,甲     乙,甲\r\nq2,o1     o2     o3,o1|o3\r\nq3,o1,\r\n";

std::string stamped(const std::string& message)
{
    return RecordingStatus::stampMarker + message;
}

// Progress texts may be thinned out, but they count upwards and the last one, right before
// the final message, is the full count.
void checkProgressThenFinal(
    const Texts& texts, const std::string& prefix, const std::string& suffix, int count, const std::string& final)
{
    QVERIFY(texts.size() >= 2);
    QCOMPARE(texts.back(), final);
    QCOMPARE(texts[texts.size() - 2], prefix + std::to_string(count) + suffix);
    int previous = 0;
    for (size_t i = 0; i + 1 < texts.size(); ++i) {
        const std::string& text = texts[i];
        QVERIFY2(text.starts_with(prefix) && text.ends_with(suffix), text.c_str());
        const int shown = std::stoi(text.substr(prefix.size(), text.size() - prefix.size() - suffix.size()));
        QVERIFY(shown > previous && shown <= count);
        previous = shown;
    }
}

} // namespace

void TestBankFlows::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
    m_bank = std::make_unique<QuestionTable>(QuestionTable::Layout::Standard);
    m_wrongAnswers = std::make_unique<QuestionTable>(QuestionTable::Layout::Standard);
    m_page = std::make_unique<FakeExamPage>();
    m_status = std::make_unique<RecordingStatus>();

    // What an earlier import and answer left behind.
    m_state->drawPool = {"7", "9"};
    m_bank->appendRows({{"1", "old", "old", "old"}});
    m_page->answerText = "×:old";
    m_page->answerBackground = AnswerColour::wrong;
    m_page->tick({1, 3, 5});
}

void TestBankFlows::cleanup()
{
    m_status.reset();
    m_page.reset();
    m_wrongAnswers.reset();
    m_bank.reset();
    m_state.reset();
    m_dir.reset();
}

QString TestBankFlows::bankPath(const Category& category) const
{
    return bankFilePath(m_dir->path(), category.caption);
}

void TestBankFlows::writeBank(const Category& category, const std::string& bytes)
{
    QFile file(bankPath(category));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
}

std::string TestBankFlows::bankBytes(const Category& category) const
{
    QFile file(bankPath(category));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>"s;
}

void TestBankFlows::importCategory(const Category& category)
{
    importCategoryBank(category, m_dir->path(), *m_state, *m_bank, *m_wrongAnswers, *m_page, *m_status);
}

void TestBankFlows::checkPageUntouched()
{
    QCOMPARE(m_page->answerText, "×:old"s);
    QCOMPARE(m_page->answerBackground, AnswerColour::wrong);
    for (const int tag : {1, 3, 5})
        QVERIFY(m_page->option(tag).ticked);
    QCOMPARE(m_page->drawsStarted, 0);
}

void TestBankFlows::checkPageCleared()
{
    QCOMPARE(m_page->answerText, ""s);
    QCOMPARE(m_page->answerBackground, AnswerColour::cleared);
    for (int tag = 1; tag <= optionBoxCount; ++tag)
        QVERIFY(!m_page->option(tag).ticked);
    QCOMPARE(m_page->drawsStarted, 1);
}

void TestBankFlows::importsBankFile()
{
    writeBank(management, threeLines);
    importCategory(management);

    checkProgressThenFinal(m_status->texts(), "导入中...合计", "题目", 3, stamped(" 导入成功,合计3题目"));
    QCOMPARE(m_bank->rows(), threeRows);
    QCOMPARE(m_state->drawPool, (Texts {"1", "2", "3"}));
    checkPageCleared();
}

void TestBankFlows::stopsWhenFileCannotBeOpened_data()
{
    QTest::addColumn<bool>("folderInItsPlace");
    QTest::newRow("missing file") << false;
    QTest::newRow("folder in its place") << true;
}

void TestBankFlows::stopsWhenFileCannotBeOpened()
{
    QFETCH(bool, folderInItsPlace);
    if (folderInItsPlace)
        QVERIFY(QDir().mkpath(bankPath(management)));
    importCategory(management);

    QCOMPARE(m_status->texts(), Texts {stamped(" 文件被占用,打开失败")});
    QCOMPARE(m_bank->rowCount(), 0);
    QCOMPARE(m_state->drawPool, Texts {});
    checkPageUntouched();
}

void TestBankFlows::stopsWhenFileIsReadOnly()
{
    writeBank(management, threeLines);
    QVERIFY(QFile::setPermissions(bankPath(management), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    QFile probe(bankPath(management));
    if (probe.open(QIODevice::ReadWrite))
        QSKIP("this user may write a read-only file");
    importCategory(management);

    QCOMPARE(m_status->texts(), Texts {stamped(" 文件被占用,打开失败")});
    QCOMPARE(m_bank->rowCount(), 0);
    checkPageUntouched();
}

void TestBankFlows::reportsFailureForEmptyText_data()
{
    QTest::addColumn<std::string>("bytes");
    QTest::newRow("empty file") << ""s;
    QTest::newRow("nul first") << "\0q1,o1,a1\r\n"s;
    QTest::newRow("sub first") << "\x1Aq1,o1,a1\r\n"s;
}

void TestBankFlows::reportsFailureForEmptyText()
{
    QFETCH(std::string, bytes);
    writeBank(management, bytes);
    importCategory(management);

    QCOMPARE(m_status->texts(), Texts {stamped(" 导入失败")});
    QCOMPARE(m_bank->rowCount(), 0);
    QCOMPARE(m_state->drawPool, Texts {});
    checkPageCleared();
}

void TestBankFlows::importsWrongAnswers_data()
{
    QTest::addColumn<Rows>("wrongAnswers");
    QTest::addColumn<Texts>("drawPool");
    QTest::addColumn<std::string>("message");

    QTest::newRow("old numbers and duplicates kept")
        << Rows {{"5", "q5", "o1     o2", "o2"}, {"2", "q2", "o1", "o1"}, {"5", "q5", "o1     o2", "o2"}}
        << Texts {"1", "2", "3"} << " 导入成功,合计3题目"s;
    QTest::newRow("no wrong answers") << Rows {} << Texts {} << " 导入成功,合计0题目"s;
}

void TestBankFlows::importsWrongAnswers()
{
    QFETCH(Rows, wrongAnswers);
    QFETCH(Texts, drawPool);
    QFETCH(std::string, message);
    m_wrongAnswers->appendRows(wrongAnswers);
    importCategory(wrongAnswerCategory);

    QCOMPARE(m_status->texts(), Texts {stamped(message)});
    QCOMPARE(m_bank->rows(), wrongAnswers);
    QCOMPARE(m_wrongAnswers->rows(), wrongAnswers);
    QCOMPARE(m_state->drawPool, drawPool);
    checkPageCleared();
}

void TestBankFlows::importsFromWorkerThread()
{
    writeBank(management, threeLines);
    std::unique_ptr<QThread> worker(QThread::create([this] { importCategory(management); }));
    QSignalSpy finished(worker.get(), &QThread::finished);
    worker->start();
    QVERIFY(finished.wait(60'000)); // the tables change on this thread's event loop

    QCOMPARE(m_bank->rows(), threeRows);
    QCOMPARE(m_status->last(), stamped(" 导入成功,合计3题目"));
}

void TestBankFlows::savesBank()
{
    m_bank->deleteAllRows();
    m_bank->appendRows(threeRows);
    saveCategoryBank(law, m_dir->path(), *m_bank, *m_status);

    checkProgressThenFinal(m_status->texts(), "导出中...共", "个", 3, stamped(" 导出完成...共3个"));
    QCOMPARE(bankBytes(law), threeLines);
    QCOMPARE(m_bank->rows(), threeRows);
}

void TestBankFlows::savesEmptyBankAsEmptyFile()
{
    writeBank(law, threeLines);
    m_bank->deleteAllRows();
    saveCategoryBank(law, m_dir->path(), *m_bank, *m_status);

    QCOMPARE(m_status->texts(), Texts {stamped(" 导出完成...共0个")});
    QCOMPARE(bankBytes(law), ""s);
}

void TestBankFlows::refusesSavingWrongAnswers()
{
    writeBank(law, threeLines);
    m_bank->appendRows({{"2", "q2", "o2", "a2"}});
    saveCategoryBank(wrongAnswerCategory, m_dir->path(), *m_bank, *m_status);

    checkProgressThenFinal(m_status->texts(), "导出中...共", "个", 2, stamped(" 暂不支持错题导出"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        QStringList {QFileInfo(bankPath(law)).fileName()});
    QCOMPARE(bankBytes(law), threeLines);
}

void TestBankFlows::reportsFailedSave_data()
{
    QTest::addColumn<bool>("programDirIsAFile");
    QTest::newRow("program folder is a file") << true;
    QTest::newRow("bank file is a folder") << false;
}

void TestBankFlows::reportsFailedSave()
{
    QFETCH(bool, programDirIsAFile);
    QString programDir = m_dir->path();
    if (programDirIsAFile) {
        programDir = m_dir->filePath(QStringLiteral("lunvexa"));
        QFile file(programDir);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(bankPath(law)));
    }
    saveCategoryBank(law, programDir, *m_bank, *m_status);

    checkProgressThenFinal(m_status->texts(), "导出中...共", "个", 1, stamped(" 导出失败"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 1);
}

QTEST_GUILESS_MAIN(TestBankFlows)
#include "TestBankFlows.moc"
