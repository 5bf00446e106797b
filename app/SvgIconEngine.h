#pragma once

#include <QIconEngine>
#include <QString>

namespace app {

// An icon drawn from one of the pictures at whatever size is asked, as Qt's
// SVG icon engine draws it: the picture scaled into the size, keeping its
// shape, on a transparent ground. That engine would be loaded as a plugin and
// parse the picture again for every size before the window appears; this one
// draws from the shared parse (svgPicture).
class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(const QString& resource) : resource_(resource) {}

    QIconEngine* clone() const override { return new SvgIconEngine(resource_); }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;

private:
    QString resource_;
};

}  // namespace app
