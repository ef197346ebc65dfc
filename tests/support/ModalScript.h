#pragma once

#include <QDialog>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

// Answers the modal dialogs a command opens, in order: each step is run on
// the modal dialog active at that moment (a step that leaves the dialog open
// lets the next step act on the same one). The test fails when a dialog
// comes with no step left, or a step is left unused.
class CModalScript : public QObject {
public:
    using Step = std::function<void(QDialog&)>;

    CModalScript();
    ~CModalScript() override;

    CModalScript& Then(Step step);
    // The dialog types seen, one per step run.
    const std::vector<QString>& Seen() const { return m_astrSeen; }

    static Step Accept() {
        return [](QDialog& dialog) { dialog.accept(); };
    }
    static Step Reject() {
        return [](QDialog& dialog) { dialog.reject(); };
    }

private:
    void OnTick();

    QTimer m_timer;
    std::deque<Step> m_aSteps;
    std::vector<QString> m_astrSeen;
};
