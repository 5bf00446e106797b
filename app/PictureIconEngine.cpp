#include "app/PictureIconEngine.h"

#include "app/Pictures.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace app {

QPixmap PictureIconEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State) {
    const RecordedPicture& drawing = picture(resource_);
    QSize drawn = drawing.defaultSize();
    drawn.scale(size, Qt::KeepAspectRatio);
    if (drawn.isEmpty()) {
        return {};
    }
    QImage image(drawn, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawing.render(&painter, QRectF(image.rect()));
    painter.end();
    return QPixmap::fromImage(image);
}

void PictureIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State state) {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
}

}  // namespace app
