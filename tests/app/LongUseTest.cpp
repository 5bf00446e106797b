// Long use of the real window: 2,000 presses of the confirm button, valid and
// rejected input sets in turn, every rejection's message box dismissed as the
// user would. After the last press the read-outs must still be right, and the
// resident memory must not creep up once the window has warmed up.

#include "app/LayoutTable.h"
#include "app/MainWindow.h"
#include "app/RejectionBox.h"
#include "tests/app/WindowTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <array>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

using namespace app;
using namespace calc;

constexpr int kClicks = 2000;
constexpr int kWarmUpClicks = 200;
constexpr long kAllowedGrowthKb = 2048;

using known::initialTextsWith;

// Default design, then q = 1 and q = 0 (saturated liquid and vapour feed).
const std::array kValidSets = {known::kDefaults, known::kSaturatedLiquid, known::kBlankIsVapour};

// Rejected by the input tests, or degenerate once calculated (yq above xD).
const std::array<InputTexts, 5> kRejectedSets = {{
    initialTextsWith({{InputBox::FeedRate, "0"}}),
    initialTextsWith({{InputBox::FeedComposition, "0.95"}}),
    initialTextsWith({{InputBox::RefluxFactor, "1,5"}}),
    InputTexts{},
    initialTextsWith({{InputBox::FeedComposition, "0.9"}, {InputBox::ThermalCondition, "1"}}),
}};

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1024, '\n');
    }
    return -1;
}

class LongUse : public testing::Test {
protected:
    void SetUp() override {
        form_.Form_Load();
        form_.showCentred();
        confirm_ = form_.findChild<QPushButton*>(QString::fromUtf8(rowOf(Command::Confirm).name));
        ASSERT_NE(confirm_, nullptr);
    }

    // The box opens over the window and the click returns; its OK button
    // closes it. Without a box the count stays short.
    void clickExpectingRejection() {
        confirm_->click();
        if (dismissMessageBox())
            ++rejectionsSeen_;
    }

    static bool dismissMessageBox() {
        auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (message == nullptr || message->text() != QString::fromUtf8(kRejectionText)) {
            return false;
        }
        message->button(QMessageBox::Ok)->click();
        return true;
    }

    // Lets the event loop run as it does between two real clicks.
    static void idle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    MainWindow form_;
    QPushButton* confirm_ = nullptr;
    int rejectionsSeen_ = 0;
};

TEST_F(LongUse, TwoThousandClicksKeepResultsAndMemory) {
    long warmKb = 0;
    const known::Design* lastValid = nullptr;
    for (int click = 1; click <= kClicks; ++click) {
        if (click % 2 == 1) {
            lastValid = &kValidSets[static_cast<std::size_t>(click / 2) % kValidSets.size()];
            type(form_, lastValid->texts);
            confirm_->click();
        } else {
            type(form_, kRejectedSets[static_cast<std::size_t>(click / 2) % kRejectedSets.size()]);
            clickExpectingRejection();
        }
        idle();
        if (click == kWarmUpClicks)
            warmKb = residentKb();
    }
    const long finalKb = residentKb();

    EXPECT_EQ(rejectionsSeen_, kClicks / 2);
    // The last click was rejected: the boxes still show the last valid set.
    for (std::size_t i = 0; i < kReadoutCount; ++i) {
        const auto which = static_cast<ReadoutBox>(i);
        EXPECT_EQ(readoutBox(form_, which)->text(), QString::fromUtf8(lastValid->readouts[i]))
            << rowOf(which).name;
    }
    ASSERT_GT(warmKb, 0);
    RecordProperty("rss_growth_kb", static_cast<int>(finalKb - warmKb));
    std::printf("resident memory: %ld kB after click %d, %ld kB after click %d\n", warmKb,
                kWarmUpClicks, finalKb, kClicks);
    EXPECT_LT(finalKb - warmKb, kAllowedGrowthKb);
}

}  // namespace
