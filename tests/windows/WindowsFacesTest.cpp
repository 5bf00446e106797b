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
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace app;

void expectSetInItsOwnFace(const FontLook& look, const QString& text) {
    const QFont font = fontOf(look);
    SCOPED_TRACE(std::string(look.family) + " as " + font.family().toStdString());
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
            expectSetInItsOwnFace(*row.look->font, QString::fromUtf8(row.text));
        }
    }
}

TEST(WindowsFaces, TickLabelsAreInThePanelsFace) {
    const auto panel = std::ranges::find(kControls, ControlKind::ChartPanel, &ControlRow::kind);
    ASSERT_TRUE(panel->look->font.has_value());
    for (const chart::TickLabel& label : chart::tickLabels()) {
        SCOPED_TRACE(label.text);
        expectSetInItsOwnFace(*panel->look->font, QString::fromStdString(label.text));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    installFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
