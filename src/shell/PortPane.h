#pragma once

#include <QLabel>

// The status bar pane that tells which port Corvel uses and what state the
// link is in ("COM1 closed", "COM1 open", "COM1 open, link running"), so the
// technician need not open the CPU Comm menu to find out; while the port is
// open on the simulated DVX CPU it says so instead of naming a port. The
// device behind the port number (or the simulator's link) is its tooltip.
class CPortPane : public QLabel {
    Q_OBJECT
public:
    enum class EState { Closed, Open, LinkRunning };

    explicit CPortPane(QWidget* pParent = nullptr);

    void Show(short nPort, EState state, const QString& strDevice);
    void ShowSimulation(EState state, const QString& strLink);
    static QString Text(short nPort, EState state);
    static QString SimulationText(EState state);

private:
    static QString StateText(const QString& strWhat, EState state);
};
