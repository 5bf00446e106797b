#include "app/PictureAccessibility.h"

#include "app/LayoutTable.h"

#include <QAccessibleWidget>
#include <QWidget>
#include <algorithm>
#include <optional>

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
// accessibility event (its accessible name being set).
QAccessibleInterface* pictureInterface(const QString& className, QObject* object) {
    if (className != QLatin1String("FormulaPicture") && className != QLatin1String("PictureBox")) {
        return nullptr;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    const auto row = std::ranges::find_if(kControls, [widget](const ControlRow& r) {
        return widget->objectName() == QLatin1String(r.name);
    });
    const auto role = row != kControls.end() ? pictureRole(row->kind) : std::nullopt;
    return role ? new QAccessibleWidget(widget, *role) : nullptr;
}

}  // namespace

void PictureAccessibility::install() {
    QAccessible::installFactory(pictureInterface);
}
