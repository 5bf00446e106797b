#include "WindowControls.h"

#include "FontSubstitutes.h"
#include "FormulaPicture.h"
#include "PanelFrame.h"
#include "PictureBox.h"
#include "PictureButton.h"
#include "Twips.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <optional>

namespace {

QString textOf(const ControlRow& row) {
    return row.text != nullptr ? QString::fromUtf8(row.text) : QString();
}

QColor textColourOf(const Look& look, const QWidget* widget) {
    return look.text ? QColor(*look.text) : widget->palette().color(QPalette::WindowText);
}

void applyFont(QWidget* widget, const Look& look) {
    if (look.font) {
        widget->setFont(WindowControls::fontOf(*look.font));
    }
}

// Each control takes its font before its text: laying the text out in the
// toolkit's default font first would load that font, which nothing shows.
QWidget* createFrame(const ControlRow& row, QWidget* container) {
    const Look& look = *row.look;
    auto* frame = new PanelFrame(container, textColourOf(look, container), look.background);
    applyFont(frame, look);
    frame->setTitle(textOf(row));
    return frame;
}

QWidget* createLabel(const ControlRow& row, QWidget* container) {
    const Look& look = *row.look;
    auto* label = new QLabel(container);
    applyFont(label, look);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(false);
    label->setAutoFillBackground(true);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, look.background);
    colours.setColor(QPalette::WindowText, textColourOf(look, label));
    label->setPalette(colours);
    label->setText(textOf(row));
    return label;
}

// A thin flat edge and no padding leave the whole 16-pixel line of 12-point text
// visible inside the 18-pixel input boxes.
QString textBoxStyle(const Look& look) {
    return QStringLiteral("QLineEdit { border: 1px solid %1; padding: 0px; margin: 0px;"
                          " background-color: %2; color: %3; }")
        .arg(QColor(looks::kTextBoxEdge).name(), QColor(look.background).name(),
             QColor(look.text.value_or(looks::kBlack)).name());
}

// A caption is never cut off: where the installed face needs more room than
// the laid-out size, the label grows to the right and downwards; it never
// shrinks and never moves.
QRect fittedGeometry(const QLabel* label, const QRect& laidOut) {
    const QFontMetrics fm(label->font());
    QString shown = label->text();
    while (shown.endsWith(QLatin1Char(' '))) {
        shown.chop(1);
    }
    const int width = std::max(laidOut.width(), fm.horizontalAdvance(shown));
    const int height = std::max(laidOut.height(), fm.height());
    return {laidOut.topLeft(), QSize(width, height)};
}

QWidget* createTextBox(const ControlRow& row, QWidget* container) {
    const Look& look = *row.look;
    auto* box = new QLineEdit(container);
    applyFont(box, look);
    box->setText(textOf(row));
    box->setStyleSheet(textBoxStyle(look));
    box->setTextMargins(0, 0, 0, 0);
    box->setCursorPosition(0);
    return box;
}

QWidget* createButton(const ControlRow& row, QWidget* container) {
    auto* button = new PictureButton(container, textOf(row), QString::fromUtf8(row.picture));
    applyFont(button, *row.look);
    return button;
}

QWidget* createFormulaPicture(const ControlRow& row, QWidget* container) {
    return new FormulaPicture(container, QString::fromUtf8(row.picture), row.look->background);
}

QWidget* createPictureBox(const ControlRow& row, QWidget* container, PictureBox::Border border) {
    auto* box = new PictureBox(container, QString::fromUtf8(row.name), row.rect,
                               QColor(row.look->background), border);
    applyFont(box, *row.look);
    return box;
}

QWidget* createOfKind(const ControlRow& row, QWidget* container) {
    switch (row.kind) {
    case ControlKind::Frame:
        return createFrame(row, container);
    case ControlKind::Label:
        return createLabel(row, container);
    case ControlKind::TextBox:
        return createTextBox(row, container);
    case ControlKind::Button:
        return createButton(row, container);
    case ControlKind::FormulaPicture:
        return createFormulaPicture(row, container);
    case ControlKind::ChartPanel:
        return createPictureBox(row, container, PictureBox::Border::None);
    case ControlKind::PlotArea:
        return createPictureBox(row, container, PictureBox::Border::Sunken);
    }
    return nullptr;
}

// Qt would present the pictures and the chart as unnamed fillers; a screen
// reader announces them by what they are.
std::optional<QAccessible::Role> pictureRole(ControlKind kind) {
    switch (kind) {
    case ControlKind::FormulaPicture:
    case ControlKind::PlotArea:
        return QAccessible::Graphic;
    case ControlKind::ChartPanel:
        return QAccessible::Chart;
    default:
        return std::nullopt;
    }
}

// Qt keeps the first interface it makes for a widget: this factory is in place
// before any control exists, and a control has its object name before its
// first accessibility event (its accessible name being set).
QAccessibleInterface* pictureInterface(const QString& className, QObject* object) {
    if (className != QLatin1String("FormulaPicture") && className != QLatin1String("PictureBox")) {
        return nullptr;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    const auto row = std::ranges::find_if(kControls, [widget](const ControlRow& r) {
        return widget->objectName() == QLatin1String(r.name);
    });
    const auto role = row != kControls.end() ? pictureRole(row->kind) : std::nullopt;
    return role ? new QAccessibleWidget(widget, *role) : nullptr;
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

}  // namespace

QWidget* WindowControls::create(const ControlRow& row, QWidget* container) {
    static const bool pictureFactoryInstalled =
        (QAccessible::installFactory(pictureInterface), true);
    Q_UNUSED(pictureFactoryInstalled);
    QWidget* control = createOfKind(row, container);
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
    return control;
}

QFont WindowControls::fontOf(const FontLook& look) {
    QFont font(FontSubstitutes::familiesFor(look.family));
    font.setPixelSize(twipsToPixels(look.points * kTwipsPerPoint));
    font.setBold(look.bold);
    if (look.stretch != QFont::Unstretched) {
        font.setStretch(look.stretch);
    }
    return font;
}
