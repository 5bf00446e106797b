#include "app/Pictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>

namespace app {

RecordedPicture& picture(const QString& resource) {
    static QHash<QString, QPointer<RecordedPicture>> loaded;
    QPointer<RecordedPicture>& picture = loaded[resource];
    if (picture.isNull()) {
        picture = new RecordedPicture(resource, QCoreApplication::instance());
    }
    return *picture;
}

}  // namespace app
