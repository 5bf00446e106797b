#include "app/ToolkitTranslation.h"

#include <QLibraryInfo>

namespace app {

QString toolkitCatalogueFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

}  // namespace app
