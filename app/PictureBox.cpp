#include "app/PictureBox.h"

#include "app/Looks.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTransform>
#include <QtGlobal>
#include <cmath>
#include <optional>

namespace app {

namespace {

constexpr int kSunkenBorderPixels = 2;

// Sizes beyond this (about 2 metres) are refused: they could only come from a
// faulty caller and would ask for an image of gigabytes.
constexpr double kMaxTwips = 1'000'000.0;

bool isSize(float twips) {
    return std::isfinite(twips) && twips >= 0.0F && twips <= kMaxTwips;
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
void paintSunkenEdge(QPainter& p, const QTransform& toDevice, const QRect& box) {
    const auto ring = [&](const QRect& r, Rgb24 topLeft, Rgb24 bottomRight) {
        const QColor first(topLeft);
        const QColor second(bottomRight);
        p.fillRect(devicePixels(toDevice, {r.left(), r.top(), r.width() - 1, 1}), first);
        p.fillRect(devicePixels(toDevice, {r.left(), r.top(), 1, r.height() - 1}), first);
        p.fillRect(devicePixels(toDevice, {r.left(), r.bottom(), r.width(), 1}), second);
        p.fillRect(devicePixels(toDevice, {r.right(), r.top(), 1, r.height()}), second);
    };
    ring(box, looks::kEdges.dark, looks::kEdges.light);
    ring(box.adjusted(1, 1, -1, -1), looks::kEdges.shadow, looks::kEdges.midlight);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent, const QString& objectName, const TwipRect& geometry,
                       const QColor& background, Border border, QAccessible::Role role)
    : QWidget(parent), left_(geometry.left), top_(geometry.top), width_(geometry.width),
      height_(geometry.height), background_(background), border_(border), role_(role),
      canvas_(background) {
    setObjectName(objectName);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // What the box contains shows its background behind it.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
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

// The canvas keeps exactly the device pixels the inner area covers where the
// box lies in its window, so the drawing's last row and column are the ones
// shown; it keeps what was drawn when the box is resized, as a picture box
// keeps its drawing.
void PictureBox::ensureImage() {
    const qreal dpr = devicePixelRatioF();
    const QPoint inWindow = mapTo(window(), QPoint(0, 0));
    const QTransform toDevice =
        QTransform::fromTranslate(inWindow.x(), inWindow.y()) * QTransform::fromScale(dpr, dpr);
    canvas_.resize(devicePixels(toDevice, innerRect()).size().expandedTo(QSize(1, 1)), dpr);
}

// Opens the canvas for a batch of drawing calls and asks for one repaint,
// which will close it again.
bool PictureBox::beginDrawing() {
    if (canvas_.inSession()) {
        return true;
    }
    ensureImage();
    if (!canvas_.beginSession(font())) {
        return false;
    }
    update();
    return true;
}

void PictureBox::Cls() {
    canvas_.discardPoints();
    canvas_.setTextX(0.0);
    canvas_.setTextY(0.0);
    if (beginDrawing()) {
        canvas_.erase();
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
    if (const std::optional<chart::UserScale> scale = chart::userScale(x1, y1, x2, y2)) {
        canvas_.setScale(*scale);
    }
}

void PictureBox::SetForeColor(chart::Rgb colour) {
    canvas_.setForeColor(colour);
}

void PictureBox::SetDrawWidth(int pixels) {
    canvas_.setDrawWidth(pixels);
}

void PictureBox::Line(float x1, float y1, float x2, float y2) {
    if (beginDrawing()) {
        canvas_.line(x1, y1, x2, y2);
    }
}

void PictureBox::PSet(float x, float y) {
    if (canvas_.inSession() || beginDrawing()) {
        canvas_.point(x, y);
    }
}

void PictureBox::SetCurrentX(float x) {
    canvas_.setTextX(x);
}
void PictureBox::SetCurrentY(float y) {
    canvas_.setTextY(y);
}

void PictureBox::Print(std::string_view text) {
    if (beginDrawing()) {
        canvas_.print(text);
    }
}

QImage PictureBox::drawing() {
    canvas_.endSession();
    return canvas_.image();
}

// Painted in device pixels: the box may start at a fractional device
// position (at ratio 1.5, every other logical pixel does), and each part is
// snapped to whole device pixels by the same rounding, so the edge's rings
// are solid and the drawing meets the inner ring with no gap.
void PictureBox::paintEvent(QPaintEvent* event) {
    canvas_.endSession();
    const QImage& image = canvas_.image();
    QPainter p(this);
    p.setClipRegion(event->region());
    const QTransform toDevice = p.deviceTransform();
    p.setWorldTransform(toDevice.inverted());
    p.fillRect(devicePixels(toDevice, rect()), background_);
    const QPoint drawingCorner = devicePixels(toDevice, innerRect()).topLeft();
    p.drawImage(QRectF(drawingCorner, QSizeF(image.size())), image);
    if (border_ == Border::Sunken) {
        paintSunkenEdge(p, toDevice, rect());
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

}  // namespace app
