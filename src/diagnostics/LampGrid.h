#pragma once

#include "controls/LampColumn.h"

#include <QWidget>

#include <cstdint>
#include <functional>

// Sixteen lamp columns, modules A to P from left to right, with the module
// letters above them and the channel numbers 1 to 10 beside the rows; the
// loop status controller also labels the bottom and the right-hand side.
// Rows have no spacing, so each number stands level with its lamps.
//
// The grid takes the keyboard focus as one control: the arrow keys move a
// ring from lamp to lamp (left and right by module, up and down by channel),
// Home and End go to modules A and P, Page Up and Page Down to channels 1
// and 10, and Space asks for the ringed lamp to be forced. Enter is taken
// and does nothing, so it can never reach a dialog's default button from
// here. A click on a lamp moves the ring there too.
class CLampGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int kColumns = 16;

    explicit CLampGrid(QWidget* pParent = nullptr);
    ~CLampGrid() override;

    CLampColumn& Column(int nModule) const { return *m_apColumn[nModule]; }
    // Letters below and numbers on the right as well.
    void ShowOuterLabels(bool bShow);
    void SetOnColor(uint32_t nColorRef);

    // The lamp the ring is on, ringed while the grid has the focus.
    void SetCurrentLamp(int nModule, int nChannel);
    int CurrentModule() const { return m_nModule; }
    int CurrentChannel() const { return m_nChannel; }

    // What assistive technology says of a lamp: its name, given by the
    // window ("Blue A3 DOME LAMP"), its state in words and where it is on
    // the screen.
    using LampNamer = std::function<QString(int nModule, int nChannel)>;
    void SetLampNamer(LampNamer namer) { m_namer = std::move(namer); }
    QString LampName(int nModule, int nChannel) const;
    QString LampStateText(int nModule, int nChannel) const;
    QRect LampScreenRect(int nModule, int nChannel) const;
    // The lamp under a point of the grid, -1 for none: module × 10 + channel.
    int LampAt(QPoint point) const;
    static int LampIndex(int nModule, int nChannel) {
        return nModule * CLampColumn::kLamps + nChannel;
    }
    static constexpr int kLampCount = kColumns * CLampColumn::kLamps;

signals:
    // The keys moved the ring to another lamp.
    void LampChosen(int nModule, int nChannel);
    // Space on the ringed lamp.
    void LampForced(int nModule, int nChannel);

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;

private:
    bool MoveRing(int nKey);
    void ShowRing();
    void TellChanges(int nModule, int32_t nChanged);
    void TellFocus();

    LampNamer m_namer;

    int m_nModule = 0;
    int m_nChannel = 0;
    CLampColumn* m_apColumn[kColumns] = {};
    QWidget* m_apOuterLabel[kColumns + 10] = {};
};
