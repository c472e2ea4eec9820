// Starts the program on the sample banks under whatever platform Qt is given (offscreen in
// scripts/screenshot.sh), answers the first question right and saves a picture of the window.
// A local server stands in for the time server, so the status line shows a real stamp.

#include "LocalHttpServer.h"
#include "app/Program.h"
#include "common/AppState.h"
#include "common/TextPrimitives.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Calls the step once the program has nothing running.
void whenIdle(Program& program, std::function<void()> step)
{
    auto* poll = new QTimer(&program.window());
    QObject::connect(poll, &QTimer::timeout, &program.window(), [&program, poll, step] {
        if (!program.isIdle())
            return;
        poll->deleteLater();
        step();
    });
    poll->start(50);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    if (argc != 3) {
        std::fprintf(stderr, "usage: lunvexa_screenshot <folder with the bank files> <picture.png>\n");
        return 2;
    }
    const QString bankDir = QString::fromLocal8Bit(argv[1]);
    const QString picture = QString::fromLocal8Bit(argv[2]);

    LocalHttpServer timeServer;
    if (!timeServer.start())
        return 1;
    LocalHttpServer::Response dated;
    dated.headers = {"Date: Sun, 11 Dec 2022 01:30:00 GMT"};
    timeServer.setRoute("/", dated);

    AppState state;
    Program program(state, bankDir, {timeServer.url("/"), LocalHttpServer::unusedAddress(), {}});
    program.onWindowCreated();
    program.window().show();

    int exitCode = 1;
    whenIdle(program, [&] {
        // Tick the boxes whose option is part of the answer: option k is in box k.
        const std::vector<std::string> answer = splitText(state.currentAnswer, "|");
        const std::vector<std::string> options = splitText(state.currentOptions, "     ");
        for (int tag = 1; tag <= std::min<int>(options.size(), optionBoxCount); ++tag) {
            if (std::find(answer.begin(), answer.end(), options[static_cast<size_t>(tag - 1)]) != answer.end())
                program.window().optionBox(tag)->click();
        }
        program.window().control<QPushButton>(QStringLiteral("按钮1"))->click();
        whenIdle(program, [&] {
            exitCode = program.window().grab().save(picture) ? 0 : 1;
            QApplication::quit();
        });
    });
    QApplication::exec();
    program.shutDown(1000);
    return exitCode;
}
