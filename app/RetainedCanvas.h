#pragma once

#include "chart/DrawingSurface.h"
#include "chart/PointSquare.h"
#include "chart/ScaleMap.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <optional>
#include <string_view>
#include <vector>

namespace app {

// The drawing a picture box retains: an image in device pixels with its
// device pixel ratio, and the pen, user scale and text position the drawing
// calls use. A painter stays open on the image across a batch of drawing
// calls (a session); points wait in a list (top-left device pixel, all in the
// current pen) until the pen changes or the image is needed.
class RetainedCanvas {
public:
    explicit RetainedCanvas(const QColor& background) : background_(background) {}

    // Reallocates the image for a new size or ratio, keeping what was drawn
    // anchored at the top-left (rescaled to a new ratio).
    void resize(QSize device, qreal devicePixelRatio);

    bool inSession() const { return painter_.isActive(); }
    // Opens a session that prints in the font; false when the image cannot be
    // painted on.
    bool beginSession(const QFont& font);
    // Draws the waiting points and closes the session.
    void endSession();

    // The drawing as the last session left it.
    const QImage& image() const { return image_; }

    // What Cls does: the waiting points are dropped, and erase (in a session)
    // fills the image with the background.
    void discardPoints() { pendingPoints_.clear(); }
    void erase();

    void setScale(const chart::UserScale& scale);
    void setForeColor(chart::Rgb colour);
    void setDrawWidth(int pixels);
    void setTextX(double x) { textX_ = x; }
    void setTextY(double y) { textY_ = y; }

    // The drawing calls, in a session only.
    void line(float x1, float y1, float x2, float y2);
    void print(std::string_view text);
    // Hot path: the chart sets thousands of points, most of them on a pixel
    // the previous one already covered, so only the first of such a run is kept.
    void point(float x, float y) {
        const std::optional<chart::PixelCorner> corner = chart::pointSquare(
            map_.x.toDevice(x), map_.y.toDevice(y), penPixels_, deviceWidth_, deviceHeight_);
        if (!corner) {
            return;
        }
        if (pendingPoints_.empty() || pendingPoints_.back() != *corner) {
            pendingPoints_.push_back(*corner);
        }
    }

private:
    void flushPoints();
    void useDevicePixels();
    void updatePenPixels();
    void updateMap();

    QColor background_;
    std::optional<chart::UserScale> scale_;
    chart::ScaleMap map_{};
    QColor foreColor_{Qt::black};
    int drawWidth_ = 1;
    double textX_ = 0.0;
    double textY_ = 0.0;

    QImage image_;
    QPainter painter_;
    std::vector<chart::PixelCorner> pendingPoints_;
    // Kept at hand for points, the hot path: the image size and DrawWidth, in
    // device pixels.
    int deviceWidth_ = 0;
    int deviceHeight_ = 0;
    int penPixels_ = 1;
};

}  // namespace app
