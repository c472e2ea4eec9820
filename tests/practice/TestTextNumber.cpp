#include "practice/TextNumber.h"

#include <QTest>

#include <string>

class TestTextNumber final : public QObject
{
    Q_OBJECT

private slots:
    void readsLeadingInteger_data();
    void readsLeadingInteger();
};

void TestTextNumber::readsLeadingInteger_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("digits") << std::string("37") << 37;
    QTest::newRow("leading white space") << std::string(" \t\r\n 12") << 12;
    QTest::newRow("plus sign") << std::string("+8") << 8;
    QTest::newRow("minus sign") << std::string("-5") << -5;
    QTest::newRow("full-width digits") << std::string("１２０") << 120;
    QTest::newRow("full-width minus") << std::string("－４") << -4;
    QTest::newRow("full-width plus") << std::string("＋７") << 7;
    QTest::newRow("half- and full-width mixed") << std::string("1２3") << 123;
    QTest::newRow("letters after digits") << std::string("12abc") << 12;
    QTest::newRow("chinese after digits") << std::string("38题") << 38;
    QTest::newRow("letters only") << std::string("abc") << 0;
    QTest::newRow("empty") << std::string() << 0;
    QTest::newRow("sign without digits") << std::string("-") << 0;
    QTest::newRow("space between sign and digits") << std::string("- 5") << 0;
    QTest::newRow("two signs") << std::string("+-5") << 0;
    QTest::newRow("full-width space is no white space") << std::string("\xA1\xA1" "5") << 0;
    QTest::newRow("lone lead byte at the end") << std::string("7\xA3") << 7;
    QTest::newRow("largest int") << std::string("2147483647") << 2147483647;
    QTest::newRow("lowest int") << std::string("-2147483648") << -2147483647 - 1;
    QTest::newRow("too large clamped") << std::string("99999999999999999999") << 2147483647;
    QTest::newRow("too small clamped") << std::string("-99999999999999999999") << -2147483647 - 1;
}

void TestTextNumber::readsLeadingInteger()
{
    QFETCH(std::string, text);
    QFETCH(int, value);
    QCOMPARE(integerValue(text), value);
}

QTEST_GUILESS_MAIN(TestTextNumber)
#include "TestTextNumber.moc"
