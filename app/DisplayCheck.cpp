#include "app/DisplayCheck.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace app {

namespace {

const char* const kHowToRun = "Run it on a desktop, or headless with: xvfb-run -a trelvan";

std::string environment(const char* name) {
    return qEnvironmentVariable(name).toStdString();
}

// Why Qt could not open a window although a display was named.
std::string unreachableDisplay() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const std::string value = environment(variable);
        if (!value.empty()) {
            return "no display server answers at " + std::string(variable) + "=" + value;
        }
    }
    return "no display server could be reached";
}

// A message of Qt's held back, with the parts of its context that outlive it.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> held;
bool holding = false;

void holdOrGiveUp(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", DisplayCheck::lineFor(unreachableDisplay()).c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    held.push_back({type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

std::string DisplayCheck::lineFor(const std::string& reason) {
    return "trelvan: cannot open a window: " + reason + ". " + kHowToRun;
}

DisplayCheck::DisplayCheck() {
    holding = true;
    previousHandler = qInstallMessageHandler(holdOrGiveUp);
}

DisplayCheck::~DisplayCheck() {
    release();
}

void DisplayCheck::release() {
    if (!holding) {
        return;
    }
    holding = false;
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& m : std::exchange(held, {})) {
        const QMessageLogContext context(m.file, m.line, m.function, m.category);
        qt_message_output(m.type, context, m.text);
    }
}

}  // namespace app
