#include "app/RetainedCanvas.h"

#include "app/Twips.h"
#include "chart/SegmentClipper.h"

#include <QFontMetricsF>
#include <QPen>
#include <QTransform>
#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace app {

namespace {

constexpr int kMaxDrawWidth = 1000;

// Text placed further out than this (device-independent pixels) cannot show
// and is not handed to the text engine.
constexpr double kMaxTextOffset = 1.0e6;

}  // namespace

void RetainedCanvas::resize(QSize device, qreal devicePixelRatio) {
    const qreal dpr = devicePixelRatio;
    if (image_.size() == device && image_.devicePixelRatio() == dpr) {
        return;
    }
    endSession();
    QImage next(device, QImage::Format_RGB32);
    next.setDevicePixelRatio(dpr);
    next.fill(background_);
    if (!image_.isNull() && !next.isNull()) {
        QPainter p(&next);
        p.setRenderHint(QPainter::SmoothPixmapTransform, image_.devicePixelRatio() != dpr);
        p.drawImage(QPointF(0, 0), image_);
    }
    image_ = next;
    deviceWidth_ = image_.width();
    deviceHeight_ = image_.height();
    updatePenPixels();
    updateMap();
}

void RetainedCanvas::updateMap() {
    map_ = chart::scaleMap(scale_, image_.width(), image_.height(), image_.devicePixelRatio(),
                           kTwipsPerPixel);
}

void RetainedCanvas::updatePenPixels() {
    penPixels_ = std::max(1, qRound(drawWidth_ * image_.devicePixelRatio()));
}

bool RetainedCanvas::beginSession(const QFont& font) {
    if (image_.isNull() || !painter_.begin(&image_)) {
        return false;
    }
    painter_.setFont(font);
    useDevicePixels();
    return true;
}

// At ratio 1 the transform stays the identity, which keeps the rasteriser on
// its fast paths.
void RetainedCanvas::useDevicePixels() {
    const qreal dpr = image_.devicePixelRatio();
    if (dpr == 1.0) {
        painter_.resetTransform();
    } else {
        painter_.setWorldTransform(QTransform::fromScale(1.0 / dpr, 1.0 / dpr));
    }
}

void RetainedCanvas::endSession() {
    if (painter_.isActive()) {
        flushPoints();
        painter_.end();
    }
}

void RetainedCanvas::flushPoints() {
    if (pendingPoints_.empty()) {
        return;
    }
    const int s = penPixels_;
    for (const chart::PixelCorner& p : pendingPoints_) {
        painter_.fillRect(p.x, p.y, s, s, foreColor_);
    }
    pendingPoints_.clear();
}

void RetainedCanvas::erase() {
    painter_.fillRect(image_.rect(), background_);
}

void RetainedCanvas::setScale(const chart::UserScale& scale) {
    flushPoints();
    scale_ = scale;
    updateMap();
}

void RetainedCanvas::setForeColor(chart::Rgb colour) {
    const QColor c(colour.r, colour.g, colour.b);
    if (c != foreColor_) {
        flushPoints();
        foreColor_ = c;
    }
}

void RetainedCanvas::setDrawWidth(int pixels) {
    const int w = std::clamp(pixels, 1, kMaxDrawWidth);
    if (w != drawWidth_) {
        flushPoints();
        drawWidth_ = w;
        updatePenPixels();
    }
}

void RetainedCanvas::line(float x1, float y1, float x2, float y2) {
    flushPoints();
    chart::DevicePoint a{.x = map_.x.toDevice(x1), .y = map_.y.toDevice(y1)};
    chart::DevicePoint b{.x = map_.x.toDevice(x2), .y = map_.y.toDevice(y2)};
    const int s = penPixels_;
    // The pen's reach beyond the image: a line just outside still shows its edge.
    const chart::DeviceBounds reach{.left = static_cast<double>(-s),
                                    .top = static_cast<double>(-s),
                                    .right = static_cast<double>(image_.width() + s),
                                    .bottom = static_cast<double>(image_.height() + s)};
    if (!chart::clipSegment(a, b, reach)) {
        return;
    }
    QPen pen(foreColor_, s, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setCosmetic(s == 1);
    painter_.setPen(pen);
    painter_.drawLine(QLineF(a.x, a.y, b.x, b.y));
}

void RetainedCanvas::print(std::string_view text) {
    flushPoints();
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const double dpr = image_.devicePixelRatio();
    const double x = map_.x.toDevice(textX_) / dpr;
    const double y = map_.y.toDevice(textY_) / dpr;
    painter_.resetTransform();
    const QFontMetricsF metrics(painter_.font(), &image_);
    if (std::abs(x) < kMaxTextOffset && std::abs(y) < kMaxTextOffset) {
        painter_.setPen(foreColor_);
        painter_.drawText(QPointF(x, y + metrics.ascent()), s);
    }
    useDevicePixels();
    const double advanced = textX_ + metrics.horizontalAdvance(s) * dpr / map_.x.factor;
    if (std::isfinite(advanced)) {
        textX_ = advanced;
    }
}

}  // namespace app
