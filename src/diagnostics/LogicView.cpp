#include "diagnostics/LogicView.h"

#include "diagnostics/LiveLogic.h"
#include "diagnostics/LogicLamp.h"
#include "model/LogicGraph.h"
#include "model/System.h"
#include "shell/FocusedButtonEnter.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"

#include "ui_LogicView.h"

#include <QHeaderView>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <deque>

namespace {

enum EColumn { ColTerm = 0, ColLabel = 1, ColState = 2, ColGives = 3, ColEquation = 4 };
enum EDrivenColumn {
    ColDrivenChannel = 0,
    ColDrivenLabel = 1,
    ColDrivenState = 2,
    ColThrough = 3,
    ColLevel = 4
};
constexpr int kNodeRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;
constexpr int kChannelRole = Qt::UserRole + 2;

// "Blue B1": the loop's short name and the designation.
QString ShortName(short nIndex) {
    return ToQString(CSystem::GetLoopShortName(CSystem::LoopOf(nIndex)) + " " +
                     CSystem::IndexDesignation(nIndex));
}

QString LabelOf(const CSystem& sys, short nIndex) {
    return ToQString(sys.GetChannelLabel(CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex),
                                         CSystem::LoopOf(nIndex)));
}

std::string EquationTextOf(CSystem& sys, short nIndex) {
    return sys.GetEquationText(CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex),
                               CSystem::LoopOf(nIndex));
}

} // namespace

CLogicView::CLogicView(CSystem& sys, CLiveLogic* pLive, short nIndex, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_pLive(pLive), m_nIndex(nIndex),
      m_ui(std::make_unique<Ui::CLogicView>()), m_holds(pLive ? &pLive->Reports() : nullptr) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "logic-explorer");
    for (QTreeWidget* pTree : {m_ui->treeDrivers, m_ui->listDriven})
        pTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_ui->treeDrivers, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* pItem) { FillChildren(*pItem); });
    connect(m_ui->treeDrivers, &QTreeWidget::itemActivated, this, &CLogicView::OnActivated);
    connect(m_ui->listDriven, &QTreeWidget::itemActivated, this, &CLogicView::OnActivated);
    connect(m_ui->buttonEdit, &QPushButton::clicked, this, [this] {
        QTreeWidget* pTree = m_ui->tabs->currentIndex() == 0 ? m_ui->treeDrivers : m_ui->listDriven;
        OnActivated(pTree->currentItem());
    });
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter on a line edits its equation; it must not also press Close.
    for (QAbstractButton* pButton : m_ui->buttonBox->buttons()) {
        if (auto* pPush = qobject_cast<QPushButton*>(pButton))
            pPush->setAutoDefault(false);
    }
    CFocusedButtonEnter::Install(*this);
    SetReadOnly("");
    Rebuild();
    // The technician came for the tree: Enter on its line edits at once.
    m_ui->treeDrivers->setFocus();
    m_timer.setInterval(kRefreshPeriod);
    connect(&m_timer, &QTimer::timeout, this, &CLogicView::RefreshStates);
    m_timer.start();
}

// A window that goes away without being closed still gives its loops back.
CLogicView::~CLogicView() { ReleaseAll(); }

QTreeWidget& CLogicView::DriversTree() const { return *m_ui->treeDrivers; }

QTreeWidget& CLogicView::DrivenList() const { return *m_ui->listDriven; }

QString CLogicView::ExplanationText() const { return m_ui->labelExplanation->text(); }

QString CLogicView::ModeText() const { return m_ui->labelMode->text(); }

void CLogicView::SetEditor(std::function<void(QWidget*)> editor) {
    m_editor = std::move(editor);
    m_ui->labelMode->setText(kEditableText);
    m_ui->buttonEdit->setVisible(true);
}

void CLogicView::SetReadOnly(const std::string& strReason) {
    m_editor = nullptr;
    m_ui->labelMode->setText(strReason.empty() ? QString() : "Read only: " + ToQString(strReason));
    m_ui->buttonEdit->setVisible(false);
}

