#include "app/PictureAccessibility.h"

#include "app/FormulaPicture.h"
#include "app/PictureBox.h"

#include <QAccessibleWidget>

namespace app {

namespace {

// A formula picture is a graphic; a picture box is what it was built as. The
// widget's class is checked, not the class name Qt passes, which carries the
// namespace.
QAccessibleInterface* pictureInterface(const QString&, QObject* object) {
    if (auto* picture = qobject_cast<FormulaPicture*>(object)) {
        return new QAccessibleWidget(picture, QAccessible::Graphic);
    }
    if (auto* box = qobject_cast<PictureBox*>(object)) {
        return new QAccessibleWidget(box, box->accessibleRole());
    }
    return nullptr;
}

}  // namespace

void installPictureAccessibility() {
    QAccessible::installFactory(pictureInterface);
}

}  // namespace app
