// No caption or box text is cut at the screen's pixel ratio, where a face's
// glyphs may come out wider or taller than their size at 96 dots per inch.

#include "app/MainWindow.h"
#include "tests/app/PictureBoxTestSupport.h"
#include "tests/app/WindowTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

namespace {

using namespace app;

class TextFit : public testing::Test {
protected:
    void SetUp() override {
        window.show();
        QApplication::processEvents();
    }

    MainWindow window;
};

// Each label shows all of its caption: with room to spare on the right and
// below, it draws no more ink than at its own size.
TEST_F(TextFit, EveryCaptionFitsItsLabel) {
    for (QLabel* label : window.findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        const QColor background = label->palette().color(QPalette::Window);
        const QSize own = label->size();
        label->resize(own + QSize(40, 40));
        const QImage roomy = label->grab().toImage();
        label->resize(own);
        const QRect ink = pixelsOf(roomy, background, true);
        ASSERT_FALSE(ink.isEmpty());
        const qreal dpr = roomy.devicePixelRatio();
        EXPECT_LE(ink.right(), own.width() * dpr - 1);
        EXPECT_LE(ink.bottom(), own.height() * dpr - 1);
    }
}

// A line of digits stays clear of the one-pixel edge of every text box, above
// and below.
TEST_F(TextFit, DigitsFitTheTextBoxes) {
    for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
        SCOPED_TRACE(box->objectName().toStdString());
        box->setText(QStringLiteral("0123456789.-E"));
        box->clearFocus();  // no caret from top to bottom
        const QImage shot = box->grab().toImage();
        const qreal dpr = shot.devicePixelRatio();
        const int edge = static_cast<int>(std::ceil(dpr));
        const QImage content = shot.copy(shot.rect().adjusted(edge, edge, -edge, -edge));
        const QRect ink = pixelsOf(content, dominantColour(content), true);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_GT(ink.top(), 0);
        EXPECT_LT(ink.bottom(), content.height() - 1);
    }
}

}  // namespace
