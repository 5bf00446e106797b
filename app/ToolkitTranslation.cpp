#include "app/ToolkitTranslation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace app {

// Only the widgets' catalogue, named outright: no search by locale, no other
// modules' files to open at start.
bool installToolkitTranslation() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), toolkitCatalogueFolder())) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace app
