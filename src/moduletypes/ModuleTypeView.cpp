#include "moduletypes/ModuleTypeView.h"

#include "editors/ReadOnlyLook.h"
#include "editors/SteppingBar.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/Text.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace {

constexpr int kChannels = 10;

QLineEdit& Field(QWidget& dialog, const char* szName) {
    auto* pField = dialog.findChild<QLineEdit*>(szName);
    Q_ASSERT(pField);
    return *pField;
}

QCheckBox& Box(QWidget& dialog, const char* szPrefix, int nChannel) {
    auto* pBox = dialog.findChild<QCheckBox*>(QString("%1%2").arg(szPrefix).arg(nChannel));
    Q_ASSERT(pBox);
    return *pBox;
}

// Swallows the input that would tick a box; a disabled box would grey out
// the very flags the dialog is there to show.
class CInputSwallower : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* pEvent) override {
        switch (pEvent->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

QCheckBox& OutputBox(QWidget& dialog, int nChannel) { return Box(dialog, "checkOutput", nChannel); }

QCheckBox& SwitchBox(QWidget& dialog, int nChannel) { return Box(dialog, "checkSwitch", nChannel); }

void ShowCurrentType(QWidget& dialog, CModuleTypes& types) {
    Field(dialog, "editModuleType").setText(ToQString(types.GetTypeName()));
    Field(dialog, "editDescription").setText(ToQString(types.GetDescription()));
    Field(dialog, "editNote").setText(ToQString(types.GetNote()));
    for (int nChannel = 1; nChannel <= kChannels; ++nChannel) {
        OutputBox(dialog, nChannel).setChecked(types.IsOutputChannel(nChannel));
        SwitchBox(dialog, nChannel).setChecked(types.IsSwitchChannel(nChannel));
    }
}

void MakeFlagsDisplayOnly(QWidget& dialog) {
    ShowReadOnlyFields(dialog);
    auto* pSwallower = new CInputSwallower(&dialog);
    for (int nChannel = 1; nChannel <= kChannels; ++nChannel) {
        for (QCheckBox* pBox : {&OutputBox(dialog, nChannel), &SwitchBox(dialog, nChannel)}) {
            pBox->installEventFilter(pSwallower);
            pBox->setFocusPolicy(Qt::NoFocus);
            ShowReadOnlyLook(*pBox);
        }
    }
}

void AttachTypeScroll(QScrollBar& bar, CModuleTypes& types, std::function<void()> onStep) {
    const CStepping rule = CStepping::ForList(types.GetCount(), types.GetPageStep());
    AttachStepping(bar, rule, [&types, onStep = std::move(onStep)](int nIndex) {
        types.SelectByIndex(nIndex);
        onStep();
    });
    bar.setValue(types.GetCurrentIndex());
}
