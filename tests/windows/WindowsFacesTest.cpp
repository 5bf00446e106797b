// Under Windows' own font look-up (wine's here, which has none of the faces the
// layout names): every caption, initial text and tick label of the window is
// set in the one installed face its font asks for, and that face has all of its
// glyphs, so no text falls back to another face or to empty boxes.
#include "app/FontSubstitutes.h"
#include "app/LayoutTable.h"
#include "app/WindowControls.h"
#include "chart/GillilandChart.h"

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QString>
#include <gtest/gtest.h>

namespace {

using namespace app;

void expectSetInItsOwnFace(const ControlRow& row, const QString& text) {
    const QFont font = fontOf(row);
    SCOPED_TRACE(std::string(row.look->font->family) + " as " + font.family().toStdString());
    EXPECT_EQ(QFontInfo(font).family().toStdString(), font.family().toStdString());
    const QFontMetrics metrics(font);
    for (const QChar c : text) {
        EXPECT_TRUE(c.isSpace() || metrics.inFont(c)) << QString(c).toStdString();
    }
}

TEST(WindowsFaces, EveryCaptionIsInTheFaceItsFontAsksFor) {
    for (const ControlRow& row : kControls) {
        if (row.text != nullptr && row.look->font.has_value()) {
            SCOPED_TRACE(row.name);
            expectSetInItsOwnFace(row, QString::fromUtf8(row.text));
        }
    }
}

TEST(WindowsFaces, TickLabelsAreInThePanelsFace) {
    const ControlRow& panel = rowOf(ControlKind::ChartPanel);
    ASSERT_TRUE(panel.look->font.has_value());
    for (const chart::Tick& tick : chart::gillilandTicks().ticks) {
        SCOPED_TRACE(tick.label);
        expectSetInItsOwnFace(panel, QString::fromStdString(tick.label));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    installFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
