#include "editors/ModuleBrowser.h"

#include "editors/SteppingBar.h"
#include "model/System.h"

#include <QComboBox>
#include <QScrollBar>

void AttachModuleBrowser(CSystem& sys, QComboBox& loops, QScrollBar& modules,
                         std::function<void()> onChange) {
    const short nLoop = sys.GetCurLoopLimited();
    loops.setCurrentIndex(nLoop);
    AttachStepping(modules, CStepping::ForModules(CSystem::GetLastModule(nLoop)),
                   [&sys, onChange](int nModule) {
                       sys.SetCurModule(static_cast<short>(nModule));
                       onChange();
                   });
    modules.setValue(sys.GetCurModule());
    QObject::connect(&loops, &QComboBox::activated, &loops, [&sys, onChange](int nSelected) {
        sys.SetCurLoop(static_cast<short>(nSelected));
        onChange();
    });
}
