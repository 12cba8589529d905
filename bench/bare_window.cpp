// The start-up baseline: a bare Qt Widgets window with a menu bar, a label and a button.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare window");
    auto* layout = new QVBoxLayout(&window);
    auto* menuBar = new QMenuBar(&window);
    menuBar->setNativeMenuBar(false);
    menuBar->addMenu("Game")->addAction("New game");
    layout->setMenuBar(menuBar);
    layout->addWidget(new QLabel("A label", &window));
    layout->addWidget(new QPushButton("A button", &window));
    window.show();
    return QApplication::exec();
}
