#include "GbkPrinting.h"
#include "common/NumberText.h"
#include "common/TextPrimitives.h"

#include <QTest>

#include <string>
#include <vector>

// Double-byte characters whose second byte equals an ASCII delimiter: 0x95 0x7C holds "|",
// 0x81 0x2C holds ",", 0x81 0x41 holds "A".
static const std::string pipeInside = "\x95\x7C";
static const std::string commaInside = "\x81\x2C";

class TestTextPrimitives final : public QObject
{
    Q_OBJECT

private slots:
    void findsText_data();
    void findsText();
    void replacesText_data();
    void replacesText();
    void cutsBytes();
    void trimsSpaces_data();
    void trimsSpaces();
    void splitsText_data();
    void splitsText();
    void cutsTextBetweenMarkers_data();
    void cutsTextBetweenMarkers();
    void replacesMany_data();
    void replacesMany();
    void dropsLastChars();
    void encodesBase64_data();
    void encodesBase64();
    void writesNumbers_data();
    void writesNumbers();
};

void TestTextPrimitives::findsText_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("search");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<int>("expected");

    QTest::newRow("first occurrence") << std::string("abcabc") << std::string("bc") << 1 << false << 2;
    QTest::newRow("from a start") << std::string("abcabc") << std::string("bc") << 3 << false << 5;
    QTest::newRow("start below 1") << std::string("abc") << std::string("a") << -4 << false << 1;
    QTest::newRow("not found") << std::string("abc") << std::string("x") << 1 << false << -1;
    QTest::newRow("case differs") << std::string("Date:") << std::string("date:") << 1 << false << -1;
    QTest::newRow("ignoring case") << std::string("Date:") << std::string("date:") << 1 << true << 1;
    QTest::newRow("empty search, byte left") << std::string("abc") << std::string() << 3 << false << 1;
    QTest::newRow("empty search, nothing left") << std::string("abc") << std::string() << 4 << false << -1;
    QTest::newRow("not in a trail byte") << pipeInside + "|" << std::string("|") << 1 << false << 3;
    QTest::newRow("only in a trail byte") << pipeInside << std::string("|") << 1 << false << -1;
    QTest::newRow("double-byte search") << std::string("问题答案") << std::string("答案") << 1 << false << 5;
    QTest::newRow("lead byte at the end") << std::string("a\x81") << std::string("\x81") << 1 << false << -1;
}

void TestTextPrimitives::findsText()
{
    QFETCH(std::string, text);
    QFETCH(std::string, search);
    QFETCH(int, start);
    QFETCH(bool, ignoreCase);
    QFETCH(int, expected);
    QCOMPARE(findText(text, search, start, ignoreCase), expected);
}

void TestTextPrimitives::replacesText_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("search");
    QTest::addColumn<std::string>("replacement");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("all") << std::string("a,b,c") << std::string(",") << std::string(";") << 1 << -1 << true
                         << std::string("a;b;c");
    QTest::newRow("inserted text not scanned") << std::string("aaa") << std::string("aa") << std::string("a") << 1
                                               << -1 << true << std::string("aa");
    QTest::newRow("count 1") << std::string("aaa") << std::string("a") << std::string("b") << 1 << 1 << true
                             << std::string("baa");
    QTest::newRow("count 0") << std::string("aaa") << std::string("a") << std::string("b") << 1 << 0 << true
                             << std::string("aaa");
    QTest::newRow("from a start") << std::string("aaa") << std::string("a") << std::string("b") << 2 << -1 << true
                                  << std::string("abb");
    QTest::newRow("start beyond the end") << std::string("aaa") << std::string("a") << std::string("b") << 4 << -1
                                          << true << std::string("aaa");
    QTest::newRow("empty search") << std::string("abc") << std::string() << std::string("x") << 1 << -1 << true
                                  << std::string("abc");
    QTest::newRow("ignoring case") << std::string("Cookie: a=1") << std::string("cookie:") << std::string() << 1
                                   << -1 << false << std::string(" a=1");
    QTest::newRow("trail byte kept") << commaInside + "," << std::string(",") << std::string("；") << 1 << -1 << true
                                     << commaInside + "；";
    QTest::newRow("quote placeholder") << std::string("k=#引号") << std::string(quotePlaceholder)
                                       << std::string("\"") << 1 << -1 << true << std::string("k=\"");
}

