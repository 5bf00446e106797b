#include "Form1.h"

#include "DisplayTexts.h"
#include "GillilandChart.h"
#include "LayoutTable.h"
#include "PictureBox.h"
#include "ReadInputs.h"
#include "ShortcutCalculation.h"
#include "SvgPictures.h"
#include "WindowControls.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

const char* const kRejectionText = "输入数据不合理";
const char* const kRejectionTitle = "错误信息";

// What a screen reader says the chart shows: the correlation, and after a
// calculation the operating point as the read-out boxes show it.
const char* const kEmptyChartDescription =
    "双对数坐标上的吉利兰关联曲线，X 与 Y 均从 0.01 到 1，尚未标出操作点";
const char* const kMarkedChartDescription =
    "双对数坐标上的吉利兰关联曲线，红线标出操作点：横坐标 X = %1，纵坐标 Y = %2";

constexpr std::array<const char*, 7> kInputBoxes = {"Text1", "Text2", "Text3", "Text4",
                                                    "Text5", "Text6", "Text7"};

const char* nameOf(ReadoutBox box) {
    switch (box) {
    case ReadoutBox::Text8:
        return "Text8";
    case ReadoutBox::Text14:
        return "Text14";
    case ReadoutBox::Text9:
        return "Text9";
    case ReadoutBox::Text10:
        return "Text10";
    case ReadoutBox::Text11:
        return "Text11";
    case ReadoutBox::Text12:
        return "Text12";
    case ReadoutBox::Text13:
        return "Text13";
    }
    return "";
}

QLineEdit* textBox(const QWidget* window, const char* name) {
    return window->findChild<QLineEdit*>(QString::fromUtf8(name));
}

// A message box without an icon still indents its text by a fixed column
// and puts its buttons at the right; with neither, text and button stand in
// the middle of the box. Its parts carry the object names Qt gives them for
// style sheets.
void centreContent(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    auto* buttons = box.findChild<QDialogButtonBox*>(QStringLiteral("qt_msgbox_buttonbox"));
    if (grid == nullptr || text == nullptr || buttons == nullptr) {
        return;
    }
    for (int i = 0; i < grid->count(); ++i) {
        if (QSpacerItem* indent = grid->itemAt(i)->spacerItem()) {
            indent->changeSize(0, 0);
        }
    }
    grid->setHorizontalSpacing(0);
    text->setAlignment(Qt::AlignCenter);
    buttons->setCenterButtons(true);
    grid->invalidate();
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kWindowTitle));
    setWindowIcon(QIcon(new SvgIconEngine(QStringLiteral(":/pictures/trelvan.svg"))));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(looks::kWindow.background));
    setPalette(colours);
    resize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));

    buildControls();
    setTabOrder();
}

void Form1::buildControls() {
    QHash<QString, QWidget*> containers;
    for (const ControlRow& row : kControls) {
        QWidget* container =
            row.container != nullptr ? containers.value(QString::fromUtf8(row.container)) : this;
        QWidget* control = WindowControls::create(row, container);
        containers.insert(control->objectName(), control);
    }
    picture2_ = findChild<PictureBox*>(QStringLiteral("Picture2"));
    picture5_ = findChild<PictureBox*>(QStringLiteral("Picture5"));

    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &Form1::Command1_Click);
    connect(findChild<QPushButton*>(QStringLiteral("Command2")), &QPushButton::clicked, this,
            &Form1::Command2_Click);
}

// Focus moves in ascending tab index over the controls that take it.
void Form1::setTabOrder() {
    std::vector<const ControlRow*> stops;
    for (const ControlRow& row : kControls) {
        if (row.tabIndex != kNoTabStop) {
            stops.push_back(&row);
        }
    }
    std::ranges::sort(stops, {}, &ControlRow::tabIndex);
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(findChild<QWidget*>(QString::fromUtf8(stops[i - 1]->name)),
                             findChild<QWidget*>(QString::fromUtf8(stops[i]->name)));
    }
}

void Form1::Form_Load() {
    DrawStartupChart({*picture5_, *picture2_});
    picture2_->setAccessibleDescription(QString::fromUtf8(kEmptyChartDescription));
}

// The frame's size is known only once a window manager has put a frame
// around the shown window: the window is placed by the frame it has before
// (none), and once more when the first frame appears.
void Form1::showCentred() {
    centreFrame();
    show();
    awaitingFrame_ = true;
}

// A top-level move places the frame's top-left corner.
void Form1::centreFrame() {
    const QScreen* screen = this->screen();
    if (screen != nullptr) {
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(),
                                 screen->geometry())
                 .topLeft());
    }
}

void Form1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (awaitingFrame_ && frameGeometry().size() != size()) {
        awaitingFrame_ = false;
        centreFrame();
    }
}

void Form1::Command1_Click() {
    close();
    QApplication::quit();
}

void Form1::Command2_Click() {
    // The texts must outlive the views InputTexts holds.
    std::array<QByteArray, kInputBoxes.size()> typed;
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i) {
        typed[i] = textBox(this, kInputBoxes[i])->text().toUtf8();
    }
    const auto view = [&typed](std::size_t i) {
        return std::string_view(typed[i].constData(), static_cast<std::size_t>(typed[i].size()));
    };
    const InputTexts texts{view(0), view(1), view(2), view(3), view(4), view(5), view(6)};

    const std::optional<ShortcutInputs> inputs = readInputs(texts);
    const std::optional<ShortcutResults> results =
        inputs ? calculateShortcut(*inputs) : std::nullopt;
    if (!results) {
        showRejection();
        return;
    }

    const ChartBoxes boxes{*picture5_, *picture2_};
    // The chart goes blank as soon as both reflux ratios are on screen.
    for (const DisplayText& shown : displayTexts(*results)) {
        textBox(this, nameOf(shown.box))->setText(QString::fromStdString(shown.text));
        if (shown.box == ReadoutBox::Text14) {
            ClearChart(boxes);
        }
    }
    RedrawChart(boxes, results->gillilandX);
    picture2_->setAccessibleDescription(
        QString::fromUtf8(kMarkedChartDescription)
            .arg(textBox(this, "Text11")->text(), textBox(this, "Text10")->text()));
}

void Form1::showRejection() {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kRejectionTitle),
                    QString::fromUtf8(kRejectionText), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setIcon(QIcon());  // no icon anywhere, not even on the button
    centreContent(box);
    box.exec();
}
