#include "app/FormulaPicture.h"

#include "app/Pictures.h"

#include <QPainter>

namespace app {

FormulaPicture::FormulaPicture(QWidget* parent, const QString& resource, const QColor& background)
    : QWidget(parent), resource_(resource), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize FormulaPicture::pictureSize() const {
    return picture(resource_).defaultSize();
}

void FormulaPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_);
    picture(resource_).render(&p, QRectF(QPointF(0, 0), QSizeF(pictureSize())));
}

}  // namespace app
