// The yardstick for the start-up benchmark: a text-only replica of the main window. A titled
// window of the same size whose plain labels show every text the window shows when it opens
// (panel and input captions, unit labels, the seven initial texts, the button captions, the
// banner, the chart title and the chart's tick labels) in the same faces, sizes and weights,
// each where the window shows it. No pictures, boxes, buttons or chart: what the program takes
// beyond this is what its controls and drawing cost. The texts, faces and places come from the
// window's own layout table and the chart's own drawing routine.
#include "app/FontSubstitutes.h"
#include "app/LayoutTable.h"
#include "app/Twips.h"
#include "app/WindowControls.h"
#include "chart/DrawingSurface.h"
#include "chart/GillilandChart.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <string_view>

namespace {

using namespace app;
using namespace chart;

// A control's upper-left corner in the window's twips: its own place plus its containers'.
QPoint placeInWindow(const ControlRow& row) {
    int left = row.rect.left;
    int top = row.rect.top;
    for (const ControlRow* at = &row; at->container != nullptr;) {
        at = &kControls[containerIndex(*at)];
        left += at->rect.left;
        top += at->rect.top;
    }
    return {left, top};
}

QLabel* addLabel(QWidget* window, const ControlRow& row, const QString& text, QPointF twips) {
    auto* label = new QLabel(window);
    label->setFont(app::fontOf(row));  // before the text, as the window does
    label->setText(text);
    label->move(twipsToPixels(twips.x()), twipsToPixels(twips.y()));
    return label;
}

// Takes the chart's drawing and keeps only its printed texts, each as a label where the panel
// would print it. The plot box reports its laid-out geometry, as the chart reads it.
class TextOnlySurface : public DrawingSurface {
public:
    TextOnlySurface(const ControlRow& row, QWidget* window)
        : row_(row), window_(window), origin_(placeInWindow(row)) {}

    void Cls() override {}
    void SetWidth(float) override {}
    void SetHeight(float) override {}
    double Left() const override { return row_.rect.left; }
    double Top() const override { return row_.rect.top; }
    double Height() const override { return row_.rect.height; }
    void Scale(float, float, float, float) override {}
    void SetForeColor(Rgb) override {}
    void SetDrawWidth(int) override {}
    void Line(float, float, float, float) override {}
    void PSet(float, float) override {}
    void SetCurrentX(float x) override { x_ = x; }
    void SetCurrentY(float y) override { y_ = y; }
    void Print(std::string_view text) override {
        const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        addLabel(window_, row_, shown, QPointF(origin_) + QPointF(x_, y_));
    }

private:
    const ControlRow& row_;
    QWidget* window_;
    QPoint origin_;
    float x_ = 0;
    float y_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app::installFontSubstitutes();
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(kWindowTitle));
    window.resize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    for (const ControlRow& row : kControls) {
        if (row.text != nullptr && row.look->font) {
            addLabel(&window, row, QString::fromUtf8(row.text), placeInWindow(row));
        }
    }
    TextOnlySurface plot(rowOf(ControlKind::PlotArea), &window);
    TextOnlySurface panel(rowOf(ControlKind::ChartPanel), &window);
    drawStartupChart({.plotArea = plot, .panel = panel});
    window.show();
    return QApplication::exec();
}
