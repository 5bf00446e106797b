#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QIcon>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
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

// An icon drawn from one of the pictures at whatever size is asked, as Qt's
// SVG icon engine draws it: the picture scaled into the size, keeping its
// shape, on a transparent ground. That engine would be loaded as a plugin and
// parse the picture again for every size before the window appears; this one
// draws from the shared parse.
class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(const QString& resource) : resource_(resource) {}

    QIconEngine* clone() const override { return new SvgIconEngine(resource_); }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        QSvgRenderer& picture = svgPicture(resource_);
        QSize drawn = picture.defaultSize();
        drawn.scale(size, Qt::KeepAspectRatio);
        if (drawn.isEmpty()) {
            return {};
        }
        QImage image(drawn, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        picture.render(&painter);
        painter.end();
        return QPixmap::fromImage(image);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

private:
    QString resource_;
};
