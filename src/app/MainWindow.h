#pragma once

#include <QWidget>

class MainWindow final : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};
