#include "app/RejectionBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace app {

namespace {

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

void openRejectionBox(QWidget* window) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8(kRejectionTitle),
                                QString::fromUtf8(kRejectionText), QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->button(QMessageBox::Ok)->setIcon(QIcon());  // no icon anywhere, not even on the button
    centreContent(*box);
    box->open();
}

}  // namespace app
