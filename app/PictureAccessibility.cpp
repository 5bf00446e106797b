#include "app/PictureAccessibility.h"

#include "app/FormulaPicture.h"
#include "app/LayoutTable.h"
#include "app/PictureBox.h"

#include <QAccessibleWidget>
#include <QWidget>
#include <algorithm>
#include <optional>

namespace app {

namespace {

std::optional<QAccessible::Role> pictureRole(ControlKind kind) {
    switch (kind) {
    case ControlKind::FormulaPicture:
    case ControlKind::PlotArea:
        return QAccessible::Graphic;
    case ControlKind::ChartPanel:
        return QAccessible::Chart;
    default:
        return std::nullopt;
    }
}

// A control has its object name, its row's name, before its first
// accessibility event (its accessible name being set). The widget's class is
// checked, not the class name Qt passes, which carries the namespace.
QAccessibleInterface* pictureInterface(const QString&, QObject* object) {
    QWidget* widget = qobject_cast<FormulaPicture*>(object);
    if (widget == nullptr) {
        widget = qobject_cast<PictureBox*>(object);
    }
    if (widget == nullptr) {
        return nullptr;
    }
    const auto row = std::ranges::find_if(kControls, [widget](const ControlRow& r) {
        return widget->objectName() == QLatin1String(r.name);
    });
    const auto role = row != kControls.end() ? pictureRole(row->kind) : std::nullopt;
    return role ? new QAccessibleWidget(widget, *role) : nullptr;
}

}  // namespace

void installPictureAccessibility() {
    QAccessible::installFactory(pictureInterface);
}

}  // namespace app