// --- building ---

void CLogicView::Rebuild() {
    m_pTree.reset();
    m_pGraph = std::make_unique<CLogicGraph>(m_sys);
    m_pTree = std::make_unique<CLogicTree>(*m_pGraph);
    m_ui->treeDrivers->clear();
    m_aNodes.clear();
    const short nEquation = m_pTree->EquationOf(m_pTree->Root(m_nIndex));
    const std::string strEquation =
        nEquation >= 0 ? EquationTextOf(m_sys, nEquation) : "no equation";
    m_ui->labelChannel->setText(
        ToQString(CLogicExplanation::Name(m_sys, m_nIndex) + "   " + strEquation));
    QTreeWidgetItem* pRoot = AddNode(nullptr, m_pTree->Root(m_nIndex));
    // Current but not selected: the selection colour would hide its state.
    m_ui->treeDrivers->setCurrentItem(pRoot, 0, QItemSelectionModel::NoUpdate);
    OpenFirstLevels();
    FillDriven();
    RefreshStates();
}

QTreeWidgetItem* CLogicView::AddNode(QTreeWidgetItem* pParent, CLogicNode node) {
    auto* pItem = pParent ? new QTreeWidgetItem(pParent) : new QTreeWidgetItem(m_ui->treeDrivers);
    QString strTerm = ShortName(node.nChannel);
    if (node.nTerm >= 0)
        strTerm =
            QString(node.term.nGroup == 0 ? "A: " : "B: ") + (node.term.bNot ? "!" : "") + strTerm;
    pItem->setText(ColTerm, strTerm);
    pItem->setText(ColLabel, LabelOf(m_sys, node.nChannel));
    pItem->setText(ColEquation, EquationText(node));
    pItem->setData(ColTerm, kNodeRole, static_cast<int>(m_aNodes.size()));
    pItem->setData(ColTerm, kChannelRole, static_cast<int>(node.nChannel));
    if (m_pTree->HasChildren(node))
        pItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    Hold(node.nChannel);
    // The explanation follows a timer to its enable channel.
    Hold(CLogicGraph::TimerEnableOf(node.nChannel));
    m_aNodes.push_back(std::move(node));
    return pItem;
}

QString CLogicView::EquationText(const CLogicNode& node) const {
    if (node.bCircle)
        return "circle: shown higher up this branch";
    const short nEnable = CLogicGraph::TimerEnableOf(node.nChannel);
    QString strTimer;
    if (nEnable >= 0) {
        const int nTimer = CSystem::ModuleOf(nEnable) * 10 + CSystem::ChannelOf(nEnable);
        char szTimer[80];
        std::snprintf(szTimer, sizeof szTimer, "timer %d, reload %g s, enabled by ", nTimer,
                      static_cast<double>(m_sys.GetTimerReloadAsRun(static_cast<short>(nTimer))));
        strTimer = szTimer + ShortName(nEnable) + ": ";
    }
    const short nEquation = m_pTree->EquationOf(node);
    if (nEquation < 0)
        return strTimer.isEmpty() ? QString() : strTimer + "no equation";
    return strTimer + ToQString(EquationTextOf(m_sys, nEquation));
}

const CLogicNode* CLogicView::NodeOf(const QTreeWidgetItem& item) const {
    const QVariant node = item.data(ColTerm, kNodeRole);
    if (!node.isValid() || item.treeWidget() != m_ui->treeDrivers)
        return nullptr;
    const int nNode = node.toInt();
    return nNode >= 0 && nNode < static_cast<int>(m_aNodes.size()) ? &m_aNodes[nNode] : nullptr;
}

void CLogicView::FillChildren(QTreeWidgetItem& item) {
    const CLogicNode* pNode = NodeOf(item);
    if (!pNode || item.data(ColTerm, kFilledRole).toBool())
        return;
    item.setData(ColTerm, kFilledRole, true);
    // Adding nodes may move m_aNodes: the node is copied first.
    const CLogicNode node = *pNode;
    for (CLogicNode& child : m_pTree->Children(node))
        AddNode(&item, std::move(child));
    RefreshItem(item, Facts());
}

