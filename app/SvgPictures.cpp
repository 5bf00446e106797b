#include "app/SvgPictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>

namespace app {

QSvgRenderer& svgPicture(const QString& resource) {
    static QHash<QString, QPointer<QSvgRenderer>> parsed;
    QPointer<QSvgRenderer>& picture = parsed[resource];
    if (picture.isNull()) {
        picture = new QSvgRenderer(resource, QCoreApplication::instance());
    }
    return *picture;
}

}  // namespace app
