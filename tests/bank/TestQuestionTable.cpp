#include "GbkPrinting.h"

#include "bank/QuestionTable.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <memory>

class TestQuestionTable final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void signalsEveryChange();
    void ignoresCellsThatDoNotExist();
    void readsCells_data();
    void readsCells();
    void findsFirstExactMatch_data();
    void findsFirstExactMatch();
    void searchLayoutShowsAnswerBeforeOptions();
    void carriesOutWorkerChangesOnItsOwnThread();

private:
    void fill();

    std::unique_ptr<QuestionTable> m_table;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

void TestQuestionTable::init()
{
    m_table = std::make_unique<QuestionTable>(QuestionTable::Layout::Standard);
    m_tester = std::make_unique<QAbstractItemModelTester>(
        m_table.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestQuestionTable::cleanup()
{
    m_tester.reset();
    m_table.reset();
}

void TestQuestionTable::fill()
{
    m_table->appendRows({{"1", "Question", "a     b", "a"}, {"2", "question", "a     b", "b"},
        {"3", "question ", "c     d", ""}, {"4", "question", "e     f", "f"}, {"5", "第五题", "甲     乙", "乙"}});
}

void TestQuestionTable::signalsEveryChange()
{
    QSignalSpy inserted(m_table.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(m_table.get(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(m_table.get(), &QAbstractItemModel::modelReset);

    QCOMPARE(m_table->appendRow(), 0);
    m_table->appendRows({{"2", "q2", "o2", "a2"}, {"3", "q3", "o3", "a3"}});
    m_table->appendRows({});
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(inserted.at(1).at(1).toInt(), 1);
    QCOMPARE(inserted.at(1).at(2).toInt(), 2);
    QCOMPARE(m_table->appendRow(), 3);

    m_table->setCell(0, 3, "a1");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), m_table->index(0, 3));
    QCOMPARE(m_table->row(0), (QuestionRow {"", "", "", "a1"}));
    QCOMPARE(m_table->data(m_table->index(0, 3)).toString(), QStringLiteral("a1"));

    m_table->deleteAllRows();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(m_table->rowCount(), 0);
}

void TestQuestionTable::ignoresCellsThatDoNotExist()
{
    fill();
    const Rows before = m_table->rows();
    QSignalSpy changed(m_table.get(), &QAbstractItemModel::dataChanged);
    m_table->setCell(5, 1, "x");
    m_table->setCell(-1, 1, "x");
    m_table->setCell(0, 4, "x");
    m_table->setCell(0, -1, "x");
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_table->rows(), before);
}

void TestQuestionTable::readsCells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<std::string>("text");

    QTest::newRow("number") << 0 << 0 << std::string("1");
    QTest::newRow("gbk question") << 4 << 1 << std::string("第五题");
    QTest::newRow("empty cell") << 2 << 3 << std::string();
    QTest::newRow("row past the end") << 5 << 1 << std::string();
    QTest::newRow("negative row") << -1 << 1 << std::string();
    QTest::newRow("column past the end") << 0 << 4 << std::string();
    QTest::newRow("negative column") << 0 << -1 << std::string();
}

void TestQuestionTable::readsCells()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(std::string, text);
    fill();
    QCOMPARE(m_table->cellText(row, column), text);
}

void TestQuestionTable::findsFirstExactMatch_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("index");

    QTest::newRow("lowest of several matches") << 1 << std::string("question") << 1;
    QTest::newRow("case differs") << 1 << std::string("QUESTION") << -1;
    QTest::newRow("trailing space differs") << 1 << std::string("Question ") << -1;
    QTest::newRow("trailing space matches exactly") << 1 << std::string("question ") << 2;
    QTest::newRow("gbk text") << 1 << std::string("第五题") << 4;
    QTest::newRow("options column") << 2 << std::string("c     d") << 2;
    QTest::newRow("empty answer") << 3 << std::string() << 2;
    QTest::newRow("prefix is no match") << 1 << std::string("quest") << -1;
    QTest::newRow("column past the end") << 4 << std::string("a") << -1;
}

void TestQuestionTable::findsFirstExactMatch()
{
    QFETCH(int, column);
    QFETCH(std::string, text);
    QFETCH(int, index);
    fill();
    QCOMPARE(m_table->findRow(column, text), index);
}

void TestQuestionTable::searchLayoutShowsAnswerBeforeOptions()
{
    QuestionTable search(QuestionTable::Layout::Search);
    QAbstractItemModelTester tester(&search, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const Rows rows = {{"9", "q9", "o1     o2", "o2"}};
    search.appendRows(rows);

    QCOMPARE(search.cellText(0, 2), std::string("o2"));
    QCOMPARE(search.cellText(0, 3), std::string("o1     o2"));
    QCOMPARE(search.rows(), rows);
}

void TestQuestionTable::carriesOutWorkerChangesOnItsOwnThread()
{
    std::vector<QThread*> changeThreads;
    const auto recordThread = [&changeThreads] { changeThreads.push_back(QThread::currentThread()); };
    connect(m_table.get(), &QAbstractItemModel::rowsInserted, this, recordThread, Qt::DirectConnection);
    connect(m_table.get(), &QAbstractItemModel::dataChanged, this, recordThread, Qt::DirectConnection);
    connect(m_table.get(), &QAbstractItemModel::modelReset, this, recordThread, Qt::DirectConnection);

    int appended = -1;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        appended = m_table->appendRow();
        m_table->setCell(appended, 1, "q1");
        m_table->appendRows({{"2", "q2", "o2", "a2"}});
        m_table->deleteAllRows();
        m_table->appendRows({{"1", "q1", "o1", "a1"}});
    }));
    QSignalSpy finished(worker.get(), &QThread::finished);
    worker->start();
    QVERIFY(finished.wait(60'000)); // the table's changes need this thread's event loop

    QCOMPARE(appended, 0);
    QCOMPARE(m_table->rows(), (Rows {{"1", "q1", "o1", "a1"}}));
    QCOMPARE(changeThreads.size(), size_t(5));
    for (QThread* thread : changeThreads)
        QCOMPARE(thread, QThread::currentThread());
}

QTEST_GUILESS_MAIN(TestQuestionTable)
#include "TestQuestionTable.moc"
