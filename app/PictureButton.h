#pragma once

#include <QPushButton>
#include <QString>

namespace app {

// A graphical push button: its face shows the middle of a picture larger than
// the button, cut off at the edges, under a raised (or, while pressed, sunken)
// edge, with the caption centred on top. It is never a default button, so
// Enter does not press it. The picture's recording is read when first painted
// or measured.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    PictureButton(QWidget* parent, const QString& caption, const QString& pictureResource);

    // The picture's own size in device-independent pixels.
    QSize pictureSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString pictureResource_;
};

}  // namespace app
