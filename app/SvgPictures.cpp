#include "app/SvgPictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>

namespace app {

Picture& svgPicture(const QString& resource) {
    static QHash<QString, QPointer<Picture>> parsed;
    QPointer<Picture>& picture = parsed[resource];
    if (picture.isNull()) {
        picture = new Picture(resource, QCoreApplication::instance());
    }
    return *picture;
}

}  // namespace app
