#include "editors/EditorCommand.h"

#include "shell/MainFrame.h"

bool CEditorCommand::IsPortOpen() const { return m_frame.Comm() && m_frame.IsPortOpen(); }

CControllerProtocol& CEditorCommand::Comm() const { return *m_frame.Comm(); }

void CEditorCommand::Report(bool bOk) {
    if (!bOk)
        m_frame.ReportTransmitError();
}
