#include "LocalHttpServer.h"
#include "app/Program.h"
#include "bank/Category.h"
#include "bank/QuestionTable.h"
#include "common/AppState.h"
#include "common/GbkCodec.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Three questions: one of three options, a true/false item and two answers out of four.
const std::string threeQuestions = "问题一,甲     乙     丙,乙\r\n"
                                   "问题二,对     错,对\r\n"
                                   "问题三,A     B     C     D,A|C\r\n";

// The stamp of the time server's Date header, Wed, 23 Mar 2022 02:51:32 GMT, at UTC+8.
const QString stamp = QStringLiteral("2022年3月23日10时51分32秒");

// Stands in for the desktop: records the addresses it was asked to open.
class UrlRecorder final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

} // namespace

// The program on its real window under the offscreen platform, with a time server and a
// version notice on 127.0.0.1 and its bank files in a temporary folder.
class TestProgram final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsOnTheFirstQuestion();
    void reportsABankThatCannotBeOpened();
    void reportsAnEmptyBank();
    void tracksTheCategoryState();
    void savesOnlyAfterAnImport();
    void refusesToSaveTheWrongAnswers();
    void practisesARound();
    void practisesTheWrongAnswers();
    void asksForAnImportWhenThePoolIsEmpty();
    void copiesAnOptionOnRightClick();
    void opensTheBankFile();
    void endsPromptlyWhileAStampIsFetched();
    void checksTheVersionOnFirstActivation();
    void reducesTheWindowForANewerVersion_data();
    void reducesTheWindowForANewerVersion();

private:
    void serveDate();
    Endpoints endpoints() const;
    void startProgram();
    // Imports again in sequence from the first question, so the second one is shown.
    void importInSequence();
    void writeBank(const std::string& caption, const std::string& bytes);
    QByteArray bankBytes(const std::string& caption) const;
    void waitUntilIdle();
    void click(const QString& name);
    void tickOption(int tag);

    template <typename Control>
    Control* control(const char16_t* name)
    {
        return m_program->window().control<Control>(QString::fromUtf16(name));
    }
    QString statusText() { return control<QLabel>(u"透明标签1指示")->text(); }
    QString answerText() { return control<QLabel>(u"标签1显示答案")->text(); }
    QColor answerColour() { return control<QLabel>(u"标签1显示答案")->palette().color(QPalette::Window); }
    QString submitCaption() { return control<QPushButton>(u"按钮1")->text(); }
    QString question() { return control<QPlainTextEdit>(u"编辑框1问题")->toPlainText(); }
    QStringList visibleOptions();

    LocalHttpServer m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<Program> m_program;
};

void TestProgram::initTestCase()
{
    QVERIFY(m_server.start());
}

void TestProgram::serveDate()
{
    LocalHttpServer::Response dated;
    dated.headers = {"Date: Wed, 23 Mar 2022 02:51:32 GMT"};
    m_server.setRoute("/", dated);
}

void TestProgram::init()
{
    serveDate();
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
}

void TestProgram::cleanup()
{
    if (m_program) {
        waitUntilIdle();
        QVERIFY(m_program->shutDown(5000));
    }
    m_program.reset();
    m_state.reset();
    m_dir.reset();
}

Endpoints TestProgram::endpoints() const
{
    return {m_server.url("/"), m_server.url("/notice"), m_server.url("/download")};
}

void TestProgram::startProgram()
{
    m_program = std::make_unique<Program>(*m_state, m_dir->path(), endpoints());
    m_program->onWindowCreated();
    m_program->window().show();
    waitUntilIdle();
}

void TestProgram::importInSequence()
{
    control<QComboBox>(u"组合框1")->setCurrentIndex(2);
    control<QLineEdit>(u"编辑框1")->setText(QStringLiteral("1"));
    click(QStringLiteral("按钮4"));
}

