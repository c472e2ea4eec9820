#pragma once

#include "ActionQueue.h"
#include "MainWindow.h"
#include "StatusLine.h"
#include "WindowExamPage.h"
#include "practice/RandomSource.h"

#include <QString>
#include <QThreadPool>

#include <string>

struct AppState;
struct Category;

// The addresses the program talks to. Tests point them at a server on 127.0.0.1.
struct Endpoints
{
    std::string timeServer;
    std::string noticeAddress;
    std::string downloadPage;

    static Endpoints defaults();
};

// The running program: the window, the state and the actions its controls start. Actions
// that read or change the question tables and the state run one after the other on one
// worker thread, in the order the user started them; the window never waits for them.
class Program final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Program)

public:
    Program(AppState& state, QString programDir, Endpoints endpoints = Endpoints::defaults());
    ~Program() override;

    MainWindow& window() { return m_window; }

    void onWindowCreated();
    void onFirstActivated();

    // True when no action, status stamp or version check is running.
    bool isIdle() const;
    // Stops taking work and waits up to the time for the running work; false when some is still running.
    bool shutDown(int milliseconds);

private:
    void onCategoryClicked();
    void onImportClicked();
    void onSaveClicked();
    void onOpenClicked();
    void onClearWrongAnswersClicked();
    void onSubmitClicked();
    void onOptionClicked();
    void onOptionRightClicked(int tag);
    void onDownloadClicked();

    const Category& selectedCategory() const;
    void startImport();
    void startDraw();
    void reduceToDownloadPanel();

    AppState& m_state;
    const QString m_programDir;
    const Endpoints m_endpoints;
    MainWindow m_window;
    StatusLine m_status;
    WindowExamPage m_page;
    RandomSource m_random;
    QThreadPool m_versionCheck;
    ActionQueue m_actions;
};
