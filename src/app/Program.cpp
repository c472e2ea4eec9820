#include "Program.h"

#include "bank/BankImport.h"
#include "bank/BankSave.h"
#include "bank/Category.h"
#include "bank/QuestionTable.h"
#include "common/AppState.h"
#include "common/GbkCodec.h"
#include "net/NetworkTime.h"
#include "net/VersionNotice.h"
#include "practice/Draw.h"
#include "practice/Judge.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QFrame>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QtConcurrent>

namespace {

const QString statusLabelName = QStringLiteral("透明标签1指示");

QString radioName(size_t index)
{
    return QStringLiteral("单选框%1").arg(index + 1);
}

} // namespace

Endpoints Endpoints::defaults()
{
    return {defaultTimeServer, defaultNoticeAddress, downloadPageAddress};
}

Program::Program(AppState& state, QString programDir, Endpoints endpoints)
    : m_state(state)
    , m_programDir(std::move(programDir))
    , m_endpoints(std::move(endpoints))
    , m_status(m_window.control<QLabel>(statusLabelName), m_endpoints.timeServer)
    , m_page(&m_window, [this] { startDraw(); })
{
    m_versionCheck.setMaxThreadCount(1);

    for (size_t index = 0; index + 1 < categories.size(); ++index) {
        connect(m_window.control<QRadioButton>(radioName(index)), &QRadioButton::clicked, this,
                &Program::onCategoryClicked);
    }
    auto button = [this](const char16_t* name) { return m_window.control<QPushButton>(QString::fromUtf16(name)); };
    connect(button(u"按钮4"), &QPushButton::clicked, this, &Program::onImportClicked);
    connect(button(u"按钮3"), &QPushButton::clicked, this, &Program::onSaveClicked);
    connect(button(u"按钮5"), &QPushButton::clicked, this, &Program::onOpenClicked);
    connect(button(u"按钮7"), &QPushButton::clicked, this, &Program::onClearWrongAnswersClicked);
    connect(button(u"按钮1"), &QPushButton::clicked, this, &Program::onSubmitClicked);
    connect(button(u"按钮6"), &QPushButton::clicked, this, &Program::onDownloadClicked);
    for (int tag = 1; tag <= optionBoxCount; ++tag)
        connect(m_window.optionBox(tag), &QCheckBox::clicked, this, &Program::onOptionClicked);
    connect(&m_window, &MainWindow::optionRightClicked, this, &Program::onOptionRightClicked);
    connect(&m_window, &MainWindow::firstActivated, this, &Program::onFirstActivated);
}

Program::~Program()
{
    shutDown(-1);
}

void Program::onWindowCreated()
{
    startImport();
    {
        std::lock_guard lock(m_state.mutex);
        m_state.rightCount = 0;
        m_state.wrongCount = 0;
        m_state.categoryState = 1;
    }
    // The download panel waits below the visible area until a newer version is published.
    auto* panel = m_window.control<QFrame>(QStringLiteral("外形框1"));
    panel->move(panel->x(), 800);
    m_window.setWindowTitle(QStringLiteral("Lunvexa"));
}

void Program::onFirstActivated()
{
    // The notice is fetched off the window's thread; the window is reduced when the answer is there.
    auto* watcher = new QFutureWatcher<bool>(this);
    connect(watcher, &QFutureWatcher<bool>::finished, this, [this, watcher] {
        if (watcher->result())
            reduceToDownloadPanel();
        watcher->deleteLater();
    });
    watcher->setFuture(
        QtConcurrent::run(&m_versionCheck, [address = m_endpoints.noticeAddress] { return checkLatestVersion(address); }));
}

bool Program::isIdle() const
{
    return m_actions.isIdle() && m_status.isIdle() && m_versionCheck.activeThreadCount() == 0;
}

bool Program::shutDown(int milliseconds)
{
    m_page.close();
    m_actions.dropPending();
    m_status.dropPending();
    return m_actions.waitUntilIdle(milliseconds) && m_status.waitUntilIdle(milliseconds)
        && m_versionCheck.waitForDone(milliseconds);
}

void Program::onCategoryClicked()
{
    std::lock_guard lock(m_state.mutex);
    m_state.categoryState = 1;
}

void Program::onImportClicked()
{
    {
        std::lock_guard lock(m_state.mutex);
        m_state.categoryState = 2;
    }
    startImport();
}

void Program::onSaveClicked()
{
    int categoryState = 0;
    {
        std::lock_guard lock(m_state.mutex);
        categoryState = m_state.categoryState;
    }
    // Rows of one category must never go into the file of another.
    if (categoryState == 1) {
        m_status.showStamped(" 分类错误, 重新导入题库");
        return;
    }
    const Category& category = selectedCategory();
    m_actions.post([this, &category] {
        saveCategoryBank(category, m_programDir, *m_window.bankTable(), m_status);
    });
}

void Program::onOpenClicked()
{
    const Category& category = selectedCategory();
    if (category.wrongAnswers)
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(bankFilePath(m_programDir, category.caption)));
}

void Program::onClearWrongAnswersClicked()
{
    m_window.wrongAnswerTable()->deleteAllRows();
}

void Program::onSubmitClicked()
{
    m_actions.post([this] { submitOrNext(m_page, m_state, *m_window.wrongAnswerTable()); });
}

void Program::onOptionClicked()
{
    clearAnswerLabel(m_page);
}

void Program::onOptionRightClicked(int tag)
{
    const std::string caption = m_page.optionCaption(tag);
    QGuiApplication::clipboard()->setText(fromGbk(caption));
    m_status.showProgress("已复制: " + caption);
}

void Program::onDownloadClicked()
{
    QDesktopServices::openUrl(QUrl(QString::fromStdString(m_endpoints.downloadPage)));
}

const Category& Program::selectedCategory() const
{
    for (size_t index = 0; index < categories.size(); ++index) {
        if (m_window.control<QRadioButton>(radioName(index))->isChecked())
            return categories[index];
    }
    return categories.front();
}

void Program::startImport()
{
    const Category& category = selectedCategory();
    m_actions.post([this, &category] {
        importCategoryBank(category, m_programDir, m_state, *m_window.bankTable(), *m_window.wrongAnswerTable(),
                           m_page, m_status);
    });
}

void Program::startDraw()
{
    m_actions.post([this] { drawNextQuestion(m_page, *m_window.bankTable(), m_state, m_random); });
}

void Program::reduceToDownloadPanel()
{
    m_window.control<QFrame>(QStringLiteral("外形框1"))->move(0, 0);
    m_window.setFixedSize(400, 240);
}