void TestProgram::writeBank(const std::string& caption, const std::string& bytes)
{
    QFile file(bankFilePath(m_dir->path(), caption));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QByteArray TestProgram::bankBytes(const std::string& caption) const
{
    QFile file(bankFilePath(m_dir->path(), caption));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestProgram::waitUntilIdle()
{
    // The actions hand their control changes to this thread, so it must keep handling events.
    QVERIFY(QTest::qWaitFor([this] { return m_program->isIdle(); }, 10000));
    QCoreApplication::processEvents();
}

void TestProgram::click(const QString& name)
{
    auto* button = m_program->window().control<QAbstractButton>(name);
    QVERIFY2(button, qPrintable(name));
    button->click();
    waitUntilIdle();
}

void TestProgram::tickOption(int tag)
{
    QCheckBox* box = m_program->window().optionBox(tag);
    QVERIFY(box->isVisible());
    box->click();
}

QStringList TestProgram::visibleOptions()
{
    QStringList captions;
    for (int tag = 1; tag <= 5; ++tag) {
        if (QCheckBox* box = m_program->window().optionBox(tag); box->isVisibleTo(box->parentWidget()))
            captions << box->text();
    }
    return captions;
}

void TestProgram::startsOnTheFirstQuestion()
{
    writeBank("安全管理", threeQuestions);
    startProgram();

    QTRY_COMPARE(statusText(), stamp + QStringLiteral(" 导入成功,合计3题目"));
    QCOMPARE(m_program->window().bankTable()->rowCount(), 3);
    QCOMPARE(m_program->window().windowTitle(), QStringLiteral("Lunvexa"));
    QCOMPARE(control<QFrame>(u"外形框1")->pos(), QPoint(825, 800));
    QCOMPARE(m_state->categoryState, 1);
    QCOMPARE(m_state->drawPool.size(), size_t{2});

    // The first question is drawn without a click and the score stays empty.
    QCOMPARE(control<QLabel>(u"透明标签2")->text(), QStringLiteral("第      题, 共3题, 库存2题"));
    const int number = control<QLineEdit>(u"编辑框1")->text().toInt();
    QVERIFY(number >= 1 && number <= 3);
    const QuestionRow shown = m_program->window().bankTable()->row(number - 1);
    QCOMPARE(question(), fromGbk(shown.question));
    QCOMPARE(visibleOptions().join(QStringLiteral("     ")), fromGbk(shown.options));
    QCOMPARE(m_state->currentAnswer, shown.answer);
    QCOMPARE(control<QLabel>(u"标签1对错次数")->text(), QString());
    QCOMPARE(submitCaption(), QStringLiteral("提交"));
}

void TestProgram::reportsABankThatCannotBeOpened()
{
    writeBank("安全管理", threeQuestions);
    startProgram();
    const QString shownQuestion = question();

    control<QRadioButton>(u"单选框2")->click(); // no file for this category
    click(QStringLiteral("按钮4"));

    QTRY_COMPARE(statusText(), stamp + QStringLiteral(" 文件被占用,打开失败"));
    QCOMPARE(m_program->window().bankTable()->rowCount(), 0);
    QVERIFY(m_state->drawPool.empty());
    // The question on screen stays as it was.
    QCOMPARE(question(), shownQuestion);
}

void TestProgram::reportsAnEmptyBank()
{
    writeBank("安全管理", "");
    startProgram();

    QTRY_COMPARE(statusText(), stamp + QStringLiteral(" 导入失败"));
    QCOMPARE(m_program->window().bankTable()->rowCount(), 0);
    // The draw still runs on the empty bank and shows nothing.
    QCOMPARE(question(), QString());
    QCOMPARE(visibleOptions(), QStringList());
    QCOMPARE(control<QLabel>(u"透明标签2")->text(), QStringLiteral("第      题, 共0题, 库存0题"));
}

void TestProgram::tracksTheCategoryState()
{
    writeBank("安全管理", threeQuestions);
    startProgram();
    QCOMPARE(m_state->categoryState, 1);

    click(QStringLiteral("按钮4"));
    QCOMPARE(m_state->categoryState, 2);
    control<QRadioButton>(u"单选框6")->click(); // selecting the wrong answers changes nothing
    QCOMPARE(m_state->categoryState, 2);
    control<QRadioButton>(u"单选框3")->click();
    QCOMPARE(m_state->categoryState, 1);
    // The bank list keeps its rows until the next import.
    QCOMPARE(m_program->window().bankTable()->rowCount(), 3);
}

void TestProgram::savesOnlyAfterAnImport()
{
    writeBank("安全管理", threeQuestions);
    startProgram();

    click(QStringLiteral("按钮3"));
    QTRY_COMPARE(statusText(), stamp + QStringLiteral(" 分类错误, 重新导入题库"));

    click(QStringLiteral("按钮4"));
    QuestionTable* bank = m_program->window().bankTable();
    const int added = bank->appendRow();
    bank->setCell(added, 1, "问题四");
    bank->setCell(added, 2, "是     否");
    bank->setCell(added, 3, "否");
    click(QStringLiteral("按钮3"));

    QTRY_COMPARE(statusText(), stamp + QStringLiteral(" 导出完成...共4个"));
    QCOMPARE(bankBytes("安全管理"), QByteArray::fromStdString(threeQuestions + "问题四,是     否,否\r\n"));

    // A category clicked without an import must not receive these rows.
    control<QRadioButton>(u"单选框2")->click();
    click(QStringLiteral("按钮3"));
    QTRY_COMPARE(statusText(), stamp + QStringLiteral(" 分类错误, 重新导入题库"));
    QCOMPARE(bankBytes("法律法规"), QByteArray());
}

void TestProgram::refusesToSaveTheWrongAnswers()
{
    writeBank("安全管理", threeQuestions);
    startProgram();
    click(QStringLiteral("按钮4"));
    control<QRadioButton>(u"单选框6")->click();

    click(QStringLiteral("按钮3"));
    QTRY_COMPARE(statusText(), stamp + QStringLiteral(" 暂不支持错题导出"));
    QCOMPARE(bankBytes("安全管理"), QByteArray::fromStdString(threeQuestions));
}

void TestProgram::practisesARound()
{
    writeBank("安全管理", threeQuestions);
    startProgram();
    importInSequence();
    QCOMPARE(question(), QStringLiteral("问题二"));
    QCOMPARE(control<QLineEdit>(u"编辑框1")->text(), QStringLiteral("2"));
    QCOMPARE(control<QLabel>(u"透明标签2")->text(), QStringLiteral("第      题, 共3题"));
    QCOMPARE(visibleOptions(), (QStringList{QStringLiteral("对"), QStringLiteral("错")}));

    click(QStringLiteral("按钮1"));
    QCOMPARE(answerText(), QStringLiteral("请选择答案"));
    QCOMPARE(answerColour(), QColor(255, 80, 128));

    tickOption(2);
    click(QStringLiteral("按钮1"));
    QCOMPARE(answerText(), QStringLiteral("×:对"));
    QCOMPARE(answerColour(), QColor(255, 80, 128));
    QCOMPARE(control<QLabel>(u"标签1对错次数")->text(),
             QStringLiteral("总计 1 题, 正确 0 题, 错误 1 题, 正确率0%"));
    QVERIFY(!m_program->window().optionBox(2)->isChecked());
    QCOMPARE(submitCaption(), QStringLiteral("提交"));
    QuestionTable* wrong = m_program->window().wrongAnswerTable();
    QCOMPARE(wrong->rowCount(), 1);
    QCOMPARE(wrong->row(0), (QuestionRow{"2", "问题二", "对     错", "对"}));

    // Clicking an option clears the judgement.
    tickOption(1);
    QCOMPARE(answerText(), QString());
    QCOMPARE(answerColour(), QColor(255, 255, 255));
    click(QStringLiteral("按钮1"));
    QCOMPARE(answerText(), QStringLiteral("√:对"));
    QCOMPARE(answerColour(), QColor(128, 224, 0));
    QCOMPARE(control<QLabel>(u"标签1对错次数")->text(),
             QStringLiteral("总计 2 题, 正确 1 题, 错误 1 题, 正确率50%"));
    QCOMPARE(submitCaption(), QStringLiteral("下一题"));

    click(QStringLiteral("按钮1"));
    QCOMPARE(question(), QStringLiteral("问题三"));
    QCOMPARE(visibleOptions().size(), 4);
    QCOMPARE(submitCaption(), QStringLiteral("提交"));
    QCOMPARE(answerText(), QString());
    QVERIFY(!m_program->window().optionBox(1)->isChecked());

    tickOption(3);
    tickOption(1); // the order of ticking does not matter
    click(QStringLiteral("按钮1"));
    QCOMPARE(answerText(), QStringLiteral("√:A|C"));
    QCOMPARE(control<QLabel>(u"标签1对错次数")->text(),
             QStringLiteral("总计 3 题, 正确 2 题, 错误 1 题, 正确率66.67%"));
    QCOMPARE(wrong->rowCount(), 1);
}

void TestProgram::practisesTheWrongAnswers()
{
    writeBank("安全管理", threeQuestions);
    startProgram();
    importInSequence();
    tickOption(2);
    click(QStringLiteral("按钮1"));
    tickOption(2);
    click(QStringLiteral("按钮1")); // the same question answered wrong twice

    control<QRadioButton>(u"单选框6")->click();
    click(QStringLiteral("按钮4"));
    QTRY_COMPARE(statusText(), stamp + QStringLiteral(" 导入成功,合计2题目"));
    QuestionTable* bank = m_program->window().bankTable();
    QCOMPARE(bank->rowCount(), 2);
    QCOMPARE(bank->cellText(1, 0), std::string("2")); // the old number is kept
    QCOMPARE(m_state->drawPool, (std::vector<std::string>{"1", "2"}));

    // Clearing the wrong-answer list leaves the copy in the bank list.
    click(QStringLiteral("按钮7"));
    QCOMPARE(m_program->window().wrongAnswerTable()->rowCount(), 0);
    QCOMPARE(bank->rowCount(), 2);
}

void TestProgram::asksForAnImportWhenThePoolIsEmpty()
{
    writeBank("安全管理", "问题,对     错,对\r\n");
    startProgram();
    tickOption(1);
    click(QStringLiteral("按钮1"));
    QCOMPARE(submitCaption(), QStringLiteral("下一题"));

    click(QStringLiteral("按钮1"));
    QCOMPARE(answerText(), QStringLiteral("题目库存为0, 重新导入题库"));
    QCOMPARE(answerColour(), QColor(255, 255, 0));
    QCOMPARE(submitCaption(), QStringLiteral("下一题"));
}

void TestProgram::copiesAnOptionOnRightClick()
{
    writeBank("安全管理", "问题,对&错     错,错\r\n");
    startProgram();
    QCheckBox* box = m_program->window().optionBox(1);
    QCOMPARE(box->text(), QStringLiteral("对&&错")); // shown as typed, not as a shortcut

    QTest::mouseClick(box, Qt::RightButton);
    waitUntilIdle();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("对&错"));
    QTRY_COMPARE(statusText(), QStringLiteral("已复制: 对&错"));
    QVERIFY(!box->isChecked());
}

void TestProgram::opensTheBankFile()
{
    UrlRecorder opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &opened, "open");
    writeBank("安全管理", threeQuestions);
    startProgram();

    control<QRadioButton>(u"单选框2")->click();
    click(QStringLiteral("按钮5"));
    control<QRadioButton>(u"单选框6")->click();
    click(QStringLiteral("按钮5")); // the wrong answers have no file
    click(QStringLiteral("按钮6"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));

    QCOMPARE(opened.urls, (QList<QUrl>{QUrl::fromLocalFile(bankFilePath(m_dir->path(), "法律法规")),
                                       QUrl(QString::fromStdString(m_server.url("/download")))}));
    QCOMPARE(m_program->window().size(), QSize(1300, 710));
}

