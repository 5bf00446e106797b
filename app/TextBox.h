#pragma once

#include <QColor>
#include <QLineEdit>

namespace app {

// A single-line text box with one flat grey line for its edge and no padding,
// so that the whole 16-pixel line of 12-point text shows inside the 18-pixel
// box; text and background in the look's colours, selection and caret in the
// window's. Drawn without a style sheet, whose parsing and per-widget rules
// would cost every start of the program.
class TextBox : public QLineEdit {
public:
    TextBox(QWidget* parent, const QColor& text, const QColor& background, const QColor& edge);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor edge_;
};

}  // namespace app
