#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

struct CChannelRecord;
struct CTermEntry;
class CLiveLogic;
class CSystem;
class CTermLamps;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QScrollBar;
namespace Ui {
class CBooleanEditor;
}

// The Boolean editor of the current channel. The equation is always stored
// in one hardware form; the channel's equation type only chooses how the
// editor presents it (which NOT boxes show the stored flag inverted and which
// operators the labels name), so switching the type never changes the logic.
//
// Everything the dialog stores goes into the channel record at once (the
// type button, COPY, CUT, PASTE, OK); the command that runs the dialog keeps
// a snapshot of all equations and puts it back on Cancel.
class CBooleanEditor : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTerms = 6;
    static constexpr const char* kOutputQuestionText =
        "BOOLEAN HAS BEEN DEFINED FOR THIS CHANNEL BUT THE OUTPUT IS DISABLED. DO YOU WISH TO "
        "ENABLE THE OUTPUT?";
    static constexpr const char* kCopiedText = "Boolean copied to buffer";
    static constexpr const char* kCutText = "Boolean copied to buffer and cleared";
    static constexpr const char* kPastedText = "Buffer PASTED into current channel";
    static constexpr const char* kReadOnlyText = "the Boolean editor is open";
    static constexpr int kLampPeriod = 100;

    explicit CBooleanEditor(CSystem& sys, QWidget* pParent = nullptr);
    ~CBooleanEditor() override;

    // What the where-used button runs for the current channel: the
    // where-used report unless told otherwise.
    void SetWhereUsedReport(std::function<void(QWidget*)> report) { m_whereUsed = report; }
    // What the explorer button runs on the current channel: the logic
    // explorer, read-only, unless told otherwise.
    void SetLogicExplorer(std::function<void(QWidget*, short)> explorer) {
        m_explorer = std::move(explorer);
    }
    // Lights the term lamps from the loop reports, which switch on for the
    // loops the terms need while the dialog is open.
    void SetLiveLogic(CLiveLogic* pLive);
    void RefreshLamps();

    // Validates the fields (the dialog stays open when one fails), closes,
    // then stores the equation and asks about the output.
    void accept() override;
    void done(int nResult) override;

    void RefreshFromSystem();
    // False when a field failed validation; nothing is stored then.
    bool StoreToSystem();
    bool StoreAndConfirm();
    void RefreshPreview();
    void LoadTermLoops();
    void ReadTermLoops();
    void SetScrollPositions();
    void ShowOperatorLabels();
    void ShowTypeName();

private:
    struct TermControls {
        QComboBox* pLoop;
        QCheckBox* pNot;
        QCheckBox* pPr;
        QLineEdit* pModule;
        QLineEdit* pChannel;
        QScrollBar* pScroll;
        QLineEdit* pLabel;
    };

    void OnInitDialog();
    void ConnectControls();
    // Reads the fields into the members (false, with the framework's message
    // and the focus on the field, when one fails) or shows the members.
    bool DoDataExchange(bool bSaveAndValidate);
    bool ReadTermChannel(int nTerm);
    void ShowTerm(int nTerm);
    void ShowHeaderColours();
    void ShowTermLoopColour(int nTerm);
    std::string EntryLabel(const CTermEntry& entry, short nLoop) const;
    std::string TermLabel(int nTerm) const;
    void ShowTypedLabel(int nTerm);
    // The shown NOT boxes back through the presentation, the "Pr" boxes and
    // the term sources, into record.
    void WriteEquation(CChannelRecord& record) const;
    void StoreOutputAndLatch();

    void OnTermScroll(int nTerm, int nAction);
    void OnTermLoopChanged(int nTerm);
    void OnTypeButton();
    void OnWhereUsed();
    void OnExplorer();
    void MakeLamps(CLiveLogic* pLive);
    void OnCopy();
    void OnCut();
    void OnPaste();

    bool& ShownTermNot(int nTerm) {
        return nTerm < 3 ? m_abShownNotA[nTerm] : m_abShownNotB[nTerm - 3];
    }
    bool& TermPr(int nTerm) { return nTerm < 3 ? m_abTermPrA[nTerm] : m_abTermPrB[nTerm - 3]; }

    CSystem& m_sys;
    std::unique_ptr<Ui::CBooleanEditor> m_ui;
    TermControls m_aTerm[kTerms];
    std::function<void(QWidget*)> m_whereUsed;
    std::function<void(QWidget*, short)> m_explorer;
    std::unique_ptr<CTermLamps> m_pLamps;
    QTimer m_lampTimer;

    // The fields in the order the dialog binds them; terms A1, A2, A3, B1,
    // B2, B3.
    short m_anTermChannel[kTerms] = {1, 1, 1, 1, 1, 1};
    std::string m_astrTermModule[kTerms];
    short m_nChannel = 1;
    std::string m_strModule;
    bool m_abShownNotA[3] = {};
    bool m_abShownNotB[3] = {};
    bool m_bShownGroupNotA = false;
    bool m_bShownGroupNotB = false;
    bool m_bShownEquationNot = false;
    std::string m_strChannelLabel;
    std::string m_astrTermLabel[kTerms];
    bool m_bPowerUpOn = false;
    bool m_bOutput = false;
    bool m_bMomentaryLatch = false;
    std::string m_strModuleLabel;
    std::string m_strLoopName;
    bool m_abTermPrA[3] = {};
    bool m_abTermPrB[3] = {};
    std::string m_strEquation;
    short m_anTermLoop[kTerms] = {};
};
