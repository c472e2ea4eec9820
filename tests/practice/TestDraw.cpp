#include "GbkPrinting.h"

#include "FakeExamPage.h"
#include "bank/QuestionTable.h"
#include "common/AppState.h"
#include "common/NumberText.h"
#include "practice/Draw.h"
#include "practice/RandomSource.h"

#include <QTest>

#include <algorithm>
#include <string>
#include <vector>


namespace {

// A bank as an import leaves it: rows numbered by position, the pool holding every number.
struct DrawFixture
{
    QuestionTable bank{QuestionTable::Layout::Standard};
    AppState state;
    FakeExamPage page;
    RandomSource random{[] { return 5000u; }};

    explicit DrawFixture(int rowCount, std::string order)
    {
        std::vector<QuestionRow> rows;
        for (int i = 1; i <= rowCount; ++i) {
            const std::string n = integerText(i);
            rows.push_back({n, "问题" + n, "甲" + n + "     乙" + n, "乙" + n});
            state.drawPool.push_back(n);
        }
        bank.appendRows(std::move(rows));
        page.order = std::move(order);
    }

    void draw() { drawNextQuestion(page, bank, state, random); }

    QuestionRow current() const
    {
        return {state.currentNumber, state.currentQuestion, state.currentOptions, state.currentAnswer};
    }
};

QuestionRow optionsOnly(std::string options)
{
    return {"1", "问题", std::move(options), {}};
}

} // namespace

class TestDraw final : public QObject
{
    Q_OBJECT

private slots:
    void noRepeatShowsEveryRowOnce();
    void noRepeatShowsPositionNotCopiedNumber();
    void noRepeatWithEmptyPoolShowsNothing();
    void sequentialContinuesFromNumberBox_data();
    void sequentialContinuesFromNumberBox();
    void randomWithOneRowShowsIt();
    void randomOnEmptyBankShowsNoRow();
    void showsOptionsInBoxes_data();
    void showsOptionsInBoxes();
    void hidesBoxesOfPreviousQuestion();
};

void TestDraw::noRepeatShowsEveryRowOnce()
{
    DrawFixture f(5, "随机出题不重复");
    Texts questions;
    for (int stock = 4; stock >= 0; --stock) {
        f.draw();
        QCOMPARE(f.state.poolSizeAtDraw, stock + 1);
        QCOMPARE(f.page.progress, "第      题, 共5题, 库存" + integerText(stock) + "题");
        const QuestionRow shown = f.bank.row(std::stoi(f.page.numberBox) - 1);
        QCOMPARE(f.current(), shown);
        QCOMPARE(f.page.question, shown.question);
        questions.push_back(f.page.question);
    }
    std::sort(questions.begin(), questions.end());
    QCOMPARE(questions, Texts({"问题1", "问题2", "问题3", "问题4", "问题5"}));
    QVERIFY(f.state.drawPool.empty());
}

void TestDraw::noRepeatShowsPositionNotCopiedNumber()
{
    // Rows copied from the wrong-answer list keep the numbers they had in the bank.
    DrawFixture f(0, "随机出题不重复");
    f.bank.appendRows({{"17", "问题甲", "A     B", "A"}, {"4", "问题乙", "C     D", "D"}, {"9", "问题丙", "E", "E"}});
    f.state.drawPool = {"2"};

    f.draw();

    QCOMPARE(f.page.numberBox, std::string("2"));
    QCOMPARE(f.page.progress, std::string("第      题, 共3题, 库存0题"));
    QCOMPARE(f.current(), QuestionRow({"4", "问题乙", "C     D", "D"}));
}

void TestDraw::noRepeatWithEmptyPoolShowsNothing()
{
    DrawFixture f(2, "随机出题不重复");
    f.state.drawPool.clear();
    f.state.currentNumber = "1";
    f.state.currentQuestion = "旧问题";
    f.state.currentOptions = "A     B";
    f.state.currentAnswer = "A";
    // Field by field: g++ 12 warns falsely (-Wrestrict) on assigning the whole option.
    FakeExamPage::Option& shown = f.page.option(1);
    shown.visible = true;
    shown.ticked = true;
    shown.caption = "A";

    f.draw();

    QCOMPARE(f.state.poolSizeAtDraw, 0);
    QCOMPARE(f.page.progress, std::string("第      题, 共2题, 库存0题"));
    QCOMPARE(f.page.numberBox, std::string());
    QCOMPARE(f.page.question, std::string());
    QCOMPARE(f.page.visibleCaptions(), Texts());
    QCOMPARE(f.current(), QuestionRow());
}

