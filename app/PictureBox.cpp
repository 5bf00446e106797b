#include "PictureBox.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPen>
#include <QResizeEvent>
#include <QTransform>
#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kSunkenBorderPixels = 2;

// Sizes beyond this (about 2 metres) are refused: they could only come from a
// faulty caller and would ask for an image of gigabytes.
constexpr double kMaxTwips = 1'000'000.0;
constexpr int kMaxDrawWidth = 1000;

// Text placed further out than this (device-independent pixels) cannot show
// and is not handed to the text engine.
constexpr double kMaxTextOffset = 1.0e6;

bool isSize(float twips) {
    return std::isfinite(twips) && twips >= 0.0F && twips <= kMaxTwips;
}

// Cohen-Sutherland: trims the segment to the rectangle; false when nothing of
// it lies inside or a coordinate is not finite. Each cut end is put on the
// border itself rather than interpolated from the far end, so a line from
// -1e30 to 1e30 keeps its exact height. Keeps huge coordinates away from the
// rasteriser, whose fixed-point arithmetic would overflow.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& r) {
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
        !std::isfinite(b.y())) {
        return false;
    }
    enum : int { Left = 1, Right = 2, Above = 4, Below = 8 };
    const auto outcode = [&r](const QPointF& p) {
        int code = 0;
        code |= p.x() < r.left() ? Left : (p.x() > r.right() ? Right : 0);
        code |= p.y() < r.top() ? Above : (p.y() > r.bottom() ? Below : 0);
        return code;
    };
    // Each pass puts one end on one border line; four per end suffice.
    for (int pass = 0; pass < 8; ++pass) {
        const int codeA = outcode(a);
        const int codeB = outcode(b);
        if ((codeA | codeB) == 0) {
            return true;
        }
        if ((codeA & codeB) != 0) {
            return false;
        }
        QPointF& end = codeA != 0 ? a : b;
        const QPointF& other = codeA != 0 ? b : a;
        const int code = codeA != 0 ? codeA : codeB;
        const double dx = other.x() - end.x();
        const double dy = other.y() - end.y();
        if ((code & (Left | Right)) != 0) {
            const double x = (code & Left) != 0 ? r.left() : r.right();
            end = QPointF(x, end.y() + dy * ((x - end.x()) / dx));
        } else {
            const double y = (code & Above) != 0 ? r.top() : r.bottom();
            end = QPointF(end.x() + dx * ((y - end.y()) / dy), y);
        }
    }
    return outcode(a) == 0 && outcode(b) == 0;
}

// The device pixels a logical rectangle covers, each side rounded to the
// nearest pixel boundary.
QRect devicePixels(const QTransform& toDevice, const QRect& logical) {
    const QRectF r = toDevice.mapRect(QRectF(logical));
    return {QPoint(qRound(r.left()), qRound(r.top())),
            QPoint(qRound(r.right()) - 1, qRound(r.bottom()) - 1)};
}

// The classic sunken edge in two rings one logical pixel wide: the outer one
// dark above and left and light below and right, the inner one in shadow and
// midlight; the bottom and right sides take the corners they share. The
// painter works in device pixels.
void paintSunkenEdge(QPainter& p, const QTransform& toDevice, const QRect& box,
                     const QPalette& palette) {
    const auto ring = [&](const QRect& r, QPalette::ColorRole topLeft,
                          QPalette::ColorRole bottomRight) {
        const QColor first = palette.color(topLeft);
        const QColor second = palette.color(bottomRight);
        p.fillRect(devicePixels(toDevice, {r.left(), r.top(), r.width() - 1, 1}), first);
        p.fillRect(devicePixels(toDevice, {r.left(), r.top(), 1, r.height() - 1}), first);
        p.fillRect(devicePixels(toDevice, {r.left(), r.bottom(), r.width(), 1}), second);
        p.fillRect(devicePixels(toDevice, {r.right(), r.top(), 1, r.height()}), second);
    };
    ring(box, QPalette::Dark, QPalette::Light);
    ring(box.adjusted(1, 1, -1, -1), QPalette::Shadow, QPalette::Midlight);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent, const QString& objectName, const TwipRect& geometry,
                       const QColor& background, Border border)
    : QWidget(parent), left_(geometry.left), top_(geometry.top), width_(geometry.width),
      height_(geometry.height), background_(background), border_(border) {
    setObjectName(objectName);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(pixelGeometry());
    ensureImage();
}

QRect PictureBox::pixelGeometry() const {
    return {twipsToPixels(left_), twipsToPixels(top_), twipsToPixels(width_),
            twipsToPixels(height_)};
}

