#pragma once

#include <QColor>
#include <QGroupBox>

namespace app {

// A captioned panel: the whole rectangle filled with the panel colour, an
// etched rectangle whose top edge runs through the middle of the caption, and
// the caption set into that edge in the frame's font and caption colour.
// Children are placed from the frame's own upper-left corner, caption area
// included; no layout moves them, and they show the panel colour behind them
// (the frame's palette's window colour, which they inherit). The caption is
// set with setTitle, once the frame has its font.
class PanelFrame : public QGroupBox {
    Q_OBJECT
public:
    PanelFrame(QWidget* parent, const QColor& captionColour, const QColor& background);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor captionColour_;
};

}  // namespace app
