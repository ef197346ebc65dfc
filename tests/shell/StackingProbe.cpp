// A main window with the serial viewer, the please-wait indicator and the
// Blue loop's status viewer open, on the display the test gives it. Prints
// the four X window ids as "main=ID viewer=ID wait=ID loop=ID" once all are
// shown and runs until the test ends it, so the test can click, minimise and
// read the window manager's stacking order from outside.

#include "diagnostics/LoopStatusViewer.h"
#include "link/SerialView.h"
#include "link/WaitIndicator.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/MainFrame.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <vector>

namespace {

class CSilentShell : public CShellServices {
public:
    EBoxAnswer MessageBox(const std::string&, EBoxButtons, EBoxIcon) override {
        return EBoxAnswer::Ok;
    }
    bool AskFileName(const CFileDialogRequest&, std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void UpdateTitle() override {}
    void Trace(const std::string&) override {}
    void SendChannelState(short, short, short, int) override {}
};

// Prints the window ids once every window has been exposed: the window
// manager has mapped it by then, so the test finds it in the stacking order.
class CExposedPrinter : public QObject {
public:
    explicit CExposedPrinter(std::vector<QWidget*> apWindows) : m_apWindows(std::move(apWindows)) {
        for (QWidget* pWindow : m_apWindows) {
            pWindow->winId();
            pWindow->windowHandle()->installEventFilter(this);
        }
        PrintWhenAllExposed();
    }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        if (pEvent->type() == QEvent::Expose)
            PrintWhenAllExposed();
        return QObject::eventFilter(pWatched, pEvent);
    }

private:
    void PrintWhenAllExposed() {
        if (m_bPrinted)
            return;
        for (QWidget* pWindow : m_apWindows) {
            if (!pWindow->windowHandle()->isExposed())
                return;
        }
        m_bPrinted = true;
        std::printf("main=%llu viewer=%llu wait=%llu loop=%llu\n", Id(0), Id(1), Id(2), Id(3));
        std::fflush(stdout);
    }
    unsigned long long Id(std::size_t i) const {
        return static_cast<unsigned long long>(m_apWindows[i]->winId());
    }

    std::vector<QWidget*> m_apWindows;
    bool m_bPrinted = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string strDir = dir.path().toStdString();
    CSilentShell shell;
    CSystem system(shell, strDir);
    CSettings param(strDir, shell);
    CModuleTypes types(strDir, shell);
    QSettings profile(dir.filePath("profile.ini"), QSettings::IniFormat);
    CMainFrame frame(system, param, types, shell, profile);
    frame.resize(800, 600);
    frame.show();
    frame.OnSerialViewer();
    frame.StartWaitIndicator("Transmitting Booleans to DVX CPU ...");
    frame.OpenLoopStatusViewer(0);

    CExposedPrinter printer(
        {&frame, frame.SerialView(), frame.WaitIndicator(), frame.LoopStatusViewer(0)});
    return app.exec();
}
