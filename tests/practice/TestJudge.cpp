#include "GbkPrinting.h"

#include "FakeExamPage.h"
#include "bank/QuestionTable.h"
#include "common/AppState.h"
#include "practice/Judge.h"

#include <QList>
#include <QTest>

#include <algorithm>
#include <string>

namespace {

const QuestionRow shownQuestion{"7", "哪些是劳动防护用品?", "A     B     C     D     E", "A|C"};

// A question on screen as the draw leaves it, with option boxes captioned A to E.
struct JudgeFixture
{
    QuestionTable wrongAnswers{QuestionTable::Layout::Standard};
    AppState state;
    FakeExamPage page;

    explicit JudgeFixture(const QuestionRow& current = shownQuestion)
    {
        state.currentNumber = current.number;
        state.currentQuestion = current.question;
        state.currentOptions = current.options;
        state.currentAnswer = current.answer;
        state.drawPool = {"1", "2"};
        const char* captions[] = {"A", "B", "C", "D", "E"};
        for (int tag = 1; tag <= optionBoxCount; ++tag) {
            page.option(tag).visible = true;
            page.option(tag).caption = captions[tag - 1];
        }
    }

    void press() { submitOrNext(page, state, wrongAnswers); }

    QList<int> tickedTags()
    {
        QList<int> tags;
        for (int tag = 1; tag <= optionBoxCount; ++tag) {
            if (page.option(tag).ticked)
                tags.append(tag);
        }
        return tags;
    }
};

} // namespace

class TestJudge final : public QObject
{
    Q_OBJECT

private slots:
    void judgesTickedOptions_data();
    void judgesTickedOptions();
    void asksForAnAnswerWhenNothingIsTicked();
    void recordsEveryWrongAnswer();
    void writesScore_data();
    void writesScore();
    void shortensLongAnswers_data();
    void shortensLongAnswers();
    void nextStartsDrawWhilePoolHoldsNumbers();
    void nextAsksForImportWhenPoolIsEmpty();
};

void TestJudge::judgesTickedOptions_data()
{
    QTest::addColumn<std::string>("answer");
    QTest::addColumn<QList<int>>("ticks");
    QTest::addColumn<bool>("right");

    QTest::newRow("one option right") << std::string("B") << QList<int>{2} << true;
    QTest::newRow("one option wrong") << std::string("B") << QList<int>{3} << false;
    QTest::newRow("two options right") << std::string("A|C") << QList<int>{1, 3} << true;
    QTest::newRow("ticked in reverse order") << std::string("A|C") << QList<int>{3, 1} << true;
    QTest::newRow("one option more") << std::string("A|C") << QList<int>{1, 2, 3} << false;
    QTest::newRow("one option less") << std::string("A|C") << QList<int>{1} << false;
    QTest::newRow("answer not in box order") << std::string("C|A") << QList<int>{1, 3} << false;
    QTest::newRow("all five") << std::string("A|B|C|D|E") << QList<int>{5, 4, 3, 2, 1} << true;
    QTest::newRow("empty answer of a missing row") << std::string() << QList<int>{1} << false;
}

void TestJudge::judgesTickedOptions()
{
    QFETCH(std::string, answer);
    QFETCH(QList<int>, ticks);
    QFETCH(bool, right);

    QuestionRow current = shownQuestion;
    current.answer = answer;
    JudgeFixture f(current);
    for (const int tag : ticks)
        f.page.option(tag).ticked = true;

    f.press();

    QCOMPARE(f.state.rightCount, right ? 1 : 0);
    QCOMPARE(f.state.wrongCount, right ? 0 : 1);
    if (right) {
        QCOMPARE(f.page.answerText, "√:" + answer);
        QCOMPARE(f.page.answerBackground, AnswerColour::right);
        QCOMPARE(f.page.score, std::string("总计 1 题, 正确 1 题, 错误 0 题, 正确率100%"));
        QCOMPARE(f.page.submit, std::string("下一题"));
        std::sort(ticks.begin(), ticks.end());
        QCOMPARE(f.tickedTags(), ticks);
        QCOMPARE(f.wrongAnswers.rowCount(), 0);
    } else {
        QCOMPARE(f.page.answerText, "×:" + answer);
        QCOMPARE(f.page.answerBackground, AnswerColour::wrong);
        QCOMPARE(f.page.score, std::string("总计 1 题, 正确 0 题, 错误 1 题, 正确率0%"));
        QCOMPARE(f.page.submit, std::string("提交"));
        QCOMPARE(f.tickedTags(), QList<int>());
        QCOMPARE(f.wrongAnswers.rowCount(), 1);
        QCOMPARE(f.wrongAnswers.row(0), current);
    }
}

void TestJudge::asksForAnAnswerWhenNothingIsTicked()
{
    JudgeFixture f;
    f.press();

    QCOMPARE(f.page.answerText, std::string("请选择答案"));
    QCOMPARE(f.page.answerBackground, AnswerColour::wrong);
    QCOMPARE(f.page.submit, std::string("提交"));
    QCOMPARE(f.page.score, std::string());
    QCOMPARE(f.state.rightCount + f.state.wrongCount, 0);
    QCOMPARE(f.wrongAnswers.rowCount(), 0);
}

