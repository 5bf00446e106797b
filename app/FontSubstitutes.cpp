#include "FontSubstitutes.h"

#include <QFont>
#include <QStringList>
#include <array>

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

}  // namespace

void FontSubstitutes::install() {
    for (const Substitution& s : kSubstitutions) {
        QFont::insertSubstitutions(QString::fromUtf8(s.family), facesOf(s));
    }
}
