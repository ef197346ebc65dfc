#pragma once

#include <QDialog>

#include <chrono>
#include <memory>
#include <string>

class CAnimation;
class CShellServices;
class QLabel;
class QProgressBar;
class QPushButton;

namespace Ui {
class CWaitIndicator;
}

// The please-wait indicator: a modeless window with the "WAIT.AVI"
// animation and one line of progress text, shown while a command sends or
// reads long sequences; a counted sequence adds a bar of its frames and the
// time it still needs. It cannot be dismissed by the technician; the
// command that opened it closes it. Its one button, Stop, is there for the
// whole sequence and holds the focus: waits have no time-out and the main
// window's menus are out of the keyboard's reach meanwhile, so the way out
// (closing the port) is offered where the technician is looking.
class CWaitIndicator : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kFileName = "WAIT.AVI";
    static constexpr const char* kInitialText = "Please wait";

    CWaitIndicator(const std::string& strLaunchDir, CShellServices& shell,
                   QWidget* pParent = nullptr);
    ~CWaitIndicator() override;

    // Opens the animation file; tells the technician when it cannot.
    void OnInitDialog();
    CAnimation& Animation() const;
    QLabel& TextLine() const;
    QPushButton& StopButton() const;
    QProgressBar& ProgressBar() const;
    QLabel& TimeLine() const;

    // Shows the bar at nDone of nTotal frames and the time left.
    void SetProgress(int nDone, int nTotal, std::chrono::milliseconds timeLeft);
    // While the controller does not answer, strText stands where the time
    // left stands otherwise; an empty text puts the time left back.
    void SetNotAnswering(const QString& strText);
    static QString TimeLeftText(std::chrono::milliseconds timeLeft);

public slots:
    void reject() override {}

private:
    void UpdateTimeLine();

    std::unique_ptr<Ui::CWaitIndicator> m_pUi;
    QString m_strTimeLeft;
    QString m_strNotAnswering;
    std::string m_strLaunchDir;
    CShellServices& m_shell;
};
