#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QSvgRenderer>

// The window's vector pictures, each parsed once and only when first needed:
// parsing all of them while the window is being built would hold back its
// appearance, and a picture shown in two boxes shares one parse. They live as
// long as the application object.
inline QSvgRenderer& svgPicture(const QString& resource) {
    static QHash<QString, QPointer<QSvgRenderer>> parsed;
    QPointer<QSvgRenderer>& picture = parsed[resource];
    if (picture.isNull()) {
        picture = new QSvgRenderer(resource, QCoreApplication::instance());
    }
    return *picture;
}
