#include "MainWindow.h"

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {}
