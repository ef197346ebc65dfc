#include "ShotScene.h"

#include "shell/Text.h"

#include <QDir>

CShotScene::CShotScene(const std::string& strLaunchDir)
    : sys(shell, strLaunchDir), param(strLaunchDir, shell), types(strLaunchDir, shell),
      profile(QDir(PathToQString(strLaunchDir)).filePath("profile.ini"), QSettings::IniFormat) {
    types.AddType();
    types.SetTypeName("LIGHTING BAR");
    types.SetDescription("ROOF FRONT");
    types.SetNote("12 V LAMPS");
    for (int nChannel : {1, 2, 3, 4})
        types.SetOutputChannel(nChannel, true);
    for (int nChannel : {7, 8})
        types.SetSwitchChannel(nChannel, true);
    FillSystem();
}

void CShotScene::FillSystem() {
    sys.SetModuleType(0, 0, 1);
    sys.SetModuleLabel(0, 0, "DASH PANEL");
    sys.StoreChannelLabel(0, 0, 0, "HEADLIGHTS LEFT");
    sys.StoreChannelLabel(0, 0, 1, "HEADLIGHTS RIGHT");
    // Blue A3 is on while A1 is on, so the where-used report has a line.
    sys.SetCurChannel(2);
    sys.SetOutput(true);
    sys.SetTermA(0, CSystem::MakeIndex(0, 0, 0));
    sys.SetCurChannel(0);
    sys.SetFilePath("FIRE TRUCK 12.DVX");
}
