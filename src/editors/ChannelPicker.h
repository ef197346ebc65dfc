#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class CSystem;
class CModuleTypeTexts;
class QButtonGroup;
namespace Ui {
class CChannelPicker;
}

// Picks a channel of the equation loops with its labels and module type in
// view. Browsing the loop list or the module bar makes that loop and module
// current at once; OK makes the chosen module and channel current.
class CChannelPicker : public QDialog {
    Q_OBJECT
public:
    CChannelPicker(CSystem& sys, const CModuleTypeTexts& types, QWidget* pParent = nullptr);
    ~CChannelPicker() override;

    // What the where-used button runs once it has made the channel in view
    // current: the where-used report, unless a test stands in another.
    void SetWhereUsedReport(std::function<void(QWidget*)> report) { m_whereUsed = report; }
    // What the explorer button runs on the channel in view, once it is
    // current: the logic explorer.
    void SetLogicExplorer(std::function<void(QWidget*, short)> explorer) {
        m_explorer = std::move(explorer);
    }

    void accept() override;

private:
    void OnWhereUsed();
    void OnExplorer();
    void RefreshChannelList();
    void StoreChoice();

    CSystem& m_sys;
    const CModuleTypeTexts& m_types;
    std::unique_ptr<Ui::CChannelPicker> m_ui;
    QButtonGroup* m_pChannels;
    std::function<void(QWidget*)> m_whereUsed;
    std::function<void(QWidget*, short)> m_explorer;
};
