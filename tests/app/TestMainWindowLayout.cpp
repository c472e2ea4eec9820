#include "app/MainWindow.h"
#include "bank/QuestionTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

// The window as the user must find it when it opens: every control by name, kind, parent,
// place (relative to its parent's client area; on a tab page relative to the tab control),
// caption and visibility.
class TestMainWindowLayout final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void placesEveryControl_data();
    void placesEveryControl();
    void ordersTheTabPages();
    void labelsTheTableColumns_data();
    void labelsTheTableColumns();
    void offersTheDrawOrders();
    void findsOptionBoxesByTag();
    void hasAFixedBorder();
    void escapeClosesTheWindow();

private:
    MainWindow* m_window = nullptr;
};

void TestMainWindowLayout::init()
{
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestMainWindowLayout::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestMainWindowLayout::placesEveryControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("fontPixels"); // 0: the default font

    const QString window; // directly on the main window
    const QString tabs = QStringLiteral("高级选择夹1");
    auto row = [](const char16_t* name, const char* kind, const QString& parent, QRect place, const char16_t* caption,
                  int fontPixels, bool visible = true) {
        const QString controlName = QString::fromUtf16(name);
        QTest::newRow(controlName.toUtf8().constData()) << controlName << QString::fromLatin1(kind) << parent << place
                                                        << QString::fromUtf16(caption) << visible << fontPixels;
    };

    row(u"按钮4", "QPushButton", window, {8, 8, 200, 50}, u"导入题库", 29);
    row(u"单选框1", "QRadioButton", window, {222, 8, 150, 25}, u"安全管理", 20);
    row(u"单选框2", "QRadioButton", window, {222, 38, 150, 25}, u"法律法规", 20);
    row(u"单选框3", "QRadioButton", window, {360, 8, 200, 25}, u"安全技术机械设备", 20);
    row(u"单选框4", "QRadioButton", window, {360, 38, 200, 25}, u"安全技术土建综合", 20);
    row(u"单选框5", "QRadioButton", window, {590, 8, 150, 25}, u"题库综合", 20);
    row(u"单选框6", "QRadioButton", window, {590, 38, 150, 25}, u"已答错题", 20);
    row(u"按钮5", "QPushButton", window, {740, 8, 120, 50}, u"打开表格", 24);
    row(u"按钮2", "QPushButton", window, {870, 8, 200, 50}, u"录入", 29);
    row(u"按钮3", "QPushButton", window, {1080, 8, 200, 50}, u"保存", 29);
    row(u"组合框1", "QComboBox", window, {8, 73, 184, 29}, u"随机出题不重复", 21);
    row(u"透明标签2", "QLabel", window, {210, 72, 401, 30}, u"第      题,", 21);
    row(u"编辑框1", "QLineEdit", window, {233, 72, 60, 30}, u"1", 21);
    row(u"标签1对错次数", "QLabel", window, {611, 72, 668, 30}, u"", 21);
    row(u"透明标签1指示", "QLabel", window, {568, 111, 688, 40}, u"", 19);
    row(u"高级选择夹1", "QTabWidget", window, {0, 110, 1300, 570}, u"", 0);
    row(u"外形框1", "QFrame", window, {825, 320, 400, 240}, u"", 0);
    row(u"按钮6", "QPushButton", QStringLiteral("外形框1"), {100, 80, 200, 50}, u"打开网盘下载", 29);

    row(u"编辑框1问题", "QPlainTextEdit", tabs, {25, 38, 1230, 120}, u"", 24);
    row(u"选择框1", "QCheckBox", tabs, {25, 168, 1230, 55}, u"选择框", 24, false);
    row(u"选择框2", "QCheckBox", tabs, {25, 233, 1230, 55}, u"选择框", 24, false);
    row(u"选择框3", "QCheckBox", tabs, {25, 298, 1230, 55}, u"选择框", 24, false);
    row(u"选择框4", "QCheckBox", tabs, {25, 363, 1230, 55}, u"选择框", 24, false);
    row(u"选择框5", "QCheckBox", tabs, {25, 428, 1230, 55}, u"选择框", 24, false);
    row(u"按钮1", "QPushButton", tabs, {25, 493, 200, 60}, u"提交", 29);
    row(u"标签1显示答案", "QLabel", tabs, {246, 493, 1005, 60}, u"", 24);
    row(u"按钮1查询", "QPushButton", tabs, {18, 30, 60, 170}, u"查询", 24);
    row(u"编辑框1查询", "QPlainTextEdit", tabs, {80, 30, 1196, 170}, u"", 21);
    row(u"超级列表框2", "QTableView", tabs, {18, 207, 1258, 355}, u"", 24);
    row(u"编辑框2", "QLineEdit", tabs, {972, 26, 304, 32}, u"分\\s*(.*?)\\s*(.*?)\\s*答案: (.*?)\\s* 第", 0, false);
    row(u"超级列表框1", "QTableView", tabs, {18, 38, 1258, 515}, u"", 16);
    row(u"按钮7", "QPushButton", tabs, {912, 96, 120, 50}, u"清空此表", 24);
    row(u"超级列表框3", "QTableView", tabs, {18, 38, 1258, 515}, u"", 16);
}

static QString captionOf(QWidget* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* line = qobject_cast<QLineEdit*>(control))
        return line->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        return text->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->currentText();
    return {};
}

