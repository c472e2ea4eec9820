#include "GbkPrinting.h"
#include "RecordingStatus.h"

#include "bank/ProgressThrottle.h"

#include <QTest>

using namespace std::chrono_literals;

class TestProgressThrottle final : public QObject
{
    Q_OBJECT

private slots:
    void showsCounts_data();
    void showsCounts();
};

void TestProgressThrottle::showsCounts_data()
{
    QTest::addColumn<bool>("thinnedOut");
    QTest::addColumn<std::vector<long long>>("reports");
    QTest::addColumn<long long>("finish");
    QTest::addColumn<Texts>("texts");

    QTest::newRow("every count when not thinned out")
        << false << std::vector<long long> {1, 2, 3} << 3LL << Texts {"<1>", "<2>", "<3>"};
    QTest::newRow("first count at once, final count at the end")
        << true << std::vector<long long> {1, 2, 3} << 3LL << Texts {"<1>", "<3>"};
    QTest::newRow("final count not repeated") << true << std::vector<long long> {1} << 1LL << Texts {"<1>"};
    QTest::newRow("nothing for no steps") << true << std::vector<long long> {} << 0LL << Texts {};
}

void TestProgressThrottle::showsCounts()
{
    QFETCH(bool, thinnedOut);
    QFETCH(std::vector<long long>, reports);
    QFETCH(long long, finish);
    QFETCH(Texts, texts);

    RecordingStatus status;
    {
        // An hour between texts stands for a run faster than the eye.
        ProgressThrottle progress(status, "<", ">", thinnedOut ? std::chrono::steady_clock::duration(1h) : 0s);
        for (const long long count : reports)
            progress.report(count);
        progress.finish(finish);
    }
    QCOMPARE(status.texts(), texts);
}

QTEST_GUILESS_MAIN(TestProgressThrottle)
#include "TestProgressThrottle.moc"
