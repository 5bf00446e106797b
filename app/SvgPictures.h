#pragma once

#include <QString>

#ifdef TRELVAN_RECORDED_PICTURES
#include <QObject>
#include <QPainter>
#include <QPicture>
#include <QRectF>
#include <QSize>
#else
#include <QSvgRenderer>
#endif

namespace app {

#ifdef TRELVAN_RECORDED_PICTURES
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
using Picture = QSvgRenderer;
#endif

// The window's vector pictures, each parsed once and only when first needed:
// parsing all of them while the window is being built would hold back its
// appearance, and a picture shown in two boxes shares one parse. They live as
// long as the application object.
Picture& svgPicture(const QString& resource);

}  // namespace app
