#pragma once

#include <QIconEngine>
#include <QString>

namespace app {

// An icon drawn from one of the pictures at whatever size is asked, as Qt's
// SVG icon engine draws an SVG file: the picture scaled into the size, keeping
// its shape, on a transparent ground, from the one shared recording (picture()).
class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(const QString& resource) : resource_(resource) {}

    QIconEngine* clone() const override { return new PictureIconEngine(resource_); }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;

private:
    QString resource_;
};

}  // namespace app