void TestTextPrimitives::replacesText()
{
    QFETCH(std::string, text);
    QFETCH(std::string, search);
    QFETCH(std::string, replacement);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(bool, caseSensitive);
    QFETCH(std::string, expected);
    QCOMPARE(replaceText(text, search, replacement, start, count, caseSensitive), expected);
}

void TestTextPrimitives::cutsBytes()
{
    QCOMPARE(textLeft("abc", 2), std::string("ab"));
    QCOMPARE(textLeft("abc", 9), std::string("abc"));
    QCOMPARE(textLeft("abc", 0), std::string());
    QCOMPARE(textRight("abc", 2), std::string("bc"));
    QCOMPARE(textRight("abc", 9), std::string("abc"));
    QCOMPARE(textRight("abc", -1), std::string());
    QCOMPARE(textMid("abcdef", 2, 3), std::string("bcd"));
    QCOMPARE(textMid("abcdef", 5, 9), std::string("ef"));
    QCOMPARE(textMid("abc", 0, 2), std::string());
    QCOMPARE(textMid("abc", 4, 1), std::string());
    QCOMPARE(textMid("abc", 1, 0), std::string());
    // Cutting counts bytes and may split a double-byte character.
    QCOMPARE(textLeft("问题", 3), std::string("问题").substr(0, 3));
}

void TestTextPrimitives::trimsSpaces_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("half-width") << std::string("  ab c  ") << std::string("ab c");
    QTest::newRow("full-width") << std::string("\xA1\xA1 ab\xA1\xA1") << std::string("ab");
    QTest::newRow("tab kept") << std::string("\tab ") << std::string("\tab");
    QTest::newRow("line breaks kept") << std::string(" ab\r\n") << std::string("ab\r\n");
    QTest::newRow("only spaces") << std::string(" \xA1\xA1 ") << std::string();
    QTest::newRow("trail byte 0xA1 is no space") << std::string("\xB0\xA1\xA1") << std::string("\xB0\xA1\xA1");
}

void TestTextPrimitives::trimsSpaces()
{
    QFETCH(std::string, text);
    QFETCH(std::string, expected);
    QCOMPARE(trimSpaces(text), expected);
}

void TestTextPrimitives::splitsText_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("delimiter");
    QTest::addColumn<Texts>("expected");

    QTest::newRow("empty piece between") << std::string("a||b") << std::string("|") << Texts{"a", "", "b"};
    QTest::newRow("trailing delimiter") << std::string("a|") << std::string("|") << Texts{"a"};
    QTest::newRow("leading delimiter") << std::string("|a") << std::string("|") << Texts{"", "a"};
    QTest::newRow("only a delimiter") << std::string("|") << std::string("|") << Texts{""};
    QTest::newRow("empty text") << std::string() << std::string("|") << Texts{};
    QTest::newRow("no delimiter") << std::string("abc") << std::string("|") << Texts{"abc"};
    QTest::newRow("not inside a character") << pipeInside + "|b" << std::string("|") << Texts{pipeInside, "b"};
    QTest::newRow("lines") << std::string("a\r\n\r\nb\r\n") << std::string("\r\n") << Texts{"a", "", "b"};
    QTest::newRow("five spaces") << std::string("A     B          C     ") << std::string("     ")
                                 << Texts{"A", "B", "", "C"};
}

void TestTextPrimitives::splitsText()
{
    QFETCH(std::string, text);
    QFETCH(std::string, delimiter);
    QFETCH(Texts, expected);
    QCOMPARE(splitText(text, delimiter), expected);
    const auto views = splitTextViews(text, delimiter);
    QCOMPARE(Texts(views.begin(), views.end()), expected);
}

void TestTextPrimitives::cutsTextBetweenMarkers_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("left");
    QTest::addColumn<std::string>("right");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("no right marker after") << std::string("a=1;b=2") << std::string("b=") << std::string(";")
                                           << false << std::string();
    QTest::newRow("first value") << std::string("a=1;b=2") << std::string("a=") << std::string(";") << false
                                 << std::string("1");
    QTest::newRow("right marker after the left") << std::string("xAyAz") << std::string("A") << std::string("A")
                                                 << false << std::string("y");
    QTest::newRow("quote placeholder") << std::string("k=\"v\"") << std::string("k=#引号") << std::string("#引号")
                                       << false << std::string("v");
    QTest::newRow("ignoring case") << std::string("DATE: x\r\n") << std::string("date:") << std::string("\r\n")
                                   << true << std::string(" x");
    QTest::newRow("case-sensitive by default") << std::string("DATE: x\r\n") << std::string("date:")
                                               << std::string("\r\n") << false << std::string();
    QTest::newRow("left marker at the end") << std::string("abc=") << std::string("=") << std::string(";") << false
                                            << std::string();
    QTest::newRow("markers adjacent") << std::string("【】") << std::string("【") << std::string("】") << false
                                      << std::string();
    QTest::newRow("marker in a trail byte") << pipeInside + "x|y|" << std::string("|") << std::string("|") << false
                                            << std::string("y");
    QTest::newRow("version") << std::string("说明 最新版本【V20220401】 最新版本【V1】") << std::string("最新版本【")
                             << std::string("】") << false << std::string("V20220401");
}

