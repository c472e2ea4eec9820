#include "MainWindow.h"

#include "bank/QuestionTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>

namespace {

const QColor white(255, 255, 255);
const QColor accentBlue(0, 136, 255);
const QColor optionBackground(232, 244, 255);

// The faces named for the tab captions and the list views; where they are missing, an
// installed CJK face takes their place.
const QString tabFace = QStringLiteral("SimSun");
const QString listFace = QStringLiteral("宋体");

// Font sizes are character heights in pixels.
QFont pixelFont(int pixels, const QString& family = {})
{
    QFont font;
    if (!family.isEmpty())
        font.setFamilies({family, QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                          QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixels);
    return font;
}

template <typename Control>
Control* place(QWidget* parent, const QString& name, const QRect& rect, int fontPixels = 0)
{
    auto* control = new Control(parent);
    control->setObjectName(name);
    control->setGeometry(rect);
    if (fontPixels > 0)
        control->setFont(pixelFont(fontPixels));
    return control;
}

void setColours(QWidget* widget, const QColor& text, const QColor& background)
{
    QPalette palette = widget->palette();
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    palette.setColor(widget->backgroundRole(), background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A label that draws no background of its own.
QLabel* transparentLabel(QWidget* parent, const QString& name, const QRect& rect, int fontPixels,
                         Qt::Alignment horizontal, const QString& caption = {})
{
    auto* label = place<QLabel>(parent, name, rect, fontPixels);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(horizontal | Qt::AlignVCenter);
    label->setText(caption);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, accentBlue);
    label->setPalette(palette);
    return label;
}

QPushButton* pushButton(QWidget* parent, const QString& name, const QRect& rect, int fontPixels,
                        const QString& caption)
{
    auto* button = place<QPushButton>(parent, name, rect, fontPixels);
    button->setText(caption);
    button->setAutoDefault(false);
    return button;
}

// Controls on a tab page are placed relative to the whole tab control, tab bar included.
// The page itself starts below the tab bar, so each child is shifted by the page's offset
// whenever the page is placed.
class TabPagePlacer final : public QObject
{
public:
    TabPagePlacer(QTabWidget* tabs, QWidget* page) : QObject(page), m_tabs(tabs), m_page(page)
    {
        page->installEventFilter(this);
    }

    void remember(QWidget* child) { m_places.append({child, child->geometry()}); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show)
            placeChildren();
        return false;
    }

private:
    void placeChildren()
    {
        const QPoint offset = m_page->mapTo(m_tabs, QPoint(0, 0));
        for (const auto& [child, rect] : m_places)
            child->setGeometry(rect.translated(-offset));
    }

    QTabWidget* m_tabs;
    QWidget* m_page;
    QList<QPair<QWidget*, QRect>> m_places;
};

void rememberPlaces(QTabWidget* tabs, QWidget* page)
{
    auto* placer = new TabPagePlacer(tabs, page);
    for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        placer->remember(child);
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    // Fixed border: title bar with system menu and minimize button, no maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setGeometry(QRect(QPoint(50, 50), designSize));
    setFixedSize(designSize);
    setColours(this, Qt::black, white);

    m_bankTable = new QuestionTable(QuestionTable::Layout::Standard, this);
    m_searchTable = new QuestionTable(QuestionTable::Layout::Search, this);
    m_wrongAnswerTable = new QuestionTable(QuestionTable::Layout::Standard, this);

    buildTopRow();
    buildTabs();

    auto* panel = place<QFrame>(this, QStringLiteral("外形框1"), {825, 320, 400, 240});
    panel->setFrameShape(QFrame::Box);
    setColours(panel, Qt::black, white);
    pushButton(panel, QStringLiteral("按钮6"), {100, 80, 200, 50}, 29, QStringLiteral("打开网盘下载"));
    panel->raise();

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void MainWindow::buildTopRow()
{
    pushButton(this, QStringLiteral("按钮4"), {8, 8, 200, 50}, 29, QStringLiteral("导入题库"));

    struct Category
    {
        const char16_t* name;
        QRect place;
        const char16_t* caption;
    };
    static constexpr std::array<Category, 6> categories = {{
        {u"单选框1", {222, 8, 150, 25}, u"安全管理"},
        {u"单选框2", {222, 38, 150, 25}, u"法律法规"},
        {u"单选框3", {360, 8, 200, 25}, u"安全技术机械设备"},
        {u"单选框4", {360, 38, 200, 25}, u"安全技术土建综合"},
        {u"单选框5", {590, 8, 150, 25}, u"题库综合"},
        {u"单选框6", {590, 38, 150, 25}, u"已答错题"},
    }};
    for (const Category& category : categories) {
        auto* radio = place<QRadioButton>(this, QString::fromUtf16(category.name), category.place, 20);
        radio->setText(QString::fromUtf16(category.caption));
        setColours(radio, accentBlue, white);
    }
    findChild<QRadioButton*>(QStringLiteral("单选框1"))->setChecked(true);

    pushButton(this, QStringLiteral("按钮5"), {740, 8, 120, 50}, 24, QStringLiteral("打开表格"));
    pushButton(this, QStringLiteral("按钮2"), {870, 8, 200, 50}, 29, QStringLiteral("录入"));
    pushButton(this, QStringLiteral("按钮3"), {1080, 8, 200, 50}, 29, QStringLiteral("保存"));

    auto* order = place<QComboBox>(this, QStringLiteral("组合框1"), {8, 73, 184, 29}, 21);
    order->addItems({QStringLiteral("随机出题不重复"), QStringLiteral("随机出题"), QStringLiteral("顺序出题")});
    order->setCurrentIndex(0);

    transparentLabel(this, QStringLiteral("透明标签2"), {210, 72, 401, 30}, 21, Qt::AlignLeft,
                     QStringLiteral("第      题,"));
    // The number box sits over the six spaces of the progress label, so the two read as one line.
    auto* number = place<QLineEdit>(this, QStringLiteral("编辑框1"), {233, 72, 60, 30}, 21);
    number->setText(QStringLiteral("1"));
    number->setAlignment(Qt::AlignCenter);
    setColours(number, accentBlue, white);
    number->raise();

    transparentLabel(this, QStringLiteral("标签1对错次数"), {611, 72, 668, 30}, 21, Qt::AlignLeft);
    transparentLabel(this, QStringLiteral("透明标签1指示"), {568, 111, 688, 40}, 19, Qt::AlignRight);
}

void MainWindow::buildTabs()
{
    m_tabs = place<QTabWidget>(this, QStringLiteral("高级选择夹1"), {0, 110, 1300, 570});
    m_tabs->tabBar()->setFont(pixelFont(12, tabFace));
    m_tabs->setFocusPolicy(Qt::NoFocus);
    m_tabs->tabBar()->setFocusPolicy(Qt::NoFocus);

    const std::array<std::pair<QString, void (MainWindow::*)(QWidget*)>, 4> pages = {{
        {QStringLiteral("考试题"), &MainWindow::buildExamPage},
        {QStringLiteral("查询类似"), &MainWindow::buildSearchPage},
        {QStringLiteral("题库"), &MainWindow::buildBankPage},
        {QStringLiteral("已答错题"), &MainWindow::buildWrongAnswerPage},
    }};
    for (const auto& [caption, build] : pages) {
        auto* page = new QWidget(m_tabs);
        setColours(page, Qt::black, white);
        (this->*build)(page);
        rememberPlaces(m_tabs, page);
        m_tabs->addTab(page, caption);
    }
    m_tabs->setCurrentIndex(0);
    // The transparent labels of the top row overlap the tab control; keep them readable.
    for (const auto* name : {u"透明标签1指示", u"标签1对错次数"})
        findChild<QLabel*>(QString::fromUtf16(name))->raise();
}

void MainWindow::buildExamPage(QWidget* page)
{
    auto* question = place<QPlainTextEdit>(page, QStringLiteral("编辑框1问题"), {25, 38, 1230, 120}, 24);
    question->setReadOnly(true);
    question->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    question->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColours(question, Qt::black, white);

    for (int tag = 1; tag <= 5; ++tag) {
        auto* box = place<QCheckBox>(page, QStringLiteral("选择框%1").arg(tag), {25, 168 + 65 * (tag - 1), 1230, 55}, 24);
        box->setText(QStringLiteral("选择框"));
        box->setProperty("tag", QString::number(tag));
        setColours(box, Qt::black, optionBackground);
        box->hide();
        box->installEventFilter(this);
    }

    pushButton(page, QStringLiteral("按钮1"), {25, 493, 200, 60}, 29, QStringLiteral("提交"));

    auto* answer = place<QLabel>(page, QStringLiteral("标签1显示答案"), {246, 493, 1005, 60}, 24);
    answer->setTextFormat(Qt::PlainText);
    answer->setAlignment(Qt::AlignCenter);
    setColours(answer, Qt::black, white);
}

void MainWindow::buildSearchPage(QWidget* page)
{
    pushButton(page, QStringLiteral("按钮1查询"), {18, 30, 60, 170}, 24, QStringLiteral("查询"));
    auto* search = place<QPlainTextEdit>(page, QStringLiteral("编辑框1查询"), {80, 30, 1196, 170}, 21);
    search->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setColours(search, accentBlue, white);
    addTableView(page, QStringLiteral("超级列表框2"), m_searchTable, {18, 207, 1258, 355}, 24, {60, 700, 300, 100});
}

void MainWindow::buildBankPage(QWidget* page)
{
    // The capture pattern, kept in the window and never shown.
    auto* pattern = place<QLineEdit>(page, QStringLiteral("编辑框2"), {972, 26, 304, 32});
    pattern->setText(QStringLiteral("分\\s*(.*?)\\s*(.*?)\\s*答案: (.*?)\\s* 第"));
    setColours(pattern, Qt::black, white);
    pattern->hide();
    addTableView(page, QStringLiteral("超级列表框1"), m_bankTable, {18, 38, 1258, 515}, 16, {50, 300, 300, 200});
}

void MainWindow::buildWrongAnswerPage(QWidget* page)
{
    addTableView(page, QStringLiteral("超级列表框3"), m_wrongAnswerTable, {18, 38, 1258, 515}, 16,
                 {50, 300, 300, 200});
    // The clear button lies over the upper part of the list.
    pushButton(page, QStringLiteral("按钮7"), {912, 96, 120, 50}, 24, QStringLiteral("清空此表"))->raise();
}

QTableView* MainWindow::addTableView(QWidget* page, const QString& name, QuestionTable* model, const QRect& place,
                                     int fontPixels, std::initializer_list<int> columnWidths)
{
    auto* view = ::place<QTableView>(page, name, place);
    view->setFont(pixelFont(fontPixels, listFace));
    view->setProperty("tag", QStringLiteral("1001"));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(false);
    view->horizontalHeader()->setMinimumSectionSize(10);
    int column = 0;
    for (const int width : columnWidths)
        view->setColumnWidth(column++, width);
    return view;
}

QCheckBox* MainWindow::optionBox(int tag) const
{
    for (QCheckBox* box : findChildren<QCheckBox*>()) {
        if (box->property("tag").toString().toInt() == tag)
            return box;
    }
    return nullptr;
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !m_activatedOnce) {
        m_activatedOnce = true;
        emit firstActivated();
    }
    return QWidget::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        if (auto* box = qobject_cast<QCheckBox*>(watched))
            emit optionRightClicked(box->property("tag").toString().toInt());
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    if (!m_centredOnce) {
        m_centredOnce = true;
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}
