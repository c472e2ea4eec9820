#include "common/GbkCodec.h"

#include <QTest>

class TestGbkCodec final : public QObject
{
    Q_OBJECT

private slots:
    void roundTripsChinese();
    void marksWhatHasNoGbkForm();
    void decodesInvalidBytes();
};

void TestGbkCodec::roundTripsChinese()
{
    const std::string gbk = "第      题, 共120题√×【】，";
    QCOMPARE(fromGbk(gbk), QStringLiteral("第      题, 共120题√×【】，"));
    QCOMPARE(toGbk(QStringLiteral("安全管理")), std::string("安全管理"));
    QCOMPARE(toGbk(QString()), std::string());
}

void TestGbkCodec::marksWhatHasNoGbkForm()
{
    // An emoji (a surrogate pair) and a Hangul syllable have no GBK form: one "?" each.
    QCOMPARE(toGbk(QStringLiteral("a\U0001F600b\uD55Cc")), std::string("a?b?c"));
}

void TestGbkCodec::decodesInvalidBytes()
{
    // A lone lead byte at the end and an invalid pair still decode the rest.
    const QString decoded = fromGbk("ab\xFF\xFF" "cd\x81");
    QVERIFY(decoded.startsWith(QStringLiteral("ab")));
    QVERIFY(decoded.contains(QStringLiteral("cd")));
    QVERIFY(decoded.contains(QChar(0xFFFD)));
}

QTEST_APPLESS_MAIN(TestGbkCodec)
#include "TestGbkCodec.moc"
