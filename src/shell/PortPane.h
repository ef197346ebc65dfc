#pragma once

#include <QLabel>

// The status bar pane that tells which port Corvel uses and what state the
// link is in ("COM1 closed", "COM1 open", "COM1 open, link running"), so the
// technician need not open the CPU Comm menu to find out. The device behind
// the port number is its tooltip.
class CPortPane : public QLabel {
    Q_OBJECT
public:
    enum class EState { Closed, Open, LinkRunning };

    explicit CPortPane(QWidget* pParent = nullptr);

    void Show(short nPort, EState state, const QString& strDevice);
    static QString Text(short nPort, EState state);
};
