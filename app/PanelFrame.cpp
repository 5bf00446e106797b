#include "app/PanelFrame.h"

#include "app/Looks.h"

#include <QPainter>

namespace app {

namespace {

// The caption starts this far from the frame's left edge, with a little panel
// colour either side of it breaking the etched line.
constexpr int kCaptionIndent = 8;
constexpr int kCaptionGap = 2;

}  // namespace

PanelFrame::PanelFrame(QWidget* parent, const QColor& captionColour, const QColor& background)
    : QGroupBox(parent), captionColour_(captionColour) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
}

void PanelFrame::paintEvent(QPaintEvent*) {
    const QColor background = palette().color(QPalette::Window);
    QPainter p(this);
    p.fillRect(rect(), background);

    const QFontMetrics fm(font());
    const int edgeTop = fm.height() / 2;
    const QRect etched(0, edgeTop, width() - 2, height() - edgeTop - 2);
    p.setPen(QColor(looks::kEdges.line));
    p.drawRect(etched);
    p.setPen(QColor(looks::kEdges.light));
    p.drawRect(etched.translated(1, 1));

    const QRect captionRect(kCaptionIndent, 0, fm.horizontalAdvance(title()) + 2 * kCaptionGap,
                            fm.height());
    p.fillRect(captionRect, background);
    p.setFont(font());
    p.setPen(captionColour_);
    p.drawText(captionRect, Qt::AlignCenter | Qt::TextSingleLine, title());
}

}  // namespace app