int PictureBox::borderWidth() const {
    return border_ == Border::Sunken ? kSunkenBorderPixels : 0;
}

QRect PictureBox::innerRect() const {
    const int b = borderWidth();
    return rect().adjusted(b, b, -b, -b);
}

void PictureBox::applyGeometry() {
    setGeometry(pixelGeometry());
    ensureImage();
}

// Reallocates the image when the inner size or the device pixel ratio has
// changed, keeping what was drawn (anchored at the top-left, rescaled to a new
// ratio), as a picture box keeps its drawing when it is resized. The image
// has exactly the device pixels the inner area covers where the box lies in
// its window, so the drawing's last row and column are the ones shown.
void PictureBox::ensureImage() {
    const qreal dpr = devicePixelRatioF();
    const QPoint inWindow = mapTo(window(), QPoint(0, 0));
    const QTransform toDevice =
        QTransform::fromTranslate(inWindow.x(), inWindow.y()) * QTransform::fromScale(dpr, dpr);
    const QSize device = devicePixels(toDevice, innerRect()).size().expandedTo(QSize(1, 1));
    if (image_.size() == device && image_.devicePixelRatio() == dpr) {
        return;
    }
    endDrawing();
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
    updateMapping();
}

// Device pixels of the image per user unit. A user scale puts its corners on
// the centres of the corner pixels (device-independent ones), so lines and
// points on all four edges show; without one the coordinates are twips from
// the inner top-left corner.
void PictureBox::updateMapping() {
    const double dpr = image_.devicePixelRatio();
    if (hasScale_) {
        mapX_.factor = (image_.width() - dpr) / (scale_.x2 - scale_.x1);
        mapX_.offset = dpr / 2 - scale_.x1 * mapX_.factor;
        mapY_.factor = (image_.height() - dpr) / (scale_.y2 - scale_.y1);
        mapY_.offset = dpr / 2 - scale_.y1 * mapY_.factor;
    } else {
        mapX_ = {0.0, dpr / kTwipsPerPixel};
        mapY_ = {0.0, dpr / kTwipsPerPixel};
    }
}

void PictureBox::updatePenPixels() {
    penPixels_ = std::max(1, qRound(drawWidth_ * image_.devicePixelRatio()));
}

// Opens the painter for a batch of drawing calls and asks for one repaint,
// which will close it again.
bool PictureBox::beginDrawing() {
    if (painter_.isActive()) {
        return true;
    }
    ensureImage();
    if (image_.isNull() || !painter_.begin(&image_)) {
        return false;
    }
    painter_.setFont(font());
    useDevicePixels();
    update();
    return true;
}

// At ratio 1 the transform stays the identity, which keeps the rasteriser on
// its fast paths.
void PictureBox::useDevicePixels() {
    const qreal dpr = image_.devicePixelRatio();
    if (dpr == 1.0) {
        painter_.resetTransform();
    } else {
        painter_.setWorldTransform(QTransform::fromScale(1.0 / dpr, 1.0 / dpr));
    }
}

void PictureBox::endDrawing() const {
    if (painter_.isActive()) {
        flushPoints();
        painter_.end();
    }
}

void PictureBox::flushPoints() const {
    if (pendingPoints_.empty()) {
        return;
    }
    const int s = penPixels();
    for (const QPoint& p : pendingPoints_) {
        painter_.fillRect(p.x(), p.y(), s, s, foreColor_);
    }
    pendingPoints_.clear();
}

void PictureBox::Cls() {
    pendingPoints_.clear();
    currentX_ = 0.0;
    currentY_ = 0.0;
    if (beginDrawing()) {
        painter_.fillRect(image_.rect(), background_);
    }
}

void PictureBox::SetWidth(float twips) {
    if (isSize(twips)) {
        width_ = twips;
        applyGeometry();
    }
}

void PictureBox::SetHeight(float twips) {
    if (isSize(twips)) {
        height_ = twips;
        applyGeometry();
    }
}

double PictureBox::Left() const {
    return left_;
}
double PictureBox::Top() const {
    return top_;
}
double PictureBox::Height() const {
    return height_;
}

void PictureBox::Scale(float x1, float y1, float x2, float y2) {
    const bool usable = std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) &&
                        std::isfinite(y2) && x1 != x2 && y1 != y2;
    if (!usable) {
        return;
    }
    flushPoints();
    hasScale_ = true;
    scale_ = {x1, y1, x2, y2};
    updateMapping();
}

