#pragma once

#include <QDialog>

#include <memory>

class CSystem;
class QButtonGroup;
namespace Ui {
class CSelChl;
}

// Picks channel 1..10 of the current module; OK makes it the current channel.
class CSelChl : public QDialog {
    Q_OBJECT
public:
    explicit CSelChl(CSystem& sys, QWidget* pParent = nullptr);
    ~CSelChl() override;

    void accept() override;

private:
    CSystem& m_sys;
    std::unique_ptr<Ui::CSelChl> m_ui;
    QButtonGroup* m_pChannels;
};
