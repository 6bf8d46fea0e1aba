#pragma once

#include <QMainWindow>

// The program's one main window. It carries the objectName "TMain" so GUI tests find it, and
// its controls, by name.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
};
