#include "bank/Category.h"

#include <QTest>

class TestCategory final : public QObject
{
    Q_OBJECT

private slots:
    void buildsBankFilePath_data();
    void buildsBankFilePath();
};

void TestCategory::buildsBankFilePath_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("path");

    QTest::newRow("program folder") << QStringLiteral("/opt/lunvexa") << 1
                                    << QStringLiteral("/opt/lunvexa/数据库-法律法规.csv");
    QTest::newRow("root folder") << QStringLiteral("/") << 0 << QStringLiteral("/数据库-安全管理.csv");
    QTest::newRow("longest caption") << QStringLiteral("/a b") << 2
                                     << QStringLiteral("/a b/数据库-安全技术机械设备.csv");
}

void TestCategory::buildsBankFilePath()
{
    QFETCH(QString, programDir);
    QFETCH(int, category);
    QFETCH(QString, path);
    QCOMPARE(bankFilePath(programDir, categories.at(size_t(category)).caption), path);
}

QTEST_APPLESS_MAIN(TestCategory)
#include "TestCategory.moc"
