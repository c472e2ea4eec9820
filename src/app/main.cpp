#include "Program.h"
#include "common/AppState.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    AppState state;
    Program program(state, QCoreApplication::applicationDirPath());
    program.onWindowCreated();
    program.window().show();
    QApplication::exec();

    releaseAppState(state);
    // A worker may still wait for the network; closing the window ends the program all the same.
    if (!program.shutDown(500))
        std::_Exit(EXIT_SUCCESS);
    return EXIT_SUCCESS;
}
