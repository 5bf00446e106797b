// window_picture PNG
//
// The window as this machine draws it when it opens, at one pixel per pixel:
// the picture the browser check holds the page's window to, so that a caption,
// picture or tick label drawn with a glyph missing or garbled fails there.
#include "app/FontSubstitutes.h"
#include "app/MainWindow.h"
#include "app/ToolkitTranslation.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <cstdio>

int main(int argc, char* argv[]) {
    // A build-machine tool: the window is drawn off any screen, at ratio 1.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCALE_FACTOR");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_picture PNG\n");
        return 2;
    }
    app::installToolkitTranslation();
    app::installFontSubstitutes();
    app::MainWindow window;
    window.Form_Load();
    window.show();
    const QImage picture = window.grab().toImage();
    return picture.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
