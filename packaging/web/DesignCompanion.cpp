// The window's side of the design companion, the page's part beside it: after
// each calculation the window shows, the page hears of the design as a link's
// fragment (a "trelvan-design" event on the page's window, whose detail is the
// fragment); the page asks the program for the companion's figures of a
// fragment, and opens a link's design in the window, as typed and confirmed.
// The window knows nothing of it: it is found once it is first shown.
#include "app/MainWindow.h"
#include "calc/DesignLink.h"
#include "calc/DesignReport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <string>

namespace {

using emscripten::val;

app::MainWindow* theWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<app::MainWindow*>(widget)) {
            return window;
        }
    }
    return nullptr;
}

calc::InputTexts viewsOf(const calc::DesignTexts& texts) {
    calc::InputTexts views;
    for (std::size_t i = 0; i < calc::kInputCount; ++i) {
        views[i] = texts[i];
    }
    return views;
}

void tellThePage(const calc::DesignTexts& typed) {
    val init = val::object();
    init.set("detail", calc::designLink(viewsOf(typed)));
    val::global("window").call<bool>("dispatchEvent",
                                     val::global("CustomEvent").new_(val("trelvan-design"), init));
}

// Waits for the window's first showing, then leaves the application's events alone.
class WindowWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* window = qobject_cast<app::MainWindow*>(watched)) {
                QObject::connect(window, &app::MainWindow::designShown, &tellThePage);
                qApp->removeEventFilter(this);
                deleteLater();
            }
        }
        return false;
    }
};

void watchForTheWindow() {
    qApp->installEventFilter(new WindowWatch);
}

// The companion's figures of a design, as JSON; empty where the window rejects it.
std::string designReport(const std::string& fragment) {
    const std::optional<calc::DesignTexts> texts = calc::designFromLink(fragment);
    const std::optional<std::string> report =
        texts ? calc::designReportFor(viewsOf(*texts)) : std::nullopt;
    return report.value_or(std::string());
}

// A link's design, typed into the window and confirmed; a fragment that names
// no input is left alone.
void openDesign(const std::string& fragment) {
    const std::optional<calc::DesignTexts> texts = calc::designFromLink(fragment);
    app::MainWindow* window = theWindow();
    if (texts && window != nullptr) {
        window->enterDesign(*texts);
    }
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForTheWindow)

EMSCRIPTEN_BINDINGS(trelvan_design_companion) {
    emscripten::function("trelvanDesignReport", &designReport);
    emscripten::function("trelvanOpenDesign", &openDesign);
}
