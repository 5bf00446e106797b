#include "app/TextBox.h"

#include <QPainter>

namespace app {

namespace {

// The edge is one pixel inside the box, and the text keeps clear of it.
constexpr int kEdge = 1;

}  // namespace

TextBox::TextBox(QWidget* parent, const QColor& text, const QColor& background, const QColor& edge)
    : QLineEdit(parent), edge_(edge) {
    setFrame(false);
    setTextMargins(kEdge, kEdge, kEdge, kEdge);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, text);
    setPalette(colours);
}

void TextBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    // Filled, not stroked, so the edge is as wide as one pixel is at any ratio.
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(QRect(r.left(), r.top(), r.width(), kEdge), edge_);
    p.fillRect(QRect(r.left(), r.bottom() + 1 - kEdge, r.width(), kEdge), edge_);
    p.fillRect(QRect(r.left(), r.top(), kEdge, r.height()), edge_);
    p.fillRect(QRect(r.right() + 1 - kEdge, r.top(), kEdge, r.height()), edge_);
}

}  // namespace app
