#include "app/PictureButton.h"

#include "app/Pictures.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace app {

namespace {

// The focus rectangle sits this far inside the edge, clear of the bevel.
constexpr int kFocusInset = 4;

}  // namespace

PictureButton::PictureButton(QWidget* parent, const QString& caption,
                             const QString& pictureResource)
    : QPushButton(caption, parent), pictureResource_(pictureResource) {
    setAutoDefault(false);
    setDefault(false);
}

QSize PictureButton::pictureSize() const {
    return picture(pictureResource_).defaultSize();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool sunken = isDown();

    const QSizeF face(pictureSize());
    const QPointF faceCorner((width() - face.width()) / 2.0, (height() - face.height()) / 2.0);
    p.setClipRect(rect());
    picture(pictureResource_).render(&p, QRectF(faceCorner, face));

    qDrawWinButton(&p, rect(), palette(), sunken, nullptr);

    const QRect captionRect = sunken ? rect().translated(1, 1) : rect();
    p.setFont(font());
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(captionRect, Qt::AlignCenter | Qt::TextSingleLine, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

}  // namespace app
