#include "FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QString>
#include <array>

namespace {

struct Substitution {
    const char* family;
    // Faces of the same kind that Windows ships, the last resort last; nullptr
    // ends a shorter list. Consulted on Windows only.
    std::array<const char*, 4> windowsFaces;
    // Faces of the same kind found on Debian; on Windows they serve the
    // program under wine, whose font look-up reaches the Debian faces.
    std::array<const char*, 3> faces;
};

// Song serif, Kai script, rounded sans-serif, running script, clerical script and
// a Western serif and sans, each mapped to the faces of the same kind found on Debian.
// Debian has no running script, so it takes the Kai face the captions already load:
// every further CJK font file costs the window milliseconds before it appears. The
// clerical face only sets the Latin banner, whose stand-in is an old-style roman with
// proportional letters, one small font file. An English Windows without the Chinese
// supplemental fonts has Microsoft YaHei for every Chinese face.
constexpr std::array kSubstitutions = {
    Substitution{"宋体",
                 {"SimSun", "NSimSun", "Microsoft YaHei", nullptr},
                 {"AR PL SungtiL GB", "AR PL UMing CN", nullptr}},
    Substitution{"楷体_GB2312",
                 {"KaiTi", "楷体", "Microsoft YaHei", nullptr},
                 {"AR PL KaitiM GB", "AR PL UKai CN", "LXGW WenKai"}},
    Substitution{"幼圆",
                 {"YouYuan", "Microsoft YaHei", nullptr, nullptr},
                 {"WenQuanYi Zen Hei", nullptr, nullptr}},
    Substitution{"华文行楷",
                 {"STXingkai", "KaiTi", "楷体", "Microsoft YaHei"},
                 {"AR PL KaitiM GB", "AR PL UKai CN", "LXGW WenKai"}},
    Substitution{"隶书",
                 {"LiSu", "Book Antiqua", "Palatino Linotype", nullptr},
                 {"Goudy Bookletter 1911", "AR PL KaitiM GB", "AR PL UKai CN"}},
    Substitution{"Times New Roman",
                 {nullptr, nullptr, nullptr, nullptr},
                 {"Liberation Serif", nullptr, nullptr}},
    Substitution{"MS Sans Serif",
                 {"Microsoft Sans Serif", "Tahoma", "Segoe UI", nullptr},
                 {"Liberation Sans", "DejaVu Sans", nullptr}},
};

#ifdef _WIN32
// The pictures are recordings of Qt's SVG drawings (SvgPictures.h), whose text
// names the serif the SVG files use; Windows has Times New Roman in its place.
void substitutePictureFaces() {
    QFont::insertSubstitution(QStringLiteral("Liberation Serif"),
                              QStringLiteral("Times New Roman"));
}
#endif

// Filled once by install(), read by every control's font afterwards.
QHash<QString, QStringList>& resolvedFaces() {
    static QHash<QString, QStringList> faces;
    return faces;
}

// The faces of one substitution that are installed, best first, the named face
// itself ahead of them all. A face asked for by a name that is not installed
// would make Qt ask fontconfig for the whole fallback list of that name:
// several milliseconds per face before the window can appear.
QStringList installedFaces(const Substitution& s, const QStringList& installed) {
    QStringList faces;
    const auto keepIfInstalled = [&](const char* face) {
        const QString name = QString::fromUtf8(face);
        if (installed.contains(name, Qt::CaseInsensitive)) {
            faces << name;
        }
    };
    keepIfInstalled(s.family);
#ifdef _WIN32
    for (const char* face : s.windowsFaces) {
        if (face != nullptr) {
            keepIfInstalled(face);
        }
    }
#endif
    for (const char* face : s.faces) {
        if (face != nullptr) {
            keepIfInstalled(face);
        }
    }
    return faces;
}

}  // namespace

void FontSubstitutes::install() {
#ifdef _WIN32
    substitutePictureFaces();
#endif
    const QStringList installed = QFontDatabase::families();
    QHash<QString, QStringList>& resolved = resolvedFaces();
    resolved.clear();
    for (const Substitution& s : kSubstitutions) {
        QStringList faces = installedFaces(s, installed);
        if (!faces.isEmpty()) {
            resolved.insert(QString::fromUtf8(s.family), faces);
        }
    }
}

QStringList FontSubstitutes::familiesFor(const char* layoutFace) {
    const QString name = QString::fromUtf8(layoutFace);
    return resolvedFaces().value(name, QStringList{name});
}
