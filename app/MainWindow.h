#pragma once

#include "app/WindowControls.h"
#include "calc/InputBoxes.h"

#include <QWidget>

namespace app {

// The program's one window: the input panel, the results panel, the Gilliland
// chart panel and the title banner, all at fixed positions, and the three
// handlers it answers. Resizing moves nothing; more window shows more
// background.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Draws the empty chart; runs once, before the window is first shown.
    void Form_Load();

    // Shows the window for the first time, its frame centred on its screen.
    void showCentred();

    // Types these texts into the input boxes, in box order, and presses the
    // confirm button, as a user would.
    void enterDesign(const calc::DesignTexts& texts);

signals:
    // After each calculation the window shows: the seven texts as they were
    // typed, in box order. (A page around the window keeps them as a link.)
    void designShown(const calc::DesignTexts& typed);

public slots:
    // Ends the program at once.
    void Command1_Click();
    // One complete calculation: read and check the inputs, then either the
    // error message and nothing else, or the seven results and a fresh chart.
    void Command2_Click();

protected:
    void moveEvent(QMoveEvent* event) override;

private:
    void centreFrame();
    void takeShowUpdates();
    void buildControls();
    void setTabOrder();

    WindowParts controls_;
    bool awaitingFrame_ = false;  // shown, and no window manager's frame seen yet
};

}  // namespace app
