#pragma once

#include "app/RetainedCanvas.h"
#include "app/Twips.h"
#include "chart/DrawingSurface.h"

#include <QAccessible>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

namespace app {

// A picture box the Gilliland chart draws on: a widget that implements the
// chart's DrawingSurface. Everything drawn is retained in a canvas sized by
// the device pixel ratio; paintEvent only copies it to the screen, so the
// chart comes back exactly as last drawn whenever the box is uncovered. The
// box itself keeps its geometry in twips, follows resizing and changes of
// screen, and paints its edge. It may contain other widgets, which are
// painted over its drawing.
class PictureBox : public QWidget, public chart::DrawingSurface {
    Q_OBJECT
public:
    enum class Border { None, Sunken };  // Sunken: the standard 2-pixel edge

    // role: what a screen reader announces the box as (a chart, a graphic).
    PictureBox(QWidget* parent, const QString& objectName, const TwipRect& geometry,
               const QColor& background, Border border, QAccessible::Role role);

    QAccessible::Role accessibleRole() const { return role_; }

    void Cls() override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;
    double Left() const override;
    double Top() const override;
    double Height() const override;
    void Scale(float x1, float y1, float x2, float y2) override;
    void SetForeColor(chart::Rgb colour) override;
    void SetDrawWidth(int pixels) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void PSet(float x, float y) override;
    void SetCurrentX(float x) override;
    void SetCurrentY(float y) override;
    void Print(std::string_view text) override;
    using chart::DrawingSurface::Print;

    // The inner drawing area as the screen shows it (background and drawing,
    // no border, no child widgets), at the device pixel ratio; the batch of
    // drawing calls so far is finished first.
    QImage drawing();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRect pixelGeometry() const;
    QRect innerRect() const;
    int borderWidth() const;
    void applyGeometry();
    void ensureImage();
    bool beginDrawing();

    double left_;  // outer geometry in the container's twips
    double top_;
    double width_;
    double height_;
    QColor background_;
    Border border_;
    QAccessible::Role role_;
    RetainedCanvas canvas_;
};

}  // namespace app
