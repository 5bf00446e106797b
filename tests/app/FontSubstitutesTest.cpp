// The face each layout face is set in, over made-up lists of installed faces: the
// Windows stand-ins are searched here on every platform, though wine has none of them.
#include "app/FontSubstitutes.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace {

using app::StandIns;

const std::vector<StandIns> kWindows = {StandIns::Windows, StandIns::Debian};
const std::vector<StandIns> kDebian = {StandIns::Debian};

struct Case {
    const char* situation;
    QStringList installed;
    const std::vector<StandIns>& searchOrder;
    const char* layoutFace;
    const char* chosen;  // nullptr: no entry, the layout's name stays
};

const Case kCases[] = {
    {.situation = "a Chinese Windows has the named face",
     .installed = {"SimSun", "宋体"},
     .searchOrder = kWindows,
     .layoutFace = "宋体",
     .chosen = "宋体"},
    {.situation = "the kind's own face before the last resort, whatever the list's order",
     .installed = {"Microsoft YaHei", "NSimSun", "SimSun"},
     .searchOrder = kWindows,
     .layoutFace = "宋体",
     .chosen = "SimSun"},
    {.situation = "an English Windows has only the last resort",
     .installed = {"Microsoft YaHei", "Tahoma"},
     .searchOrder = kWindows,
     .layoutFace = "华文行楷",
     .chosen = "Microsoft YaHei"},
    {.situation = "names match in any case",
     .installed = {"tahoma"},
     .searchOrder = kWindows,
     .layoutFace = "MS Sans Serif",
     .chosen = "Tahoma"},
    {.situation = "Windows' faces before Debian's",
     .installed = {"AR PL UKai CN", "KaiTi"},
     .searchOrder = kWindows,
     .layoutFace = "楷体_GB2312",
     .chosen = "KaiTi"},
    {.situation = "under wine, Debian's faces",
     .installed = {"AR PL UKai CN", "Liberation Sans"},
     .searchOrder = kWindows,
     .layoutFace = "楷体_GB2312",
     .chosen = "AR PL UKai CN"},
    {.situation = "on Debian, Debian's faces though Windows' is there",
     .installed = {"AR PL UKai CN", "KaiTi"},
     .searchOrder = kDebian,
     .layoutFace = "楷体_GB2312",
     .chosen = "AR PL UKai CN"},
    {.situation = "on Debian, never a Windows face",
     .installed = {"Microsoft YaHei"},
     .searchOrder = kDebian,
     .layoutFace = "幼圆",
     .chosen = nullptr},
};

TEST(FontSubstitutes, FirstInstalledFaceInTheSearchOrder) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.situation);
        const QHash<QString, QString> chosen = app::substitutes(c.installed, c.searchOrder);
        const QString face = QString::fromUtf8(c.layoutFace);
        if (c.chosen == nullptr) {
            EXPECT_FALSE(chosen.contains(face));
        } else {
            EXPECT_EQ(chosen.value(face).toStdString(), c.chosen);
        }
    }
}

}  // namespace
