#include "WindowExamPage.h"

#include "MainWindow.h"
#include "common/GbkCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>

namespace {

// Check boxes and buttons read "&" as a shortcut marker; double it so it shows as typed.
QString asCaption(const std::string& text)
{
    return fromGbk(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The option texts are kept as the bytes the bank holds, so judging compares them exactly
// even where a byte sequence has no Unicode form.
constexpr const char* gbkCaptionProperty = "gbkCaption";

} // namespace

WindowExamPage::WindowExamPage(MainWindow* window, std::function<void()> startDraw)
    : m_window(window), m_startDraw(std::move(startDraw))
{
}

std::string WindowExamPage::drawOrder()
{
    std::string order;
    onWindowThread([&](MainWindow& w) { order = toGbk(w.control<QComboBox>(QStringLiteral("组合框1"))->currentText()); });
    return order;
}

std::string WindowExamPage::numberBoxText()
{
    std::string text;
    onWindowThread([&](MainWindow& w) { text = toGbk(w.control<QLineEdit>(QStringLiteral("编辑框1"))->text()); });
    return text;
}

void WindowExamPage::setNumberBoxText(const std::string& text)
{
    onWindowThread([&](MainWindow& w) { w.control<QLineEdit>(QStringLiteral("编辑框1"))->setText(fromGbk(text)); });
}

void WindowExamPage::setProgressText(const std::string& text)
{
    onWindowThread([&](MainWindow& w) { w.control<QLabel>(QStringLiteral("透明标签2"))->setText(fromGbk(text)); });
}

void WindowExamPage::setQuestionText(const std::string& text)
{
    onWindowThread([&](MainWindow& w) {
        w.control<QPlainTextEdit>(QStringLiteral("编辑框1问题"))->setPlainText(fromGbk(text));
    });
}

void WindowExamPage::setOptionVisible(int tag, bool visible)
{
    onWindowThread([&](MainWindow& w) {
        if (QCheckBox* box = w.optionBox(tag))
            box->setVisible(visible);
    });
}

std::string WindowExamPage::optionCaption(int tag)
{
    std::string caption;
    onWindowThread([&](MainWindow& w) {
        if (QCheckBox* box = w.optionBox(tag)) {
            const QVariant stored = box->property(gbkCaptionProperty);
            caption = stored.isValid() ? stored.toByteArray().toStdString() : toGbk(box->text());
        }
    });
    return caption;
}

void WindowExamPage::setOptionCaption(int tag, const std::string& caption)
{
    onWindowThread([&](MainWindow& w) {
        if (QCheckBox* box = w.optionBox(tag)) {
            box->setProperty(gbkCaptionProperty, QByteArray::fromStdString(caption));
            box->setText(asCaption(caption));
        }
    });
}

bool WindowExamPage::isOptionTicked(int tag)
{
    bool ticked = false;
    onWindowThread([&](MainWindow& w) {
        if (QCheckBox* box = w.optionBox(tag))
            ticked = box->isChecked();
    });
    return ticked;
}

void WindowExamPage::setOptionTicked(int tag, bool ticked)
{
    onWindowThread([&](MainWindow& w) {
        if (QCheckBox* box = w.optionBox(tag))
            box->setChecked(ticked);
    });
}

std::string WindowExamPage::submitCaption()
{
    std::string caption;
    onWindowThread([&](MainWindow& w) { caption = toGbk(w.control<QPushButton>(QStringLiteral("按钮1"))->text()); });
    return caption;
}

void WindowExamPage::setSubmitCaption(const std::string& caption)
{
    onWindowThread([&](MainWindow& w) { w.control<QPushButton>(QStringLiteral("按钮1"))->setText(asCaption(caption)); });
}

void WindowExamPage::setAnswerLabel(const std::string& text, Rgb background)
{
    onWindowThread([&](MainWindow& w) {
        auto* label = w.control<QLabel>(QStringLiteral("标签1显示答案"));
        label->setText(fromGbk(text));
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(background));
        label->setPalette(palette);
    });
}

void WindowExamPage::setScoreText(const std::string& text)
{
    onWindowThread([&](MainWindow& w) { w.control<QLabel>(QStringLiteral("标签1对错次数"))->setText(fromGbk(text)); });
}

void WindowExamPage::startDraw()
{
    if (!m_closed)
        m_startDraw();
}

void WindowExamPage::onWindowThread(const std::function<void(MainWindow&)>& call)
{
    if (m_closed || !m_window)
        return;
    MainWindow* window = m_window;
    if (QThread::currentThread() == window->thread()) {
        call(*window);
        return;
    }
    QMetaObject::invokeMethod(
        window,
        [this, &call] {
            if (!m_closed && m_window)
                call(*m_window);
        },
        Qt::BlockingQueuedConnection);
}
