#pragma once

#include "DrawingSurface.h"
#include "Twips.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <vector>

// A picture box the Gilliland chart draws on: a widget that implements the
// chart's DrawingSurface. Everything drawn is retained in a backing image sized
// by the device pixel ratio; paintEvent only copies that image to the screen,
// so the chart comes back exactly as last drawn whenever the box is uncovered.
// The box may contain other widgets, which are painted over its drawing.
class PictureBox : public QWidget, public DrawingSurface {
    Q_OBJECT
public:
    enum class Border { None, Sunken };  // Sunken: the standard 2-pixel edge

    PictureBox(QWidget* parent, const QString& objectName, const TwipRect& geometry,
               const QColor& background, Border border);

    void Cls() override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;
    double Left() const override;
    double Top() const override;
    double Height() const override;
    void Scale(float x1, float y1, float x2, float y2) override;
    void SetForeColor(Rgb colour) override;
    void SetDrawWidth(int pixels) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void PSet(float x, float y) override;
    void SetCurrentX(float x) override;
    void SetCurrentY(float y) override;
    void Print(std::string_view text) override;
    using DrawingSurface::Print;

    // The inner drawing area as the screen shows it (background and drawing,
    // no border, no child widgets), at the device pixel ratio.
    QImage drawing() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    // User coordinates to device pixels of the image: device = offset + user * factor.
    struct AxisMap {
        double offset = 0.0;
        double factor = 1.0;
        double toDevice(double user) const { return offset + user * factor; }
        double toUser(double device) const { return (device - offset) / factor; }
    };
    struct UserScale {
        double x1, y1, x2, y2;
    };

    QRect pixelGeometry() const;
    QRect innerRect() const;
    int borderWidth() const;
    void applyGeometry();
    void ensureImage();
    void updateMapping();
    bool beginDrawing();
    void endDrawing() const;
    void flushPoints() const;
    void useDevicePixels();
    int penPixels() const { return penPixels_; }
    void updatePenPixels();

    double left_;  // outer geometry in the container's twips
    double top_;
    double width_;
    double height_;
    QColor background_;
    Border border_;
    bool hasScale_ = false;
    UserScale scale_{};
    AxisMap mapX_;
    AxisMap mapY_;
    QColor foreColor_{Qt::black};
    int drawWidth_ = 1;
    double currentX_ = 0.0;
    double currentY_ = 0.0;

    // The inner area in device pixels, with its devicePixelRatio set. The
    // painter stays open on it across a batch of drawing calls; points wait
    // in pendingPoints_ (top-left device pixel, all in the current pen) until
    // the pen changes or the image is needed.
    mutable QImage image_;
    mutable QPainter painter_;
    mutable std::vector<QPoint> pendingPoints_;
    // Kept at hand for PSet, the hot path: the image size and DrawWidth, in
    // device pixels.
    int deviceWidth_ = 0;
    int deviceHeight_ = 0;
    int penPixels_ = 1;
};
