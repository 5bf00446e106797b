// Trelvan: opens the main window with the empty Gilliland chart drawn on it and
// runs until the window is closed or the exit button is pressed. The toolkit's
// own texts are Chinese where Qt's catalogue is installed, English otherwise.

#include "app/DisplayCheck.h"
#include "app/FontSubstitutes.h"
#include "app/MainWindow.h"
#include "app/PictureAccessibility.h"
#include "app/ToolkitTranslation.h"

#include <QApplication>
#include <cstdio>

int main(int, char* argv[]) {
    if (const auto problem = app::DisplayCheck::missingDisplay()) {
        std::fprintf(stderr, "%s\n", problem->c_str());
        return 1;
    }

    // The program takes no command line: Qt sees only the program name.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    app::DisplayCheck check;
    QApplication application(qtArgc, qtArgv);
    check.release();

    app::installToolkitTranslation();
    app::installFontSubstitutes();
    app::installPictureAccessibility();
    app::MainWindow window;
    window.Form_Load();
    window.showCentred();
    return QApplication::exec();
}
