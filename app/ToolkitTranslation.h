#pragma once

#include <QString>

namespace app {

// The toolkit's own texts (standard buttons, the text boxes' context menu) in
// Simplified Chinese like the rest of the window, whatever the user's locale:
// installs Qt's own Simplified Chinese catalogue from toolkitCatalogueFolder().
// Without it the toolkit keeps its English texts: false, and nothing else happens.
bool installToolkitTranslation();

// Where Qt's catalogues are: Qt's translations directory where Qt is installed
// (ToolkitTranslation_installed.cpp), the program's own resources where it
// carries Qt inside (ToolkitTranslation_embedded.cpp).
QString toolkitCatalogueFolder();

}  // namespace app
