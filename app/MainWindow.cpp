#include "app/MainWindow.h"

#include "app/DesignPalette.h"
#include "app/LayoutTable.h"
#include "app/PictureBox.h"
#include "app/PictureIconEngine.h"
#include "app/RejectionBox.h"
#include "app/WindowControls.h"
#include "calc/DisplayTexts.h"
#include "chart/GillilandChart.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleHints>
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace app {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromUtf8(kWindowName));
    setWindowTitle(QString::fromUtf8(kWindowTitle));
    // Where every window is shown full screen (a browser page) there is no frame
    // to show an icon in, and the platform would encode one as the window is made.
    if (!QGuiApplication::styleHints()->showIsFullScreen()) {
        setWindowIcon(QIcon(new PictureIconEngine(QStringLiteral(":/recordings/trelvan.pic"))));
    }
    setAutoFillBackground(true);
    // Set before any control is made, so that every control inherits it.
    setPalette(designPalette());
    resize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));

    buildControls();
    setTabOrder();
}

void MainWindow::buildControls() {
    controls_ = createWindowControls(this);
    connect(controls_.command(Command::Exit), &QPushButton::clicked, this,
            &MainWindow::Command1_Click);
    connect(controls_.command(Command::Confirm), &QPushButton::clicked, this,
            &MainWindow::Command2_Click);
}

// Focus moves in ascending tab index over the controls that take it.
void MainWindow::setTabOrder() {
    std::vector<std::size_t> stops;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].tabIndex != kNoTabStop) {
            stops.push_back(i);
        }
    }
    std::ranges::sort(stops, {}, [](std::size_t i) { return kControls[i].tabIndex; });
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(controls_.all[stops[i - 1]], controls_.all[stops[i]]);
    }
}

void MainWindow::Form_Load() {
    chart::drawStartupChart({.plotArea = *controls_.plotArea, .panel = *controls_.chartPanel});
    controls_.chartPanel->setAccessibleDescription(
        QString::fromStdString(chart::emptyChartDescription()));
}

// The frame's size is known only once a window manager has put a frame
// around the shown window: the window is placed by the frame it has before
// (none), and once more when the first frame appears.
void MainWindow::showCentred() {
    centreFrame();
    show();
    takeShowUpdates();
    awaitingFrame_ = true;
}

// show() leaves each control an update to take later. Taken now, before the
// window is first exposed, the exposure's painting covers them: where a
// platform exposes the window before the event loop takes posted events (a
// browser, from its next animation frame), they would paint the whole window
// a second time before its first frame is on the screen.
void MainWindow::takeShowUpdates() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
}

// A top-level move places the frame's top-left corner.
void MainWindow::centreFrame() {
    const QScreen* screen = this->screen();
    if (screen != nullptr) {
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(),
                                 screen->geometry())
                 .topLeft());
    }
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (awaitingFrame_ && frameGeometry().size() != size()) {
        awaitingFrame_ = false;
        centreFrame();
    }
}

void MainWindow::Command1_Click() {
    close();
    QApplication::quit();
}

void MainWindow::enterDesign(const calc::DesignTexts& texts) {
    for (std::size_t i = 0; i < kInputCount; ++i) {
        controls_.inputs[i]->setText(QString::fromStdString(texts[i]));
    }
    Command2_Click();
}

void MainWindow::Command2_Click() {
    // The texts must outlive the views InputTexts holds.
    calc::DesignTexts typed;
    calc::InputTexts texts;
    for (std::size_t i = 0; i < kInputCount; ++i) {
        typed[i] = controls_.inputs[i]->text().toStdString();
        texts[i] = typed[i];
    }

    const std::optional<calc::ShownDesign> shown = calc::shownDesignFor(texts);
    if (!shown) {
        openRejectionBox(this);
        return;
    }

    const chart::ChartBoxes boxes{.plotArea = *controls_.plotArea, .panel = *controls_.chartPanel};
    // The chart goes blank as soon as both reflux ratios are on screen.
    for (const calc::DisplayText& readout : shown->readouts) {
        controls_.readout(readout.box)->setText(QString::fromStdString(readout.text));
        if (readout.box == calc::ReadoutBox::Reflux) {
            chart::ClearChart(boxes);
        }
    }
    chart::RedrawChart(boxes, shown->gillilandX);
    controls_.chartPanel->setAccessibleDescription(
        QString::fromStdString(chart::markedChartDescription(
            shown->text(calc::ReadoutBox::GillilandX), shown->text(calc::ReadoutBox::GillilandY))));
    emit designShown(typed);
}

}  // namespace app
