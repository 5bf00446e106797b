// The yardstick for the start-up benchmark: the least a Qt Widgets program does to show a
// titled window of the main window's size, built with the same flags as the program.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Trelvan"));
    window.resize(792, 557);
    window.show();
    return QApplication::exec();
}