void TestJudge::recordsEveryWrongAnswer()
{
    JudgeFixture f;
    f.wrongAnswers.appendRows({{"3", "先前答错的题", "X     Y", "Y"}});
    f.page.option(2).ticked = true;
    f.press();
    f.page.option(1).ticked = true;
    f.press();
    QCOMPARE(f.page.submit, std::string("提交"));

    f.page.option(1).ticked = true;
    f.page.option(3).ticked = true;
    f.press();

    QCOMPARE(f.wrongAnswers.rowCount(), 3);
    QCOMPARE(f.wrongAnswers.row(1), shownQuestion);
    QCOMPARE(f.wrongAnswers.row(2), shownQuestion);
    QCOMPARE(f.page.score, std::string("总计 3 题, 正确 1 题, 错误 2 题, 正确率33.33%"));
    QCOMPARE(f.page.submit, std::string("下一题"));
}

void TestJudge::writesScore_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<std::string>("score");

    QTest::newRow("first answer right") << 1 << 0 << std::string("总计 1 题, 正确 1 题, 错误 0 题, 正确率100%");
    QTest::newRow("first answer wrong") << 0 << 1 << std::string("总计 1 题, 正确 0 题, 错误 1 题, 正确率0%");
    QTest::newRow("two of three") << 2 << 1 << std::string("总计 3 题, 正确 2 题, 错误 1 题, 正确率66.67%");
    QTest::newRow("one of 160 rounds half up") << 1 << 159
                                               << std::string("总计 160 题, 正确 1 题, 错误 159 题, 正确率0.63%");
    QTest::newRow("one of eight") << 1 << 7 << std::string("总计 8 题, 正确 1 题, 错误 7 题, 正确率12.5%");
    QTest::newRow("half") << 5 << 5 << std::string("总计 10 题, 正确 5 题, 错误 5 题, 正确率50%");
    QTest::newRow("one of three rounds down") << 1 << 2 << std::string("总计 3 题, 正确 1 题, 错误 2 题, 正确率33.33%");
}

void TestJudge::writesScore()
{
    QFETCH(int, right);
    QFETCH(int, wrong);
    QFETCH(std::string, score);
    QCOMPARE(scoreText(right, wrong), score);
}

void TestJudge::shortensLongAnswers_data()
{
    QTest::addColumn<std::string>("answer");
    QTest::addColumn<std::string>("display");

    const std::string a39(39, 'a');
    const std::string b40(40, 'b');
    const std::string z60(60, 'z');
    QTest::newRow("79 bytes shown whole") << a39 + "|" + std::string(39, 'b') << a39 + "|" + std::string(39, 'b');
    QTest::newRow("80 bytes cut piece by piece") << a39 + "|" + b40 << std::string("aaaaaaaaaaaa...|bbbbbbbbbbbb...|");
    QTest::newRow("short piece kept whole") << "ab|" + std::string(80, 'c') << std::string("ab...|cccccccccccc...|");
    // 11 ASCII bytes and a double-byte character: cutting at 12 bytes would split the character.
    QTest::newRow("cut before a split character") << "xxxxxxxxxxx安全|" + z60 + "|安全管理法律法规"
                                                  << std::string("xxxxxxxxxxx...|zzzzzzzzzzzz...|安全管理法律...|");
    QTest::newRow("trailing pipe adds no piece") << z60 + "|" + std::string(20, 'y') + "|"
                                                 << std::string("zzzzzzzzzzzz...|yyyyyyyyyyyy...|");
}

void TestJudge::shortensLongAnswers()
{
    QFETCH(std::string, answer);
    QFETCH(std::string, display);
    QCOMPARE(answerDisplay(answer), display);

    QuestionRow current = shownQuestion;
    current.answer = answer;
    JudgeFixture f(current);
    f.page.option(1).ticked = true;
    f.press();
    QCOMPARE(f.page.answerText, "×:" + display);
}

void TestJudge::nextStartsDrawWhilePoolHoldsNumbers()
{
    JudgeFixture f;
    f.page.submit = "下一题";
    f.page.tick({1, 3});
    f.page.setAnswerLabel("√:A|C", AnswerColour::right);

    f.press();

    QCOMPARE(f.page.drawsStarted, 1);
    QCOMPARE(f.page.answerText, std::string());
    QCOMPARE(f.page.answerBackground, AnswerColour::cleared);
    QCOMPARE(f.tickedTags(), QList<int>());
    QCOMPARE(f.page.submit, std::string("提交"));
    QCOMPARE(f.state.rightCount + f.state.wrongCount, 0);
}

void TestJudge::nextAsksForImportWhenPoolIsEmpty()
{
    JudgeFixture f;
    f.state.drawPool.clear();
    f.page.submit = "下一题";
    f.page.tick({1, 3});

    f.press();

    QCOMPARE(f.page.drawsStarted, 0);
    QCOMPARE(f.page.answerText, std::string("题目库存为0, 重新导入题库"));
    QCOMPARE(f.page.answerBackground, AnswerColour::emptyPool);
    QCOMPARE(f.page.submit, std::string("下一题"));
    QCOMPARE(f.tickedTags(), QList<int>({1, 3}));
}

QTEST_GUILESS_MAIN(TestJudge)
#include "TestJudge.moc"
