#pragma once

namespace app {

// The toolkit's own texts (standard buttons, the text boxes' context menu) in
// Simplified Chinese like the rest of the window, whatever the user's locale:
// installs Qt's own Simplified Chinese catalogue from Qt's translations
// directory. Without it the toolkit keeps its English texts: false, and
// nothing else happens.
bool installToolkitTranslation();

}  // namespace app