void TestTextPrimitives::cutsTextBetweenMarkers()
{
    QFETCH(std::string, text);
    QFETCH(std::string, left);
    QFETCH(std::string, right);
    QFETCH(bool, ignoreCase);
    QFETCH(std::string, expected);
    QCOMPARE(textBetween(text, left, right, 0, ignoreCase), expected);
}

void TestTextPrimitives::replacesMany_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<std::string>("expected");

    // Every row applies the pairs "," -> "；", "a" -> "b", "b" -> "c".
    QTest::newRow("all commas") << std::string("x,y,,z") << -1 << std::string("x；y；；z");
    QTest::newRow("later pairs see earlier results") << std::string("ab") << -1 << std::string("cc");
    QTest::newRow("count per pair") << std::string("aabb") << 1 << std::string("cabb");
    QTest::newRow("letters ignore case") << std::string("AB") << -1 << std::string("cc");
}

void TestTextPrimitives::replacesMany()
{
    QFETCH(std::string, text);
    QFETCH(int, count);
    QFETCH(std::string, expected);
    QCOMPARE(replaceMany(text, {{",", "；"}, {"a", "b"}, {"b", "c"}}, count), expected);
    QCOMPARE(replaceMany("aabb", {{"a", "x"}, {"b", "y"}}, 1), std::string("xayb"));
    QCOMPARE(replaceMany("ab", {{"", "x"}}), std::string("ab"));
}

void TestTextPrimitives::dropsLastChars()
{
    QCOMPARE(dropLastChars("A|B|", 1), std::string("A|B"));
    QCOMPARE(dropLastChars("ab", 5), std::string());
    QCOMPARE(dropLastChars("ab", 0), std::string("ab"));
    QCOMPARE(dropLastChars("ab", -2), std::string("ab"));
}

void TestTextPrimitives::encodesBase64_data()
{
    QTest::addColumn<std::string>("bytes");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("empty") << std::string() << std::string();
    QTest::newRow("one byte") << std::string("f") << std::string("Zg==");
    QTest::newRow("two bytes") << std::string("fo") << std::string("Zm8=");
    QTest::newRow("three bytes") << std::string("foo") << std::string("Zm9v");
    QTest::newRow("zero and high bytes") << std::string("\0\xFF\x80", 3) << std::string("AP+A");
    QTest::newRow("credentials") << std::string("user:pass") << std::string("dXNlcjpwYXNz");
}

void TestTextPrimitives::encodesBase64()
{
    QFETCH(std::string, bytes);
    QFETCH(std::string, expected);
    QCOMPARE(base64Encode(bytes), expected);
}

void TestTextPrimitives::writesNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("whole") << 100.0 << std::string("100");
    QTest::newRow("one decimal") << 12.5 << std::string("12.5");
    QTest::newRow("two decimals") << 66.67 << std::string("66.67");
    QTest::newRow("thirteen digits") << 2.0 / 3.0 << std::string("0.6666666666667");
    QTest::newRow("zero") << 0.0 << std::string("0");
    QTest::newRow("negative") << -0.25 << std::string("-0.25");
    QTest::newRow("large, no exponent") << 1e20 << std::string("100000000000000000000");
    QTest::newRow("small, no exponent") << 1.5e-7 << std::string("0.00000015");
}

void TestTextPrimitives::writesNumbers()
{
    QFETCH(double, value);
    QFETCH(std::string, expected);
    QCOMPARE(decimalText(value), expected);
    QCOMPARE(integerText(-42), std::string("-42"));
    QCOMPARE(integerText(0), std::string("0"));
}

QTEST_APPLESS_MAIN(TestTextPrimitives)
#include "TestTextPrimitives.moc"