void TestDraw::sequentialContinuesFromNumberBox_data()
{
    QTest::addColumn<std::string>("typed");
    QTest::addColumn<std::string>("drawn");

    QTest::newRow("next number") << std::string("1") << std::string("2");
    QTest::newRow("wraps after the last row") << std::string("3") << std::string("1");
    QTest::newRow("full-width digit") << std::string("２") << std::string("3");
    QTest::newRow("letters after digits") << std::string("1abc") << std::string("2");
    QTest::newRow("no digits") << std::string("abc") << std::string("1");
    QTest::newRow("empty box") << std::string() << std::string("1");
    QTest::newRow("negative has no row") << std::string("-5") << std::string("-4");
    QTest::newRow("full-width minus has no row") << std::string("－1") << std::string("0");
    QTest::newRow("beyond int wraps") << std::string("99999999999") << std::string("1");
}

void TestDraw::sequentialContinuesFromNumberBox()
{
    QFETCH(std::string, typed);
    QFETCH(std::string, drawn);

    DrawFixture f(3, "顺序出题");
    f.page.numberBox = typed;
    f.draw();

    QCOMPARE(f.page.numberBox, drawn);
    QCOMPARE(f.page.progress, std::string("第      题, 共3题"));
    const QuestionRow expected = f.bank.row(std::stoi(drawn) - 1); // empty for a number without a row
    QCOMPARE(f.current(), expected);
    QCOMPARE(f.page.question, expected.question);
    QCOMPARE(f.page.visibleCaptions().size(), std::size_t(expected.options.empty() ? 0 : 2));
    QCOMPARE(f.state.drawPool.size(), std::size_t(3));
}

void TestDraw::randomWithOneRowShowsIt()
{
    DrawFixture f(1, "随机出题");
    for (int i = 0; i < 10; ++i) {
        f.draw();
        QCOMPARE(f.page.numberBox, std::string("1"));
        QCOMPARE(f.current(), f.bank.row(0));
    }
    QCOMPARE(f.page.progress, std::string("第      题, 共1题"));
    QCOMPARE(f.state.drawPool, Texts({"1"}));
}

void TestDraw::randomOnEmptyBankShowsNoRow()
{
    DrawFixture f(0, "随机出题");
    for (int i = 0; i < 10; ++i) {
        f.draw();
        QVERIFY2(f.page.numberBox == "0" || f.page.numberBox == "1", f.page.numberBox.c_str());
        QCOMPARE(f.current(), QuestionRow());
        QCOMPARE(f.page.visibleCaptions(), Texts());
    }
    QCOMPARE(f.page.progress, std::string("第      题, 共0题"));
}

void TestDraw::showsOptionsInBoxes_data()
{
    QTest::addColumn<std::string>("options");
    QTest::addColumn<Texts>("captions");

    QTest::newRow("two") << std::string("甲     乙") << Texts({"甲", "乙"});
    QTest::newRow("five") << std::string("A     B     C     D     E") << Texts({"A", "B", "C", "D", "E"});
    QTest::newRow("six keeps the first five") << std::string("A     B     C     D     E     F")
                                              << Texts({"A", "B", "C", "D", "E"});
    QTest::newRow("trailing separator adds nothing") << std::string("A     B     ") << Texts({"A", "B"});
    QTest::newRow("ten spaces give an empty option") << std::string("A          B") << Texts({"A", "", "B"});
    QTest::newRow("four spaces do not separate") << std::string("A    B") << Texts({"A    B"});
    QTest::newRow("no options") << std::string() << Texts();
}

void TestDraw::showsOptionsInBoxes()
{
    QFETCH(std::string, options);
    QFETCH(Texts, captions);

    DrawFixture f(0, "顺序出题");
    f.bank.appendRows({optionsOnly(options)});
    f.page.numberBox = "0";
    f.draw();

    QCOMPARE(f.page.visibleCaptions(), captions);
    for (int tag = static_cast<int>(captions.size()) + 1; tag <= optionBoxCount; ++tag)
        QCOMPARE(f.page.option(tag).caption, std::string());
    QCOMPARE(f.state.currentOptions, options);
}

void TestDraw::hidesBoxesOfPreviousQuestion()
{
    DrawFixture f(0, "顺序出题");
    f.bank.appendRows({optionsOnly("A     B     C     D     E"), optionsOnly("F     G")});
    f.page.numberBox = "0";
    f.draw();
    QCOMPARE(f.page.visibleCaptions().size(), std::size_t(5));

    f.draw();

    QCOMPARE(f.page.visibleCaptions(), Texts({"F", "G"}));
    for (int tag = 3; tag <= optionBoxCount; ++tag) {
        QVERIFY(!f.page.option(tag).visible);
        QCOMPARE(f.page.option(tag).caption, std::string());
    }
}

QTEST_GUILESS_MAIN(TestDraw)
#include "TestDraw.moc"
