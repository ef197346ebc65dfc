#include "reports/DocumentationView.h"

#include "controls/SheetView.h"
#include "model/System.h"
#include "reports/Documentation.h"

#include <QVBoxLayout>

CDocumentationView::CDocumentationView(CSystem& sys, const CModuleTypeTexts& types,
                                       QWidget* pParent)
    : QWidget(pParent), m_sys(sys), m_types(types), m_sheet(new CSheetView(this)) {
    setObjectName("DocumentationView");
    m_sheet->setObjectName("sheet");
    m_sheet->SetShell(&sys.Shell());
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_sheet);
    setFocusProxy(m_sheet);
}

CDocumentationView::~CDocumentationView() = default;

// The two files are written by name into the launch folder, beside the
// working files, whatever folder a file dialog last showed.
void CDocumentationView::BuildDocumentation() {
    ::BuildDocumentation(m_sheet->Sheet(), m_sys, m_types);
    m_sheet->SheetChanged();
    m_sheet->LaunchDesigner();
    m_sheet->Write(m_sys.LaunchPath(kDocumentationVtsFile), CSheet::FileVts);
    m_sheet->Write(m_sys.LaunchPath(kDocumentationXlsFile), CSheet::FileXlsx);
}

bool CDocumentationView::OnFilePrint() { return m_sheet->FilePrint(true); }

bool CDocumentationView::SaveSheet(const std::string& strPath) {
    return m_sheet->Write(strPath, CSheetView::FileTypeOf(strPath));
}
