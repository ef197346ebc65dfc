#pragma once

#include <QDialog>

#include <memory>
#include <string>

class QListWidget;
namespace Ui {
class CSerialView;
}

// The traffic with the controller as two scrolling lists: every frame
// written (OUTBOUND) and every answer line read (INBOUND). Each list keeps
// the newest 101 lines, so a transfer of thousands of frames keeps it small;
// the newest line is selected and in view. Carriage returns, line feeds and
// other control characters are shown as <CR>, <LF> and <xx>, since a list
// would otherwise hide exactly what a technician looks for; an INBOUND line
// feed shows at the end of the line it ended.
//
// Modeless; closing it (close box, system menu, Escape) tells its owner
// through Closed and destroys it.
class CSerialView : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 101;

    explicit CSerialView(QWidget* pParent = nullptr);
    ~CSerialView() override;

    void AddOutboundLine(const std::string& strLine);
    void AddInboundLine(const std::string& strLine);
    void ClearLists();
    QListWidget& Outbound() const;
    QListWidget& Inbound() const;

    // Model text (Windows-1252) with its control characters made visible.
    static QString VisibleText(const std::string& strLine);

    void reject() override;

signals:
    void Closed();

private:
    static void AddLine(QListWidget& list, const std::string& strLine);

    std::unique_ptr<Ui::CSerialView> m_ui;
};