void TestProgram::endsPromptlyWhileAStampIsFetched()
{
    writeBank("安全管理", threeQuestions);
    startProgram();
    LocalHttpServer::Response slow;
    slow.delayMs = 3000;
    m_server.setRoute("/", slow);
    // The refusal waits for its stamp off the window's thread.
    m_server.clearRequests();
    control<QPushButton>(u"按钮3")->click();
    QTRY_VERIFY(!m_server.requests().isEmpty());

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!m_program->shutDown(100));
    QVERIFY(clock.elapsed() < 1000);
}

void TestProgram::checksTheVersionOnFirstActivation()
{
    LocalHttpServer::Response notice;
    notice.body = QByteArray::fromStdString("最新版本【V20220401】");
    m_server.setRoute("/notice", notice);
    m_server.clearRequests();
    writeBank("安全管理", threeQuestions);
    m_program = std::make_unique<Program>(*m_state, m_dir->path(), endpoints());
    QSignalSpy activated(&m_program->window(), &MainWindow::firstActivated);
    m_program->onWindowCreated();
    m_program->window().show();
    QApplication::setActiveWindow(&m_program->window());

    QTRY_COMPARE(activated.size(), 1);
    QTRY_COMPARE(m_program->window().size(), QSize(400, 240));
    // Later activations do not ask again.
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&m_program->window());
    waitUntilIdle();
    QCOMPARE(activated.size(), 1);
    const auto requests = m_server.requests();
    QCOMPARE(std::count_if(requests.begin(), requests.end(),
                           [](const auto& request) { return request.requestLine.startsWith("GET /notice"); }),
             1);
}