void TestMainWindowLayout::placesEveryControl()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    QFETCH(int, fontPixels);

    auto* control = m_window->control<QWidget>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);

    QWidget* reference = parent.isEmpty() ? m_window : m_window->control<QWidget>(parent);
    QVERIFY(reference);
    QVERIFY(reference->isAncestorOf(control));
    if (auto* tabs = qobject_cast<QTabWidget*>(reference)) {
        // Show the control's page so that it has been placed.
        for (int page = 0; page < tabs->count(); ++page) {
            if (tabs->widget(page)->isAncestorOf(control))
                tabs->setCurrentIndex(page);
        }
    } else {
        QCOMPARE(control->parentWidget(), reference);
    }
    QCOMPARE(QRect(control->mapTo(reference, QPoint(0, 0)), control->size()), place);
    QCOMPARE(captionOf(control), caption);
    QCOMPARE(control->isVisibleTo(control->parentWidget()), visible);
    if (fontPixels > 0)
        QCOMPARE(control->font().pixelSize(), fontPixels);
}

void TestMainWindowLayout::ordersTheTabPages()
{
    auto* tabs = m_window->control<QTabWidget>(QStringLiteral("高级选择夹1"));
    const QStringList captions = {QStringLiteral("考试题"), QStringLiteral("查询类似"), QStringLiteral("题库"),
                                  QStringLiteral("已答错题")};
    const QList<QStringList> contents = {
        {QStringLiteral("选择框1"), QStringLiteral("选择框5"), QStringLiteral("编辑框1问题"),
         QStringLiteral("标签1显示答案"), QStringLiteral("按钮1")},
        {QStringLiteral("超级列表框2"), QStringLiteral("按钮1查询"), QStringLiteral("编辑框1查询")},
        {QStringLiteral("编辑框2"), QStringLiteral("超级列表框1")},
        {QStringLiteral("按钮7"), QStringLiteral("超级列表框3")},
    };
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->currentIndex(), 0);
    for (int page = 0; page < tabs->count(); ++page) {
        QCOMPARE(tabs->tabText(page), captions[page]);
        for (const QString& name : contents[page])
            QVERIFY2(tabs->widget(page)->findChild<QWidget*>(name), qPrintable(name));
    }
}

void TestMainWindowLayout::labelsTheTableColumns_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QList<int>>("widths");

    const QStringList standard = {QStringLiteral("编号"), QStringLiteral("题目"), QStringLiteral("答案"),
                                  QStringLiteral("答案正确")};
    QTest::newRow("bank") << QStringLiteral("超级列表框1") << standard << QList<int>{50, 300, 300, 200};
    QTest::newRow("search") << QStringLiteral("超级列表框2")
                            << QStringList{QStringLiteral("编号"), QStringLiteral("题目"), QStringLiteral("答案正确"),
                                           QStringLiteral("答案")}
                            << QList<int>{60, 700, 300, 100};
    QTest::newRow("wrong answers") << QStringLiteral("超级列表框3") << standard << QList<int>{50, 300, 300, 200};
}

void TestMainWindowLayout::labelsTheTableColumns()
{
    QFETCH(QString, view);
    QFETCH(QStringList, headers);
    QFETCH(QList<int>, widths);

    auto* table = m_window->control<QTableView>(view);
    QCOMPARE(table->model()->columnCount(), 4);
    QCOMPARE(table->model()->rowCount(), 0);
    QCOMPARE(table->property("tag").toString(), QStringLiteral("1001"));
    for (int column = 0; column < 4; ++column) {
        QCOMPARE(table->model()->headerData(column, Qt::Horizontal).toString(), headers[column]);
        QCOMPARE(table->columnWidth(column), widths[column]);
    }
}

void TestMainWindowLayout::offersTheDrawOrders()
{
    auto* order = m_window->control<QComboBox>(QStringLiteral("组合框1"));
    QVERIFY(!order->isEditable());
    QCOMPARE(order->count(), 3);
    QCOMPARE(order->itemText(0), QStringLiteral("随机出题不重复"));
    QCOMPARE(order->itemText(1), QStringLiteral("随机出题"));
    QCOMPARE(order->itemText(2), QStringLiteral("顺序出题"));
    QCOMPARE(order->currentIndex(), 0);

    // The six categories form one group with the first selected.
    QVERIFY(m_window->control<QRadioButton>(QStringLiteral("单选框1"))->isChecked());
    m_window->control<QRadioButton>(QStringLiteral("单选框6"))->click();
    QVERIFY(!m_window->control<QRadioButton>(QStringLiteral("单选框1"))->isChecked());
}

void TestMainWindowLayout::findsOptionBoxesByTag()
{
    for (int tag = 1; tag <= 5; ++tag)
        QCOMPARE(m_window->optionBox(tag), m_window->control<QCheckBox>(QStringLiteral("选择框%1").arg(tag)));
    QCOMPARE(m_window->optionBox(0), nullptr);
    QCOMPARE(m_window->optionBox(6), nullptr);
}

void TestMainWindowLayout::hasAFixedBorder()
{
    QCOMPARE(m_window->size(), QSize(1300, 710));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(m_window->palette().color(QPalette::Window), QColor(255, 255, 255));
    // The number box lies over the progress label's spaces and stays above it.
    auto* number = m_window->control<QWidget>(QStringLiteral("编辑框1"));
    auto* progress = m_window->control<QWidget>(QStringLiteral("透明标签2"));
    const QObjectList siblings = m_window->children();
    QVERIFY(siblings.indexOf(number) > siblings.indexOf(progress));
}

void TestMainWindowLayout::escapeClosesTheWindow()
{
    QVERIFY(m_window->isVisible());
    QTest::keyClick(m_window->control<QWidget>(QStringLiteral("编辑框1")), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestMainWindowLayout)
#include "TestMainWindowLayout.moc"
