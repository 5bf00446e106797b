#pragma once

#include <QString>
#include <QWidget>

namespace app {

// A borderless picture box showing one formula picture over its container's
// background.
// The picture is vector art rendered at paint time, so it stays sharp at any
// device pixel ratio; its natural size is the size the box is laid out at.
// The picture's recording is read when first painted or measured.
class FormulaPicture : public QWidget {
    Q_OBJECT
public:
    FormulaPicture(QWidget* parent, const QString& resource);

    // The picture's own size in device-independent pixels.
    QSize pictureSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
};

}  // namespace app
