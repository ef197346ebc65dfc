#pragma once

#include <QDialog>

#include <memory>

class CSystem;
class QButtonGroup;
namespace Ui {
class CChannelNumberDlg;
}

// Picks channel 1..10 of the current module; OK makes it the current channel.
class CChannelNumberDlg : public QDialog {
    Q_OBJECT
public:
    explicit CChannelNumberDlg(CSystem& sys, QWidget* pParent = nullptr);
    ~CChannelNumberDlg() override;

    void accept() override;

private:
    CSystem& m_sys;
    std::unique_ptr<Ui::CChannelNumberDlg> m_ui;
    QButtonGroup* m_pChannels;
};
