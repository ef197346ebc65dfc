#include "editors/EditorCommand.h"

#include "shell/MainFrm.h"

bool CEditorCommand::IsPortOpen() const { return m_frame.Comm() && m_frame.IsPortOpen(); }

CZlvComm& CEditorCommand::Comm() const { return *m_frame.Comm(); }

void CEditorCommand::Report(bool bOk) {
    if (!bOk)
        m_frame.ReportTransmitError();
}
