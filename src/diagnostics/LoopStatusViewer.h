#pragma once

#include <QDialog>
#include <QTimer>

#include <memory>

class CLampGrid;
class CSystem;
namespace Ui {
class CLoopStatusViewer;
}

// A loop status viewer: the live states of one loop's 160 channels as
// sixteen lamp columns in the loop's colour, redrawn every 40 ms from the
// stored channel states. It only displays; it takes no clicks.
//
// Modeless, above the main window, one per loop. Closing it (close box,
// system menu, Escape) tells its owner through Closed, so the owner can
// switch the loop's reports off, and destroys it; a viewer destroyed any
// other way tells its owner the same, once.
class CLoopStatusViewer : public QDialog {
    Q_OBJECT

public:
    static constexpr int kFirstTimerId = 1727;
    static constexpr int kTimerPeriod = 40;
    static constexpr const char* kTimerErrorText = "Could not create loop status timer";
    static constexpr const char* kCaptionTail = " STATUS VIEWER";

    CLoopStatusViewer(CSystem& system, short nLoop, QWidget* pParent = nullptr);
    ~CLoopStatusViewer() override;

    short Loop() const { return m_nLoop; }
    int TimerId() const { return m_nTimerId; }
    bool IsRefreshing() const { return m_timer.isActive(); }
    CLampGrid& Lamps() const;

    void SetLedColours();
    void RefreshDisplay();
    void OnTimer() { RefreshDisplay(); }

    void reject() override;

signals:
    void Closed(short nLoop);

private:
    void OnInitDialog();
    void CloseDown();

    CSystem& m_system;
    std::unique_ptr<Ui::CLoopStatusViewer> m_ui;
    QTimer m_timer;
    short m_nLoop;
    int m_nTimerId = 0;
    bool m_bClosed = false;
};
