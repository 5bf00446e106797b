// How long the chart takes on the window's picture boxes, against the least
// the same picture costs when drawn straight into an image with QPainter.
//   bench_chart --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include "app/LayoutTable.h"
#include "app/MainWindow.h"
#include "app/PictureBox.h"
#include "calc/GillilandCorrelation.h"
#include "chart/GillilandChart.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace app;
using namespace calc;
using namespace chart;

// The window, built and shown once for every benchmark of the run.
struct Window {
    MainWindow form;
    PictureBox* plotArea;
    PictureBox* panel;
    Window()
        : plotArea(form.findChild<PictureBox*>(rowOf(ControlKind::PlotArea).name)),
          panel(form.findChild<PictureBox*>(rowOf(ControlKind::ChartPanel).name)) {
        form.Form_Load();
        form.show();
        QApplication::processEvents();
    }
};

Window& window() {
    static Window w;
    return w;
}

void BM_StartupChart(benchmark::State& state) {
    Window& w = window();
    for (auto _ : state) {
        drawStartupChart({*w.plotArea, *w.panel});
        benchmark::DoNotOptimize(w.plotArea->drawing().constBits());
        benchmark::DoNotOptimize(w.panel->drawing().constBits());
    }
    QApplication::processEvents();
}
BENCHMARK(BM_StartupChart)->Unit(benchmark::kMicrosecond);

void BM_ConfirmClick(benchmark::State& state) {
    Window& w = window();
    for (auto _ : state) {
        w.form.Command2_Click();
        benchmark::DoNotOptimize(w.plotArea->drawing().constBits());
    }
    QApplication::processEvents();
}
BENCHMARK(BM_ConfirmClick)->Unit(benchmark::kMicrosecond);

// The floor: grid, curve and operating-point marker of the default inputs,
// computed as the chart computes them and drawn with plain QPainter calls into
// an image of the plot's inner size. No text, no widgets.
void BM_QPainterFloor(benchmark::State& state) {
    Window& w = window();
    const QImage shown = w.plotArea->drawing();
    QImage image(shown.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(shown.devicePixelRatio());
    const double dpr = image.devicePixelRatio();
    const double sx = (image.width() - dpr) / 4000.0;
    const double sy = (image.height() - dpr) / 4000.0;
    const auto column = [&](double x) { return dpr / 2 + x * sx; };
    const auto row = [&](double y) { return dpr / 2 + (4000.0 - y) * sy; };
    const QColor cyan(0xC0, 0xFF, 0xFF);
    const double side = 2 * dpr;
    const auto dot = [&](QPainter& p, double x, double y, const QColor& c) {
        p.fillRect(QRectF(column(x) - side / 2, row(y) - side / 2, side, side), c);
    };
    const double gillilandX = 0.12184874;

    for (auto _ : state) {
        QPainter p(&image);
        p.setWorldTransform(QTransform::fromScale(1 / dpr, 1 / dpr));
        p.fillRect(image.rect(), cyan);
        p.setPen(QPen(Qt::black, 0));
        for (int decade : {1, 10}) {
            for (int i = decade; i <= 10 * decade; i += decade) {
                const double at = LogAxisPosition(i / 100.0);
                p.drawLine(QLineF(column(at), row(0), column(at), row(4000)));
                p.drawLine(QLineF(column(0), row(at), column(4000), row(at)));
            }
        }
        const auto curve = [&](double from, double to, double step) {
            for (double x = from; x <= to; x += step) {
                dot(p, LogAxisPosition(x), LogAxisPosition(gillilandOrdinate(x)), Qt::green);
            }
        };
        curve(0.01, 0.1, 0.0001);
        curve(0.1, 1.0, 0.001);
        const double px = LogAxisPosition(gillilandX);
        const double py = LogAxisPosition(gillilandOrdinate(gillilandX));
        for (double t = 1.0; t <= py; t += 0.4) {
            dot(p, px, t, Qt::red);
        }
        for (double t = px; t >= 1.0; t -= 0.4) {
            dot(p, t, py, Qt::red);
        }
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QPainterFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