void TestProgram::reducesTheWindowForANewerVersion_data()
{
    QTest::addColumn<std::string>("notice");
    QTest::addColumn<bool>("available");
    QTest::addColumn<bool>("reduced");

    QTest::newRow("same version") << std::string("说明\r\n最新版本【V20220322】\r\n") << true << false;
    QTest::newRow("newer version") << std::string("最新版本【V20220401】") << true << true;
    QTest::newRow("exact comparison") << std::string("最新版本【 V20220322】") << true << true;
    QTest::newRow("first of two entries") << std::string("最新版本【V20220322】最新版本【V2】") << true << false;
    QTest::newRow("no markers") << std::string("V20220401") << true << false;
    QTest::newRow("zero byte before the markers") << std::string("x\0最新版本【V20220401】", 23) << true << false;
    QTest::newRow("empty notice") << std::string() << true << false;
    QTest::newRow("failed download") << std::string() << false << false;
}

void TestProgram::reducesTheWindowForANewerVersion()
{
    QFETCH(std::string, notice);
    QFETCH(bool, available);
    QFETCH(bool, reduced);

    LocalHttpServer::Response response;
    response.body = QByteArray::fromStdString(notice);
    m_server.setRoute("/notice", response);
    writeBank("安全管理", threeQuestions);
    Endpoints endpoints{m_server.url("/"), available ? m_server.url("/notice") : LocalHttpServer::unusedAddress(),
                        m_server.url("/download")};
    m_program = std::make_unique<Program>(*m_state, m_dir->path(), endpoints);
    m_program->onWindowCreated();
    m_program->onFirstActivated();
    waitUntilIdle();

    auto* panel = control<QFrame>(u"外形框1");
    QCOMPARE(m_program->window().size(), reduced ? QSize(400, 240) : QSize(1300, 710));
    QCOMPARE(panel->pos(), reduced ? QPoint(0, 0) : QPoint(825, 800));
}

QTEST_MAIN(TestProgram)
#include "TestProgram.moc"