// Opens the tree level by level until about a screenful of lines shows.
void CLogicView::OpenFirstLevels() {
    std::deque<QTreeWidgetItem*> apQueue{m_ui->treeDrivers->topLevelItem(0)};
    int nLines = 1;
    while (!apQueue.empty() && nLines < kInitialLines) {
        QTreeWidgetItem* pItem = apQueue.front();
        apQueue.pop_front();
        const CLogicNode* pNode = NodeOf(*pItem);
        if (!pNode || !m_pTree->HasChildren(*pNode))
            continue;
        pItem->setExpanded(true);
        FillChildren(*pItem);
        nLines += pItem->childCount();
        for (int i = 0; i < pItem->childCount(); ++i)
            apQueue.push_back(pItem->child(i));
    }
}

void CLogicView::FillDriven() {
    m_ui->listDriven->clear();
    for (const CLogicDriven& driven : m_pTree->Driven(m_nIndex)) {
        auto* pItem = new QTreeWidgetItem(m_ui->listDriven);
        const short n = driven.nChannel;
        pItem->setText(ColDrivenChannel, ShortName(n));
        pItem->setText(ColDrivenLabel, LabelOf(m_sys, n));
        pItem->setText(ColThrough, ShortName(driven.nThrough));
        pItem->setText(ColLevel, QString::number(driven.nLevel));
        pItem->setData(ColDrivenChannel, kChannelRole, static_cast<int>(n));
        Hold(n);
    }
}

// --- live states ---

CLogicFacts CLogicView::Facts() const { return m_pLive ? m_pLive->Facts() : CLogicFacts{}; }

void CLogicView::RefreshStates() {
    const CLogicFacts facts = Facts();
    std::deque<QTreeWidgetItem*> apQueue;
    for (int i = 0; i < m_ui->treeDrivers->topLevelItemCount(); ++i)
        apQueue.push_back(m_ui->treeDrivers->topLevelItem(i));
    while (!apQueue.empty()) {
        QTreeWidgetItem* pItem = apQueue.front();
        apQueue.pop_front();
        RefreshItem(*pItem, facts);
        for (int i = 0; i < pItem->childCount(); ++i)
            apQueue.push_back(pItem->child(i));
    }
    for (int i = 0; i < m_ui->listDriven->topLevelItemCount(); ++i) {
        QTreeWidgetItem* pItem = m_ui->listDriven->topLevelItem(i);
        ShowState(
            *pItem, ColDrivenState,
            facts.State(static_cast<short>(pItem->data(ColDrivenChannel, kChannelRole).toInt())));
    }
    const QString strLine =
        m_pLive && m_pLive->IsPortOpen()
            ? ToQString(CLogicExplanation(m_sys, *m_pGraph, facts).Line(m_nIndex))
            : QString(kPortClosedText);
    if (m_ui->labelExplanation->text() != strLine)
        m_ui->labelExplanation->setText(strLine);
}

void CLogicView::RefreshItem(QTreeWidgetItem& item, const CLogicFacts& facts) {
    const CLogicNode* pNode = NodeOf(item);
    if (!pNode)
        return;
    ShowState(item, ColState, facts.State(pNode->nChannel));
    const short nEquation = m_pTree->EquationOf(*pNode);
    if (nEquation < 0)
        return;
    const CLogicEquation equation = CLogicEquation::Of(*m_pGraph, nEquation);
    const QString strEnable = nEquation != pNode->nChannel ? "enable: " : "";
    item.setText(ColGives, strEnable + GivesText(equation, facts));
    const std::vector<int> anDeciding = equation.DecidingTerms(facts);
    for (int i = 0; i < item.childCount(); ++i) {
        QTreeWidgetItem& child = *item.child(i);
        const CLogicNode* pChild = NodeOf(child);
        const bool bDeciding = pChild && std::find(anDeciding.begin(), anDeciding.end(),
                                                   pChild->nTerm) != anDeciding.end();
        if (child.font(ColTerm).bold() == bDeciding)
            continue;
        QFont font = child.font(ColTerm);
        font.setBold(bDeciding);
        child.setFont(ColTerm, font);
    }
}

