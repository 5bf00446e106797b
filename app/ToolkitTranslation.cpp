#include "app/ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace app {

// Only the widgets' catalogue, named outright: no search by locale, no other
// modules' files to open at start. A self-contained build carries it inside.
bool installToolkitTranslation() {
#ifdef TRELVAN_EMBEDDED_CATALOGUE
    const QString folder = QStringLiteral(":/translations");
#else
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace app
