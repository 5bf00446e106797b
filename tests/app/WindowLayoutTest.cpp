// The window as laid out: every control's container and pixel geometry, the
// looks of each group of controls, fonts that really have the glyphs, formula
// pictures at their natural size, initial texts, what a screen reader says of
// each control, the toolkit's own texts, tab order, and a resize that moves
// nothing.

#include "app/FormulaPicture.h"
#include "app/LayoutTable.h"
#include "app/MainWindow.h"
#include "app/PictureBox.h"
#include "tests/app/WindowTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace {

using namespace app;

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect expectedRect(const ControlRow& row) {
    return {px(row.rect.left), px(row.rect.top), px(row.rect.width), px(row.rect.height)};
}

QString containerName(const QWidget* w) {
    return w->parentWidget()->objectName();
}

class WindowLayout : public testing::Test {
protected:
    MainWindow window;
};

// A label may grow beyond its laid-out size where the installed face needs
// more room, so that no caption is cut off; every other control keeps it.
TEST_F(WindowLayout, EveryControlSitsInItsContainerAtItsLaidOutPosition) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        const QWidget* w = control(window, row.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(containerName(w), QString::fromUtf8(row.container ? row.container : kWindowName));
        const QRect want = expectedRect(row);
        EXPECT_EQ(w->pos(), want.topLeft());
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            const QFontMetrics fm(label->font());
            EXPECT_GE(label->width(),
                      std::max(want.width(), fm.horizontalAdvance(label->text().trimmed())));
            EXPECT_GE(label->height(), std::max(want.height(), fm.height()));
        } else {
            EXPECT_EQ(w->size(), want.size());
        }
    }
}

TEST_F(WindowLayout, NoControlOverlapsAnotherOrLeavesItsContainer) {
    for (const ControlRow& p : kControls) {
        const QWidget* w = control(window, p.name);
        SCOPED_TRACE(p.name);
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()));
        for (const ControlRow& q : kControls) {
            const QWidget* other = control(window, q.name);
            if (other != w && other->parentWidget() == w->parentWidget()) {
                EXPECT_FALSE(w->geometry().intersects(other->geometry())) << "with " << q.name;
            }
        }
    }
}

TEST_F(WindowLayout, WindowHasItsNameTitleIconClientSizeAndBackground) {
    EXPECT_EQ(window.objectName(), QString::fromUtf8(kWindowName));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Trelvan"));
    // A desktop frames its windows, so the icon is there (in a browser it is not).
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(window.size(), QSize(792, 557));
    EXPECT_EQ(colourAt(window, {791, 556}), 0xFFFFC0u);
}

TEST_F(WindowLayout, EnlargingTheWindowShowsBackgroundAndMovesNothing) {
    std::vector<QRect> before;
    for (const ControlRow& row : kControls) {
        before.push_back(control(window, row.name)->geometry());
    }
    window.resize(1000, 700);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        EXPECT_EQ(control(window, kControls[i].name)->geometry(), before[i]) << kControls[i].name;
    }
    EXPECT_EQ(colourAt(window, {990, 690}), 0xFFFFC0u);
    EXPECT_EQ(colourAt(window, {800, 300}), 0xFFFFC0u);
}

struct Colours {
    const char* name;
    QRgb background;          // the colour covering most of the control
    std::optional<QRgb> ink;  // a colour its caption or text is drawn in
};

// clang-format off
const Colours kColours[] = {
    {"Frame1", 0xC0FFC0, 0xFF0000}, {"Frame2", 0xC0FFC0, 0xFF0000},
    {"Label1", 0xC0FFC0, 0x000000}, {"Label7", 0xC0FFC0, 0x000000},
    {"Label19", 0xC0FFC0, 0x000000}, {"Label20", 0xC0FFC0, 0x000000},
    {"Text1", 0xFFC0FF, 0x0000FF}, {"Text7", 0xFFC0FF, 0x0000FF}, {"Text8", 0xFFC0FF, {}},
    {"Picture4", 0xC0FFC0, 0x000000}, {"Picture3", 0xC0FFC0, 0x000000},
    {"Picture10", 0xFFFFC0, 0x000000}, {"Picture9", 0xFFFFC0, 0x000000},
    {"Label8", 0xFFFFC0, 0x0000FF}, {"Label9", 0xFFFFC0, 0x000000},
    {"Picture5", 0xC0FFFF, {}},
};
// clang-format on

TEST_F(WindowLayout, ControlsShowTheirLookColours) {
    for (const Colours& c : kColours) {
        SCOPED_TRACE(c.name);
        const QImage shot = control(window, c.name)->grab().toImage();
        EXPECT_EQ(dominantColour(shot), c.background);
        if (c.ink) {
            EXPECT_TRUE(containsColour(shot, *c.ink));
        }
    }
}

