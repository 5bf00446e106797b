#pragma once

#include <QObject>
#include <QPainter>
#include <QPicture>
#include <QRectF>
#include <QSize>
#include <QString>

namespace app {

// Each picture is under its SVG file's name as the drawing Qt's SVG renderer
// made of it on the build machine (tools/picture_recorder): the same vector
// drawing, played back scaled into the box, with nothing to parse at start-up
// and no SVG module on the machine that runs the program. The recording's
// bounding rectangle is the picture's size, as an SVG file's is its own.
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

}  // namespace app
