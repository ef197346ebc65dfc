#pragma once

#include "diagnostics/LoopReports.h"
#include "model/LogicExplanation.h"
#include "model/LogicTree.h"

#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CLiveLogic;
class CLogicGraph;
class CSystem;
class QTreeWidget;
class QTreeWidgetItem;
namespace Ui {
class CLogicView;
}

// LOGIC EXPLORER: for one channel, the tree of what drives it (its
// equation, each term, and below each term with an equation that
// equation's terms, down to the inputs) and the list of what it drives,
// directly and through other channels. Read from the logic graph of the
// system in memory; only the branches opened are built.
//
// With the live logic of a port that is open, each line shows its
// channel's state from the loop reports, each equation the value of its
// groups and its result, the terms that decide it in bold, and the line
// above the tree says in words why the channel is on or off. The loops
// shown are switched to report while the window is open, through the
// shared loop report users.
//
// Opened where no editor is open, double click or Enter on a line edits
// that line's equation; opened from a modal editor it is read-only and
// says so.
class CLogicView : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "LOGIC EXPLORER";
    static constexpr int kRefreshPeriod = 100;
    // Lines opened at once: enough to read a few levels, few enough to be
    // built at once for any system.
    static constexpr int kInitialLines = 80;
    static constexpr const char* kEditableText =
        "Double click or Enter on a line edits its equation.";
    static constexpr const char* kPortClosedText = "The port is closed: the states are not known.";

    // pLive may be null: the states are then unknown.
    CLogicView(CSystem& sys, CLiveLogic* pLive, short nIndex, QWidget* pParent = nullptr);
    ~CLogicView() override;

    // What double click and Enter run once the line's channel is current;
    // the current selection is put back afterwards.
    void SetEditor(std::function<void(QWidget*)> editor);
    // Read-only, with the reason shown ("Read only: ...").
    void SetReadOnly(const std::string& strReason);
    bool IsReadOnly() const { return !m_editor; }

    short Channel() const { return m_nIndex; }
    QString ExplanationText() const;
    QString ModeText() const;
    QTreeWidget& DriversTree() const;
    QTreeWidget& DrivenList() const;

    void Rebuild();
    void RefreshStates();
    // The channel whose equation a line edits; -1 for none.
    short EditedChannel(const QTreeWidgetItem& item) const;
    void OnActivated(QTreeWidgetItem* pItem);

    void done(int nResult) override;

private:
    QTreeWidgetItem* AddNode(QTreeWidgetItem* pParent, CLogicNode node);
    void FillChildren(QTreeWidgetItem& item);
    void OpenFirstLevels();
    void FillDriven();
    const CLogicNode* NodeOf(const QTreeWidgetItem& item) const;
    void RefreshItem(QTreeWidgetItem& item, const CLogicFacts& facts);
    void ShowState(QTreeWidgetItem& item, int nColumn, ELogicState state);
    QString GivesText(const CLogicEquation& equation, const CLogicFacts& facts) const;
    QString EquationText(const CLogicNode& node) const;
    void Hold(short nIndex);
    void ReleaseAll();
    CLogicFacts Facts() const;

    CSystem& m_sys;
    CLiveLogic* m_pLive;
    short m_nIndex;
    std::unique_ptr<Ui::CLogicView> m_ui;
    std::unique_ptr<CLogicGraph> m_pGraph;
    std::unique_ptr<CLogicTree> m_pTree;
    std::vector<CLogicNode> m_aNodes;
    std::function<void(QWidget*)> m_editor;
    QTimer m_timer;
    CLoopHolds m_holds;
};

// Runs the explorer modally on a channel: editable with the editor given,
// read-only with the reason given when there is none.
void ShowLogicView(CSystem& sys, CLiveLogic* pLive, short nIndex, QWidget* pParent,
                   std::function<void(QWidget*)> editor, const std::string& strReadOnlyReason);
