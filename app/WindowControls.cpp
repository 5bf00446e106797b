#include "app/WindowControls.h"

#include "app/FontSubstitutes.h"
#include "app/FormulaPicture.h"
#include "app/PanelFrame.h"
#include "app/PictureBox.h"
#include "app/PictureButton.h"
#include "app/TextBox.h"
#include "app/Twips.h"
#include "chart/AxisTicks.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <variant>

namespace app {

namespace {

QString textOf(const ControlRow& row) {
    return row.text != nullptr ? QString::fromUtf8(row.text) : QString();
}

QColor textColourOf(const Look& look, const QWidget* widget) {
    return look.text ? QColor(*look.text) : widget->palette().color(QPalette::WindowText);
}

void setStretch(QFont& font, int stretch) {
    if (stretch != QFont::Unstretched) {
        font.setStretch(stretch);
    }
}

void applyFont(QWidget* widget, const ControlRow& row) {
    if (row.look->font) {
        widget->setFont(fontOf(row));
    }
}

// Each control takes its font before its text: laying the text out in the
// toolkit's default font first would load that font, which nothing shows.
QWidget* createFrame(const ControlRow& row, QWidget* container) {
    const Look& look = *row.look;
    auto* frame = new PanelFrame(container, textColourOf(look, container), *look.background);
    applyFont(frame, row);
    frame->setTitle(textOf(row));
    return frame;
}

QWidget* createLabel(const ControlRow& row, QWidget* container) {
    const Look& look = *row.look;
    auto* label = new QLabel(container);
    applyFont(label, row);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(false);
    label->setAutoFillBackground(true);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, textColourOf(look, label));
    label->setPalette(colours);
    label->setText(textOf(row));
    return label;
}

// A caption is never cut off: where the installed face needs more room than
// the laid-out size, the label grows to the right and downwards; it never
// shrinks and never moves. Where a renderer snaps each glyph to whole pixels
// (DirectWrite at 96 dots per inch) the ink of a line of text ends up to two
// pixels past its advance, and the label leaves that room too.
constexpr int kSnappedInk = 2;

QRect fittedGeometry(const QLabel* label, const QRect& laidOut) {
    const QFontMetrics fm(label->font());
    QString shown = label->text();
    while (shown.endsWith(QLatin1Char(' '))) {
        shown.chop(1);
    }
    const int width = std::max(laidOut.width(), fm.horizontalAdvance(shown) + kSnappedInk);
    const int height = std::max(laidOut.height(), fm.height());
    return {laidOut.topLeft(), QSize(width, height)};
}

QLineEdit* createTextBox(const ControlRow& row, QWidget* container) {
    const Look& look = *row.look;
    auto* box = new TextBox(container, QColor(look.text.value_or(looks::kBlack)),
                            QColor(*look.background), QColor(looks::kEdges.line));
    applyFont(box, row);
    box->setText(textOf(row));
    box->setCursorPosition(0);
    return box;
}

PictureButton* createButton(const ControlRow& row, QWidget* container) {
    auto* button = new PictureButton(container, textOf(row), QString::fromUtf8(row.picture));
    applyFont(button, row);
    return button;
}

QWidget* createFormulaPicture(const ControlRow& row, QWidget* container) {
    return new FormulaPicture(container, QString::fromUtf8(row.picture));
}

PictureBox* createPictureBox(const ControlRow& row, QWidget* container, PictureBox::Border border,
                             QAccessible::Role role) {
    auto* box = new PictureBox(container, QString::fromUtf8(row.name), row.rect,
                               QColor(*row.look->background), border, role);
    applyFont(box, row);
    return box;
}

// Keeps a text box where the window looks for it: an input or a read-out.
void keepTextBox(WindowParts& parts, const ControlRole& role, QLineEdit* box) {
    if (const auto* input = std::get_if<InputBox>(&role)) {
        parts.inputs[static_cast<std::size_t>(*input)] = box;
    } else if (const auto* readout = std::get_if<calc::ReadoutBox>(&role)) {
        parts.readouts[static_cast<std::size_t>(*readout)] = box;
    }
}

void keepButton(WindowParts& parts, const ControlRole& role, QPushButton* button) {
    if (const auto* command = std::get_if<Command>(&role)) {
        parts.commands[static_cast<std::size_t>(*command)] = button;
    }
}

QWidget* createOfKind(const ControlRow& row, QWidget* container, WindowParts& parts) {
    switch (row.kind) {
    case ControlKind::Frame:
        return createFrame(row, container);
    case ControlKind::Label:
        return createLabel(row, container);
    case ControlKind::TextBox: {
        QLineEdit* box = createTextBox(row, container);
        keepTextBox(parts, row.role, box);
        return box;
    }
    case ControlKind::Button: {
        PictureButton* button = createButton(row, container);
        keepButton(parts, row.role, button);
        return button;
    }
    case ControlKind::FormulaPicture:
        return createFormulaPicture(row, container);
    case ControlKind::ChartPanel:
        parts.chartPanel =
            createPictureBox(row, container, PictureBox::Border::None, QAccessible::Chart);
        return parts.chartPanel;
    case ControlKind::PlotArea:
        parts.plotArea =
            createPictureBox(row, container, PictureBox::Border::Sunken, QAccessible::Graphic);
        return parts.plotArea;
    }
    return nullptr;
}

void describe(QWidget* control, const ControlRow& row) {
    if (row.accessibleName != nullptr) {
        control->setAccessibleName(QString::fromUtf8(row.accessibleName));
    }
    if (row.accessibleDescription != nullptr) {
        control->setAccessibleDescription(QString::fromUtf8(row.accessibleDescription));
    }
}

bool placesItself(ControlKind kind) {
    return kind == ControlKind::ChartPanel || kind == ControlKind::PlotArea;
}

void finish(QWidget* control, const ControlRow& row) {
    control->setObjectName(QString::fromUtf8(row.name));
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setGeometry(fittedGeometry(label, toPixels(row.rect)));
    } else if (!placesItself(row.kind)) {
        control->setGeometry(toPixels(row.rect));
    }
    if (row.tabIndex == kNoTabStop) {
        control->setFocusPolicy(Qt::NoFocus);
    }
    describe(control, row);
}

}  // namespace

WindowParts createWindowControls(QWidget* window) {
    WindowParts parts;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlRow& row = kControls[i];
        QWidget* container = row.container != nullptr ? parts.all[containerIndex(row)] : window;
        parts.all[i] = createOfKind(row, container, parts);
        finish(parts.all[i], row);
    }
    return parts;
}

QFont fontOf(const FontLook& look) {
    QFont font(familyFor(look.family));
    font.setPixelSize(twipsToPixels(look.points * kTwipsPerPoint));
    font.setBold(look.bold);
    setStretch(font, look.stretch);
    return font;
}

QFont fontOf(const ControlRow& row) {
    QFont font = fontOf(*row.look->font);
    if (row.kind == ControlKind::ChartPanel) {
        setStretch(font, chart::tickLabelWidth());
    }
    return font;
}

}  // namespace app
