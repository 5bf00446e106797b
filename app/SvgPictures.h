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

#ifdef TRELVAN_RECORDED_PICTURES
#include <QObject>
#include <QPicture>

// A build without Qt's SVG module (the Windows one) has each picture under its
// SVG file's name as the drawing Qt's SVG renderer made of it on the build
// machine (tools/picture_recorder): the same vector drawing, played back scaled
// into the box. The recording's bounding rectangle is the picture's size.
class RecordedPicture : public QObject {
public:
    RecordedPicture(const QString& resource, QObject* parent) : QObject(parent) {
        picture_.load(resource);
    }

    QSize defaultSize() const { return picture_.boundingRect().size(); }

    void render(QPainter* painter, const QRectF& bounds) const {
        const QSizeF size(defaultSize());
        if (size.isEmpty()) {
            return;
        }
        painter->save();
        painter->translate(bounds.topLeft());
        painter->scale(bounds.width() / size.width(), bounds.height() / size.height());
        painter->drawPicture(0, 0, picture_);
        painter->restore();
    }

private:
    QPicture picture_;
};
using Picture = RecordedPicture;
#else
#include <QSvgRenderer>
using Picture = QSvgRenderer;
#endif

// The window's vector pictures, each parsed once and only when first needed:
// parsing all of them while the window is being built would hold back its
// appearance, and a picture shown in two boxes shares one parse. They live as
// long as the application object.
inline Picture& svgPicture(const QString& resource) {
    static QHash<QString, QPointer<Picture>> parsed;
    QPointer<Picture>& picture = parsed[resource];
    if (picture.isNull()) {
        picture = new Picture(resource, QCoreApplication::instance());
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
        Picture& picture = svgPicture(resource_);
        QSize drawn = picture.defaultSize();
        drawn.scale(size, Qt::KeepAspectRatio);
        if (drawn.isEmpty()) {
            return {};
        }
        QImage image(drawn, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        picture.render(&painter, QRectF(image.rect()));
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
