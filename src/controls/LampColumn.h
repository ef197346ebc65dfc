#pragma once

#include <QColor>
#include <QWidget>

#include <cstdint>

class QPainter;

// The lamp column the loop status windows are built from: ten round lamps,
// channel 1 at the top, lit from a bit mask in one colour and dark otherwise.
// It tells which lamp the last click fell on and raises click, double-click
// and mouse-down signals on the window thread. It paints itself from its
// size, so it stays crisp at any scale, and repaints only when the mask or
// the colour changes: the windows rewrite both 25 times a second.
class CLampColumn : public QWidget {
    Q_OBJECT

public:
    static constexpr int kLamps = 10;

    explicit CLampColumn(QWidget* pParent = nullptr);
    ~CLampColumn() override;

    // Bit i lights lamp i (channel i + 1); bits above the tenth are ignored.
    void SetValue(int32_t nValue);
    int32_t GetValue() const { return m_nValue; }
    // The lit colour as a colour reference: red in the lowest byte, then
    // green, then blue.
    void SetStyleOnColor(uint32_t nColorRef);
    uint32_t GetStyleOnColor() const { return m_nOnColor; }
    static uint32_t ColorRef(int nRed, int nGreen, int nBlue) {
        return static_cast<uint32_t>(nRed & 0xFF) | static_cast<uint32_t>(nGreen & 0xFF) << 8 |
               static_cast<uint32_t>(nBlue & 0xFF) << 16;
    }
    // The lamp (0 to 9) under the last mouse press, 0 before the first.
    short GetLEDIndex() const { return m_nLEDIndex; }
    // The lamp under a point of the widget: its row of ten equal rows.
    short LampAt(int nY) const;
    bool IsLit(int nLamp) const { return (m_nValue >> nLamp & 1) != 0; }
    // The square a lamp is painted in, in the column's coordinates.
    QRect LampRect(int nLamp) const;
    // The lamp (0 to 9) ringed as the keyboard focus, -1 for none.
    void SetFocusLamp(int nLamp);
    int FocusLamp() const { return m_nFocusLamp; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();
    void DblClick();
    // The button (1 left, 2 right, 4 middle), the keys held (1 Shift, 2 Ctrl,
    // 4 Alt) and the point in the column.
    void MouseDown(short nButton, short nShift, int nX, int nY);
    // The lamps whose bits are set in nChanged went on or off.
    void LampsChanged(int32_t nChanged);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    void Press(QMouseEvent* pEvent);
    QColor OnColour() const;
    void PaintFocusRing(QPainter& painter, QPointF centre, qreal dRadius) const;

    int32_t m_nValue = 0;
    uint32_t m_nOnColor = ColorRef(255, 0, 0);
    short m_nLEDIndex = 0;
    int m_nFocusLamp = -1;
    // A release ends a click only when its press was ours and not the
    // second press of a double click.
    bool m_bPressed = false;
};
