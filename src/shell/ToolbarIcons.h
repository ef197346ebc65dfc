#pragma once

#include <QIcon>

// The toolbar pictures and the program icon, drawn rather than loaded so
// they stay sharp at any scale and need no image files.
class CToolbarIcons {
public:
    // An empty icon for a command without a toolbar button.
    static QIcon ForCommand(int nId);
    static QIcon ProgramIcon();
    // The light bulb of the Tip of the Day.
    static QIcon TipBulb();
};
