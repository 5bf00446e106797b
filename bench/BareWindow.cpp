// The yardstick for the start-up benchmarks: the least a Qt Widgets program does to show a
// titled window of the main window's size and colour, built with the same flags as the
// program. In the browser, which has no fonts of its own, it registers one face, the one the
// window's panels are set in (bench/one_face.py), as any page with a text would have to.
#include "app/LayoutTable.h"
#include "app/Looks.h"
#include "app/Twips.h"

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>
#ifdef __EMSCRIPTEN__
#include <QFontDatabase>
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
#ifdef __EMSCRIPTEN__
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/panel_face.ttf"));
#endif
    QWidget window;
    window.setWindowTitle(QStringLiteral("Trelvan"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(*app::looks::kWindow.background));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(app::twipsToPixels(app::kClientWidthTwips),
                  app::twipsToPixels(app::kClientHeightTwips));
    window.show();
    return QApplication::exec();
}
