#include "app/FormulaPicture.h"

#include "app/Pictures.h"

#include <QPainter>

namespace app {

FormulaPicture::FormulaPicture(QWidget* parent, const QString& resource)
    : QWidget(parent), resource_(resource) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize FormulaPicture::pictureSize() const {
    return picture(resource_).defaultSize();
}

void FormulaPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    picture(resource_).render(&p, QRectF(QPointF(0, 0), QSizeF(pictureSize())));
}

}  // namespace app
