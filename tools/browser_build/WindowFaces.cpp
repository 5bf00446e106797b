// window_faces FACES TEXT ERROR_BOX PICTURE.svg...
//
// What a build without the system's fonts (the browser) must carry to show the
// window as this machine does. FACES gets one line per face the window and its
// pictures set text in, as this machine resolves it: "family<TAB>normal|italic".
// TEXT gets every character the window can show: captions and initial texts,
// tick labels, the error box with the toolkit's own words, the text boxes'
// context menu, and the pictures' letters. ERROR_BOX gets the face the browser
// sets the toolkit's texts in and, on a second line, the error box's words, so
// that the build can prove that face carries every one of them.
#include "app/FontSubstitutes.h"
#include "app/LayoutTable.h"
#include "app/RejectionBox.h"
#include "app/ToolkitTranslation.h"
#include "chart/AxisTicks.h"
#include "packaging/web/ToolkitFace.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTextStream>
#include <QXmlStreamReader>
#include <cstdio>
#include <memory>

namespace {

using namespace app;

struct Found {
    QSet<QString> faces;  // "family\tstyle"
    QString text;
};

QString face(const QString& family, bool italic) {
    return family + QLatin1Char('\t') + QLatin1String(italic ? "italic" : "normal");
}

void addLayout(Found& found) {
    for (const ControlRow& row : kControls) {
        if (row.text != nullptr) {
            found.text += QString::fromUtf8(row.text);
        }
        if (row.look->font) {
            found.faces.insert(face(familyFor(row.look->font->family), false));
        }
    }
    for (const chart::Tick& tick : chart::gillilandTicks().ticks) {
        found.text += QString::fromStdString(tick.label);
    }
}

// The error box's title, words and button, as the toolkit shows them in the
// window's language.
QString errorBoxText() {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kRejectionTitle),
                    QString::fromUtf8(kRejectionText), QMessageBox::Ok);
    return box.windowTitle() + box.text() + box.button(QMessageBox::Ok)->text();
}

// The toolkit's words as it shows them in the window's language.
void addToolkitWords(Found& found) {
    found.text += errorBoxText();
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    for (const QAction* action : menu->actions()) {
        found.text += action->text();
    }
}

// The text elements of an SVG picture, with the face each is set in.
bool addPicture(Found& found, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QXmlStreamReader svg(&file);
    QString family;
    bool italic = false;
    while (!svg.atEnd()) {
        if (svg.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes attributes = svg.attributes();
        if (attributes.hasAttribute(QLatin1String("font-family"))) {
            family = attributes.value(QLatin1String("font-family")).toString();
        }
        if (attributes.hasAttribute(QLatin1String("font-style"))) {
            italic = attributes.value(QLatin1String("font-style")) == QLatin1String("italic");
        }
        if (svg.name() == QLatin1String("text") || svg.name() == QLatin1String("tspan")) {
            found.faces.insert(face(family, italic));
            found.text += svg.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    return !svg.hasError();
}

bool write(const QString& path, const QString& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    QTextStream(&file) << content;
    return file.error() == QFile::NoError;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A build step: it reads the fonts and the catalogue and opens no window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: window_faces FACES TEXT ERROR_BOX PICTURE.svg...\n");
        return 2;
    }
    installToolkitTranslation();
    installFontSubstitutes();

    Found found;
    addLayout(found);
    addToolkitWords(found);
    for (qsizetype i = 4; i < args.size(); ++i) {
        if (!addPicture(found, args[i])) {
            std::fprintf(stderr, "window_faces: cannot read %s\n", qPrintable(args[i]));
            return 1;
        }
    }
    QStringList faces(found.faces.cbegin(), found.faces.cend());
    faces.sort();
    QString characters;
    for (const QChar c : found.text) {
        if (!characters.contains(c)) {
            characters += c;
        }
    }
    const QString errorBox = QString::fromUtf8(web::kToolkitFamily) + QLatin1Char('\n') +
                             errorBoxText() + QLatin1Char('\n');
    return write(args[1], faces.join(QLatin1Char('\n')) + QLatin1Char('\n')) &&
                   write(args[2], characters + QLatin1Char('\n')) && write(args[3], errorBox)
               ? 0
               : 1;
}
