#include "app/FontSubstitutes.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <span>
#include <utility>

namespace app {

namespace {

struct Substitution {
    const char* family;
    // Faces of the same kind that Windows ships, the last resort last; nullptr
    // ends a shorter list.
    std::array<const char*, 4> windowsFaces;
    // Faces of the same kind found on Debian; on Windows they serve the
    // program under wine, whose font look-up reaches the Debian faces.
    std::array<const char*, 3> faces;

    std::span<const char* const> standIns(StandIns kind) const {
        return kind == StandIns::Windows ? std::span<const char* const>(windowsFaces)
                                         : std::span<const char* const>(faces);
    }
};

// Song serif, Kai script, rounded sans-serif, running script, clerical script and
// a Western serif and sans, each mapped to the faces of the same kind found on Debian.
// Debian has no running script, so it takes the Kai face the captions already load:
// every further CJK font file costs the window milliseconds before it appears. The
// clerical face only sets the Latin banner, whose stand-in is an old-style roman with
// proportional letters, one small font file. An English Windows without the Chinese
// supplemental fonts has Microsoft YaHei for every Chinese face.
constexpr std::array kSubstitutions = {
    Substitution{.family = "宋体",
                 .windowsFaces = {"SimSun", "NSimSun", "Microsoft YaHei", nullptr},
                 .faces = {"AR PL SungtiL GB", "AR PL UMing CN", nullptr}},
    Substitution{.family = "楷体_GB2312",
                 .windowsFaces = {"KaiTi", "楷体", "Microsoft YaHei", nullptr},
                 .faces = {"AR PL KaitiM GB", "AR PL UKai CN", "LXGW WenKai"}},
    Substitution{.family = "幼圆",
                 .windowsFaces = {"YouYuan", "Microsoft YaHei", nullptr, nullptr},
                 .faces = {"WenQuanYi Zen Hei", nullptr, nullptr}},
    Substitution{.family = "华文行楷",
                 .windowsFaces = {"STXingkai", "KaiTi", "楷体", "Microsoft YaHei"},
                 .faces = {"AR PL KaitiM GB", "AR PL UKai CN", "LXGW WenKai"}},
    Substitution{.family = "隶书",
                 .windowsFaces = {"LiSu", "Book Antiqua", "Palatino Linotype", nullptr},
                 .faces = {"Goudy Bookletter 1911", "AR PL KaitiM GB", "AR PL UKai CN"}},
    Substitution{.family = "Times New Roman",
                 .windowsFaces = {nullptr, nullptr, nullptr, nullptr},
                 .faces = {"Liberation Serif", nullptr, nullptr}},
    Substitution{.family = "MS Sans Serif",
                 .windowsFaces = {"Microsoft Sans Serif", "Tahoma", "Segoe UI", nullptr},
                 .faces = {"Liberation Sans", "DejaVu Sans", nullptr}},
};

// Filled once at start-up, read by every control's font afterwards.
QHash<QString, QString>& resolvedFaces() {
    static QHash<QString, QString> faces;
    return faces;
}

// The named face where it is installed, else the first installed face of its kind.
// A face asked for by a name that is not installed would make Qt ask fontconfig for
// the whole fallback list of that name, several milliseconds per face before the
// window can appear; and each further family a font lists is matched as well. The
// window test checks that each caption's glyphs are all in its one face.
std::optional<QString> firstInstalledFace(const Substitution& s, const QStringList& installed,
                                          std::span<const StandIns> searchOrder) {
    const auto isInstalled = [&](const char* face) {
        return face != nullptr && installed.contains(QString::fromUtf8(face), Qt::CaseInsensitive);
    };
    if (isInstalled(s.family)) {
        return QString::fromUtf8(s.family);
    }
    for (const StandIns kind : searchOrder) {
        for (const char* face : s.standIns(kind)) {
            if (isInstalled(face)) {
                return QString::fromUtf8(face);
            }
        }
    }
    return std::nullopt;
}

}  // namespace

QHash<QString, QString> substitutes(const QStringList& installed,
                                    std::span<const StandIns> searchOrder) {
    QHash<QString, QString> chosen;
    for (const Substitution& s : kSubstitutions) {
        if (const auto face = firstInstalledFace(s, installed, searchOrder)) {
            chosen.insert(QString::fromUtf8(s.family), *face);
        }
    }
    return chosen;
}

void useSubstitutes(QHash<QString, QString> faces) {
    resolvedFaces() = std::move(faces);
}

QString familyFor(const char* layoutFace) {
    const QString name = QString::fromUtf8(layoutFace);
    return resolvedFaces().value(name, name);
}

}  // namespace app