void CLogicView::ShowState(QTreeWidgetItem& item, int nColumn, ELogicState state) {
    if (item.text(nColumn) == LogicStateText(state))
        return;
    item.setText(nColumn, LogicStateText(state));
    // A screen reader on the cell hears whose state it is: "Blue B1 on".
    const auto nChannel = static_cast<short>(item.data(0, kChannelRole).toInt());
    item.setData(nColumn, Qt::AccessibleTextRole,
                 ShortName(nChannel) + " " + LogicStateText(state));
    item.setBackground(nColumn, LogicStateColour(state));
    item.setForeground(nColumn, LogicStateTextColour(state));
}

// "A off + B on = on": each group's value after its NOT, then the result.
QString CLogicView::GivesText(const CLogicEquation& equation, const CLogicFacts& facts) const {
    QStringList astrGroups;
    for (short nGroup : {0, 1}) {
        if (equation.HasGroup(nGroup))
            astrGroups << QString(nGroup == 0 ? "A " : "B ") +
                              LogicStateText(equation.GroupValue(nGroup, facts));
    }
    QString strGroups = astrGroups.join(" + ");
    if (equation.bEquationNot)
        strGroups = "!(" + strGroups + ")";
    return strGroups + " = " + LogicStateText(equation.Result(facts));
}

// --- loops ---

void CLogicView::Hold(short nIndex) {
    if (!m_pLive || !CSystem::IsValidIndex(nIndex))
        return;
    m_holds.Hold(CSystem::LoopOf(nIndex));
}

void CLogicView::ReleaseAll() {
    m_timer.stop();
    m_holds.ReleaseAll();
}

void CLogicView::done(int nResult) {
    ReleaseAll();
    QDialog::done(nResult);
}

// --- editing ---

short CLogicView::EditedChannel(const QTreeWidgetItem& item) const {
    const QVariant channel = item.data(0, kChannelRole);
    if (!channel.isValid())
        return -1;
    const short nIndex = static_cast<short>(channel.toInt());
    const short nEnable = CLogicGraph::TimerEnableOf(nIndex);
    if (nEnable >= 0)
        return nEnable;
    return CSystem::IsValidIndex(nIndex) && CSystem::IsEquationLoop(CSystem::LoopOf(nIndex))
               ? nIndex
               : -1;
}

// The window that opened the explorer keeps its own choice of channel.
void CLogicView::OnActivated(QTreeWidgetItem* pItem) {
    if (!pItem || IsReadOnly())
        return;
    const short nChannel = EditedChannel(*pItem);
    if (nChannel < 0)
        return;
    const short nLoop = m_sys.GetCurLoop();
    const short nModule = m_sys.GetCurModule();
    const short nCurChannel = m_sys.GetCurChannel();
    m_sys.SetCurLoop(CSystem::LoopOf(nChannel));
    m_sys.SetCurModule(CSystem::ModuleOf(nChannel));
    m_sys.SetCurChannel(CSystem::ChannelOf(nChannel));
    m_editor(this);
    m_sys.SetCurLoop(nLoop);
    m_sys.SetCurModule(nModule);
    m_sys.SetCurChannel(nCurChannel);
    Rebuild();
}

void ShowLogicView(CSystem& sys, CLiveLogic* pLive, short nIndex, QWidget* pParent,
                   std::function<void(QWidget*)> editor, const std::string& strReadOnlyReason) {
    CLogicView view(sys, pLive, nIndex, pParent);
    if (editor)
        view.SetEditor(std::move(editor));
    else
        view.SetReadOnly(strReadOnlyReason);
    view.exec();
}