TEST_F(WindowLayout, FormulaPicturesAreExactlyTheirPicturesSize) {
    const auto pictures = window.findChildren<FormulaPicture*>();
    EXPECT_EQ(pictures.size(), 9);
    for (const FormulaPicture* picture : pictures) {
        SCOPED_TRACE(picture->objectName().toStdString());
        EXPECT_FALSE(picture->pictureSize().isEmpty());
        EXPECT_EQ(picture->size(), picture->pictureSize());
    }
}

TEST_F(WindowLayout, ButtonsShowTheirGradientFaceAndCaptionAndAreNeverDefault) {
    for (const char* name : {rowOf(Command::Exit).name, rowOf(Command::Confirm).name}) {
        SCOPED_TRACE(name);
        auto* button = qobject_cast<QPushButton*>(control(window, name));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
        const QImage face = button->grab().toImage();
        // Beside the caption the face shows the yellow-to-orange gradient.
        const QColor beside(colourAt(*button, {6, button->height() / 2}));
        EXPECT_EQ(beside.red(), 255);
        EXPECT_GE(beside.green(), 0x66);
        EXPECT_EQ(beside.blue(), 0);
        EXPECT_TRUE(containsColour(face, 0x000000));
    }
    EXPECT_EQ(qobject_cast<QPushButton*>(control(window, rowOf(Command::Confirm).name))->text(),
              QString::fromUtf8("确认输入数据"));
    EXPECT_EQ(qobject_cast<QPushButton*>(control(window, rowOf(Command::Exit).name))->text(),
              QString::fromUtf8("退出"));
}

struct Face {
    const char* name;       // one control of each look
    const char* installed;  // the face the set-up installs for the one the layout names
    int pixelSize;          // its points at 96 dots per inch
    bool bold;
};

// The layout names Windows faces (幼圆, 楷体_GB2312, Times New Roman, 宋体, 华文行楷,
// 隶书); none is installed here, so each control asks for its stand-in by the
// stand-in's own name, and gets it.
const Face kFaces[] = {
    {"Frame1", "WenQuanYi Zen Hei", 19, true},      {"Label1", "AR PL KaitiM GB", 16, false},
    {"Label19", "Liberation Serif", 16, false},     {"Text1", "AR PL SungtiL GB", 16, true},
    {"Command2", "AR PL KaitiM GB", 16, true},      {"Label8", "AR PL KaitiM GB", 21, false},
    {"Label9", "Goudy Bookletter 1911", 24, false},
};

TEST_F(WindowLayout, EachLookHasItsFace) {
    for (const Face& f : kFaces) {
        SCOPED_TRACE(f.name);
        const QFont font = control(window, f.name)->font();
        EXPECT_EQ(font.family(), QString::fromUtf8(f.installed));
        EXPECT_EQ(QFontInfo(font).family(), QString::fromUtf8(f.installed));
        EXPECT_EQ(font.pixelSize(), f.pixelSize);
        EXPECT_EQ(font.bold(), f.bold);
    }
}

QString captionOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        return label->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(w)) {
        return frame->title();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        return button->text();
    }
    return QStringLiteral("0123456789.-+E");  // what a text box shows
}

// The named faces are Windows faces; each control must get the installed
// stand-in it asks for, whose own glyphs cover the caption, never a fallback
// that would draw empty boxes.
TEST_F(WindowLayout, EveryCaptionResolvesToAFaceThatHasItsGlyphs) {
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (qobject_cast<const QLabel*>(w) == nullptr &&
            qobject_cast<const QGroupBox*>(w) == nullptr &&
            qobject_cast<const QAbstractButton*>(w) == nullptr &&
            qobject_cast<const QLineEdit*>(w) == nullptr) {
            continue;
        }
        SCOPED_TRACE(w->objectName().toStdString());
        const QString resolved = QFontInfo(w->font()).family();
        EXPECT_EQ(resolved, w->font().family());
        const QFontMetrics fm(w->font());
        for (const QChar c : captionOf(w)) {
            EXPECT_TRUE(c.isSpace() || fm.inFont(c)) << QString(c).toStdString();
        }
    }
}

// The banner's Latin letters are set proportionally, not in a CJK face's
// fixed-width Latin.
TEST_F(WindowLayout, BannerLettersHaveTheirOwnWidths) {
    const QFontMetricsF fm(control(window, "Label9")->font());
    EXPECT_GT(fm.horizontalAdvance(QLatin1Char('W')), 2 * fm.horizontalAdvance(QLatin1Char('i')));
}

// An 18-pixel input box shows the whole height of a line of its text.
TEST_F(WindowLayout, InputBoxesShowAWholeLineOfText) {
    for (std::size_t i = 0; i < kInputCount; ++i) {
        const char* name = rowOf(static_cast<InputBox>(i)).name;
        SCOPED_TRACE(name);
        const QLineEdit* edit = box(window, name);
        ASSERT_EQ(edit->height(), 18);
        const QFontMetrics fm(edit->font());
        const QRect ink = fm.boundingRect(QStringLiteral("0123456789.-E"));
        EXPECT_LE(ink.height(), edit->contentsRect().height());
    }
}

