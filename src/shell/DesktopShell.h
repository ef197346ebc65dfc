#pragma once

#include "model/ShellServices.h"

#include <QPointer>

#include <memory>

class CMainFrame;
class QMessageBox;
class QWidget;

// The shell services of the running program: real message boxes and file
// dialogs, and the main window's title and status line once it exists.
// Boxes shown before the main window exists stand alone.
class CDesktopShell : public CShellServices {
public:
    static constexpr const char* kBoxTitle = "CorvelII 6.63";

    void SetMainFrame(CMainFrame* pFrame);

    EBoxAnswer MessageBox(const std::string& strText, EBoxButtons buttons = EBoxButtons::Ok,
                          EBoxIcon icon = EBoxIcon::None) override;
    bool AskFileName(const CFileDialogRequest& request, std::string& strPath) override;
    void SetStatusText(const std::string& strText) override;
    void UpdateTitle() override;
    void Trace(const std::string& strText) override;
    void SendChannelState(short nLoop, short nModule, short nChannel, int nState) override;

    // The box MessageBox shows, for a picture of it without waiting for an
    // answer.
    static std::unique_ptr<QMessageBox> MakeBox(const std::string& strText, EBoxButtons buttons,
                                                EBoxIcon icon, QWidget* pParent);
    // "DVX (*.DVX) | *.DVX | All Files | *.* ||" as Qt's "DVX (*.DVX);;All Files (*.*)".
    static QString QtFilter(const std::string& strFilter);

private:
    QWidget* Parent() const;

    QPointer<CMainFrame> m_pFrame;
};
