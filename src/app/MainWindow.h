#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QuestionTable;

// The one window of the program with every control at its fixed place. Controls carry their
// names as objectName ("按钮1", "超级列表框1"), so code and tests find them by name. The window
// only lays out and reports events; the actions are wired up by Program.
class MainWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    static constexpr QSize designSize{1300, 710};

    explicit MainWindow(QWidget* parent = nullptr);

    // The option check box whose tag reads the number, or nullptr outside 1 to 5.
    QCheckBox* optionBox(int tag) const;

    QuestionTable* bankTable() const { return m_bankTable; }
    QuestionTable* searchTable() const { return m_searchTable; }
    QuestionTable* wrongAnswerTable() const { return m_wrongAnswerTable; }

    // Looks a control up by its name; nullptr when there is none.
    template <typename Control>
    Control* control(const QString& name) const
    {
        return findChild<Control*>(name);
    }

signals:
    void firstActivated();
    // A right mouse button released over an option box.
    void optionRightClicked(int tag);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildTopRow();
    void buildTabs();
    void buildExamPage(QWidget* page);
    void buildSearchPage(QWidget* page);
    void buildBankPage(QWidget* page);
    void buildWrongAnswerPage(QWidget* page);
    QTableView* addTableView(QWidget* page, const QString& name, QuestionTable* model, const QRect& place,
                             int fontPixels, std::initializer_list<int> columnWidths);

    QTabWidget* m_tabs = nullptr;
    QuestionTable* m_bankTable = nullptr;
    QuestionTable* m_searchTable = nullptr;
    QuestionTable* m_wrongAnswerTable = nullptr;
    bool m_activatedOnce = false;
    bool m_centredOnce = false;
};