// The unit printed to the right of a box, on the same line; 无单位 (none) when
// there is none.
QString unitBeside(const QWidget& window, const QLineEdit& edit) {
    for (const ControlRow& row : kControls) {
        const QWidget* label = control(window, row.name);
        if (row.look == &looks::kUnitLabel && label->parentWidget() == edit.parentWidget() &&
            label->x() > edit.x() && label->y() < edit.geometry().bottom() &&
            label->geometry().bottom() > edit.y()) {
            return qobject_cast<const QLabel*>(label)
                ->text()
                .split(QLatin1Char(' '), Qt::SkipEmptyParts)
                .last();
        }
    }
    return QString::fromUtf8("无单位");
}

// Each box starts with the text its row gives and carries its row's name.
// An input box's description names the unit printed beside it, or none where
// no unit stands beside it: a description copied from another row shows.
TEST_F(WindowLayout, BoxesStartWithTheirTextsAndDescribeTheUnitBesideThem) {
    for (const ControlRow& row : kControls) {
        if (row.kind != ControlKind::TextBox) {
            continue;
        }
        SCOPED_TRACE(row.name);
        const QLineEdit* edit = box(window, row.name);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QString::fromUtf8(row.text));
        EXPECT_FALSE(edit->isReadOnly());
        EXPECT_EQ(edit->accessibleName(), QString::fromUtf8(row.accessibleName));
        if (std::holds_alternative<InputBox>(row.role)) {
            EXPECT_TRUE(edit->accessibleDescription().contains(unitBeside(window, *edit)))
                << edit->accessibleDescription().toStdString();
        }
    }
}

// What a screen reader announces: the accessibility interface, not the
// widget's own properties, so a button's caption counts as its name.
QString spoken(QWidget* widget, QAccessible::Text what) {
    return QAccessible::queryAccessibleInterface(widget)->text(what);
}

TEST_F(WindowLayout, EveryFocusStopHasItsOwnNameAndADescription) {
    QSet<QString> names;
    int stops = 0;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        SCOPED_TRACE(w->objectName().toStdString());
        ++stops;
        const QString name = spoken(w, QAccessible::Name);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names.insert(name);
        EXPECT_FALSE(spoken(w, QAccessible::Description).isEmpty());
    }
    EXPECT_EQ(stops, std::ranges::count_if(kControls, [](const ControlRow& row) {
                  return row.tabIndex != kNoTabStop;
              }));
}

// Every picture is announced as a graphic, the chart as a chart, each by the
// name its row gives: a picture without one would be passed over in silence.
TEST_F(WindowLayout, PicturesAndTheChartAreAnnouncedByWhatTheyShow) {
    for (const ControlRow& row : kControls) {
        if (row.kind != ControlKind::FormulaPicture && row.kind != ControlKind::ChartPanel) {
            continue;
        }
        SCOPED_TRACE(row.name);
        QWidget* picture = control(window, row.name);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(picture)->role(),
                  row.kind == ControlKind::ChartPanel ? QAccessible::Chart : QAccessible::Graphic);
        ASSERT_NE(row.accessibleName, nullptr);
        EXPECT_EQ(spoken(picture, QAccessible::Name), QString::fromUtf8(row.accessibleName));
    }
}

// Qt's own texts come from its Simplified Chinese catalogue whatever the
// user's locale; the run under a German locale is the one that catches a
// catalogue picked by locale.
TEST_F(WindowLayout, TextBoxContextMenuReadsInChinese) {
    const QStringList expected = {"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)",
                                  "粘贴(&P)", "删除",     "全选"};
    const std::unique_ptr<QMenu> menu(
        inputBox(window, InputBox::FeedRate)->createStandardContextMenu());
    QStringList shown;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            shown << action->text().section(QLatin1Char('\t'), 0, 0);
        }
    }
    EXPECT_EQ(shown, expected);
}

// Every control that takes focus has a tab index of its own, so the order is
// never left to the order the controls were made in; Tab visits them by
// ascending index, each once, and comes round again.
TEST_F(WindowLayout, TabVisitsEveryFocusStopOnceInTabIndexOrder) {
    std::vector<const ControlRow*> stops;
    for (const ControlRow& row : kControls) {
        const bool takesFocus = (control(window, row.name)->focusPolicy() & Qt::TabFocus) != 0;
        EXPECT_EQ(takesFocus, row.tabIndex != kNoTabStop) << row.name;
        if (row.tabIndex != kNoTabStop) {
            stops.push_back(&row);
        }
    }
    std::ranges::sort(stops, {}, &ControlRow::tabIndex);
    const auto shared = std::ranges::adjacent_find(stops, {}, &ControlRow::tabIndex);
    EXPECT_EQ(shared, stops.end()) << "two controls share tab index " << (*shared)->tabIndex;

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    control(window, stops.front()->name)->setFocus(Qt::TabFocusReason);
    for (std::size_t i = 0; i <= stops.size(); ++i) {
        EXPECT_EQ(QApplication::focusWidget()->objectName(),
                  QString::fromUtf8(stops[i % stops.size()]->name))
            << "stop " << i;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

}  // namespace
