#include "app/ToolkitTranslation.h"

namespace app {

// A self-contained build carries the catalogue among its resources.
QString toolkitCatalogueFolder() {
    return QStringLiteral(":/translations");
}

}  // namespace app
