#include "FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <array>
#include <qpa/qplatformfontdatabase.h>

namespace {

struct Substitution {
    const char* family;
    std::array<const char*, 3> faces;  // nullptr ends a shorter list
};

// Song serif, Kai script, rounded sans-serif, running script, clerical script and
// a Western serif and sans, each mapped to the faces of the same kind found on Debian.
// Debian has no running script, so it takes the Kai face the captions already load:
// every further CJK font file costs the window milliseconds before it appears. The
// clerical face only sets the Latin banner, whose stand-in is an old-style roman with
// proportional letters, one small font file.
constexpr std::array kSubstitutions = {
    Substitution{"宋体", {"AR PL SungtiL GB", "AR PL UMing CN", nullptr}},
    Substitution{"楷体_GB2312", {"AR PL KaitiM GB", "AR PL UKai CN", "LXGW WenKai"}},
    Substitution{"幼圆", {"WenQuanYi Zen Hei", nullptr, nullptr}},
    Substitution{"华文行楷", {"AR PL KaitiM GB", "AR PL UKai CN", "LXGW WenKai"}},
    Substitution{"隶书", {"Goudy Bookletter 1911", "AR PL KaitiM GB", "AR PL UKai CN"}},
    Substitution{"Times New Roman", {"Liberation Serif", nullptr, nullptr}},
    Substitution{"MS Sans Serif", {"Liberation Sans", "DejaVu Sans", nullptr}},
};

QStringList facesOf(const Substitution& s) {
    QStringList faces;
    for (const char* face : s.faces) {
        if (face != nullptr) {
            faces << QString::fromUtf8(face);
        }
    }
    return faces;
}

// Qt looks a requested face up in its font database first and, when it is not
// there, asks fontconfig for the whole list of fallbacks for that name before
// it tries the substitutes: several milliseconds per face, before the window
// can appear. Naming the first installed substitute by the Windows name as
// well lets the look-up find it at once. The face and its fallbacks for
// missing glyphs are the ones the substitution gives.
void nameFirstInstalledFace(const QString& family, const QStringList& faces,
                            const QStringList& installed) {
    for (const QString& face : faces) {
        if (installed.contains(face, Qt::CaseInsensitive)) {
            QPlatformFontDatabase::registerAliasToFontFamily(face, family);
            return;
        }
    }
}

}  // namespace

void FontSubstitutes::install() {
    const QStringList installed = QFontDatabase::families();
    for (const Substitution& s : kSubstitutions) {
        const QString family = QString::fromUtf8(s.family);
        const QStringList faces = facesOf(s);
        QFont::insertSubstitutions(family, faces);
        nameFirstInstalledFace(family, faces, installed);
    }
}
