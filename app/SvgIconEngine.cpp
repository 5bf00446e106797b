#include "app/SvgIconEngine.h"

#include "app/SvgPictures.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace app {

QPixmap SvgIconEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State) {
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

void SvgIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                          QIcon::State state) {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
}

}  // namespace app
