#include "FormulaPicture.h"

#include <QPainter>

FormulaPicture::FormulaPicture(QWidget* parent, const QString& resource, const QColor& background)
    : QWidget(parent), picture_(resource), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize FormulaPicture::pictureSize() const {
    return picture_.defaultSize();
}

void FormulaPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_);
    picture_.render(&p, QRectF(QPointF(0, 0), QSizeF(pictureSize())));
}
