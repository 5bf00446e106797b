// What the browser lacks that a desktop gives the program. It has no fonts of
// the system: the program carries subsets of the faces the Linux build resolves
// to, in one collection (faces.sh), which are registered here before the window
// asks for them, and the toolkit's own texts (the error box) take the window's
// rounded sans. And its
// event loop never returns from exec(): when the last window closes, the
// runtime is ended here, so that the page can say that Trelvan has ended.
#include "packaging/web/ToolkitFace.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <emscripten.h>

namespace {

const char* const kFaces = ":/fonts/faces.ttc";

void registerFaces() {
    QFontDatabase::addApplicationFont(QString::fromLatin1(kFaces));
    QGuiApplication::setFont(QFont(QString::fromLatin1(web::kToolkitFamily)));
}

// Ended from a callback of the browser's own, where the runtime's unwinding is
// expected, not from inside the toolkit's event handling.
void endRuntimeWithTheLastWindow() {
    QObject::connect(qGuiApp, &QGuiApplication::lastWindowClosed, [] {
        emscripten_async_call([](void*) { emscripten_force_exit(0); }, nullptr, 0);
    });
}

void startInTheBrowser() {
    registerFaces();
    endRuntimeWithTheLastWindow();
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(startInTheBrowser)