void PictureBox::SetForeColor(Rgb colour) {
    const QColor c(colour.r, colour.g, colour.b);
    if (c != foreColor_) {
        flushPoints();
        foreColor_ = c;
    }
}

void PictureBox::SetDrawWidth(int pixels) {
    const int w = std::clamp(pixels, 1, kMaxDrawWidth);
    if (w != drawWidth_) {
        flushPoints();
        drawWidth_ = w;
        updatePenPixels();
    }
}

void PictureBox::Line(float x1, float y1, float x2, float y2) {
    if (!beginDrawing()) {
        return;
    }
    flushPoints();
    QPointF a(mapX_.toDevice(x1), mapY_.toDevice(y1));
    QPointF b(mapX_.toDevice(x2), mapY_.toDevice(y2));
    const int s = penPixels();
    const QRectF reach = QRectF(image_.rect()).adjusted(-s, -s, s, s);
    if (!clipSegment(a, b, reach)) {
        return;
    }
    QPen pen(foreColor_, s, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setCosmetic(s == 1);
    painter_.setPen(pen);
    painter_.drawLine(QLineF(a, b));
}

// Hot path: the chart sets thousands of points, most of them on a pixel the
// previous one already covered, so only the first of such a run is kept.
void PictureBox::PSet(float x, float y) {
    if (!painter_.isActive() && !beginDrawing()) {
        return;
    }
    const double cx = mapX_.toDevice(x);
    const double cy = mapY_.toDevice(y);
    const int s = penPixels_;
    // Compared before any conversion to int; NaN fails every comparison.
    const bool inside = cx > -s && cx < deviceWidth_ + s && cy > -s && cy < deviceHeight_ + s;
    if (!inside) {
        return;
    }
    // Corner of the s-wide square centred on the point. Both coordinates are
    // above -1.5 s here, so adding 2 s before truncating gives the floor.
    const double shift = 0.5 - s / 2.0 + 2 * s;
    const QPoint corner(static_cast<int>(cx + shift) - 2 * s, static_cast<int>(cy + shift) - 2 * s);
    if (pendingPoints_.empty() || pendingPoints_.back() != corner) {
        pendingPoints_.push_back(corner);
    }
}

void PictureBox::SetCurrentX(float x) {
    currentX_ = x;
}
void PictureBox::SetCurrentY(float y) {
    currentY_ = y;
}

void PictureBox::Print(std::string_view text) {
    if (!beginDrawing()) {
        return;
    }
    flushPoints();
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const double dpr = image_.devicePixelRatio();
    const double x = mapX_.toDevice(currentX_) / dpr;
    const double y = mapY_.toDevice(currentY_) / dpr;
    painter_.resetTransform();
    const QFontMetricsF metrics(painter_.font(), &image_);
    if (std::abs(x) < kMaxTextOffset && std::abs(y) < kMaxTextOffset) {
        painter_.setPen(foreColor_);
        painter_.drawText(QPointF(x, y + metrics.ascent()), s);
    }
    useDevicePixels();
    const double advanced = currentX_ + metrics.horizontalAdvance(s) * dpr / mapX_.factor;
    if (std::isfinite(advanced)) {
        currentX_ = advanced;
    }
}

QImage PictureBox::drawing() const {
    endDrawing();
    return image_;
}

// Painted in device pixels: the box may start at a fractional device
// position (at ratio 1.5, every other logical pixel does), and each part is
// snapped to whole device pixels by the same rounding, so the edge's rings
// are solid and the drawing meets the inner ring with no gap.
void PictureBox::paintEvent(QPaintEvent* event) {
    endDrawing();
    QPainter p(this);
    p.setClipRegion(event->region());
    const QTransform toDevice = p.deviceTransform();
    p.setWorldTransform(toDevice.inverted());
    p.fillRect(devicePixels(toDevice, rect()), background_);
    const QPoint drawingCorner = devicePixels(toDevice, innerRect()).topLeft();
    p.drawImage(QRectF(drawingCorner, QSizeF(image_.size())), image_);
    if (border_ == Border::Sunken) {
        paintSunkenEdge(p, toDevice, rect(), palette());
    }
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ensureImage();
}

bool PictureBox::event(QEvent* event) {
    bool ratioMayHaveChanged = event->type() == QEvent::ScreenChangeInternal;
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    ratioMayHaveChanged = ratioMayHaveChanged || event->type() == QEvent::DevicePixelRatioChange;
#endif
    if (ratioMayHaveChanged) {
        ensureImage();
        update();
    }
    return QWidget::event(event);
}
