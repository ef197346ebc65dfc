#include "link/SerialView.h"

#include "shell/Text.h"

#include "ui_SerialView.h"

#include <cstdio>

namespace {

std::string VisibleChar(char c) {
    if (c == '\r')
        return "<CR>";
    if (c == '\n')
        return "<LF>";
    auto nCode = static_cast<unsigned char>(c);
    if (nCode >= 0x20 && nCode != 0x7F)
        return std::string(1, c);
    char szCode[8];
    std::snprintf(szCode, sizeof szCode, "<%02X>", nCode);
    return szCode;
}

} // namespace

CSerialView::CSerialView(QWidget* pParent)
    : QDialog(pParent), m_ui(std::make_unique<Ui::CSerialView>()) {
    m_ui->setupUi(this);
    // A dialog window, not a plain one: window managers keep a dialog above
    // the window it belongs to and minimise it with it, so the traffic stays
    // in sight while the technician works in the main window.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    QFont fixed = font();
    fixed.setFamily("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    Outbound().setFont(fixed);
    Inbound().setFont(fixed);
}

CSerialView::~CSerialView() = default;

QListWidget& CSerialView::Outbound() const { return *m_ui->listOutbound; }

QListWidget& CSerialView::Inbound() const { return *m_ui->listInbound; }

void CSerialView::AddOutboundLine(const std::string& strLine) { AddLine(Outbound(), strLine); }

// The controller ends a line with CR LF, and the reader hands a line over
// at its CR, so the LF arrives at the start of the next one; it is shown
// where it belongs, at the end of the line it ended.
void CSerialView::AddInboundLine(const std::string& strLine) {
    QListWidget& list = Inbound();
    if (strLine.empty() || strLine.front() != '\n' || list.count() == 0) {
        AddLine(list, strLine);
        return;
    }
    QListWidgetItem& previous = *list.item(list.count() - 1);
    previous.setText(previous.text() + VisibleText("\n"));
    AddLine(list, strLine.substr(1));
}

void CSerialView::AddLine(QListWidget& list, const std::string& strLine) {
    list.addItem(VisibleText(strLine));
    int nIndex = list.count() - 1;
    list.setCurrentRow(nIndex);
    if (nIndex >= kMaxLines)
        delete list.takeItem(0);
}

void CSerialView::ClearLists() {
    Outbound().clear();
    Inbound().clear();
}

QString CSerialView::VisibleText(const std::string& strLine) {
    std::string strVisible;
    for (char c : strLine)
        strVisible += VisibleChar(c);
    return ToQString(strVisible);
}

// The owner forgets the viewer first, so no line is added to a window on
// its way out.
void CSerialView::reject() {
    emit Closed();
    QDialog::reject();
    deleteLater();
}
