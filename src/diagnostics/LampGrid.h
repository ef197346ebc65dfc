#pragma once

#include <QWidget>

#include <cstdint>

class CLampColumn;

// Sixteen lamp columns, modules A to P from left to right, with the module
// letters above them and the channel numbers 1 to 10 beside the rows; the
// loop status controller also labels the bottom and the right-hand side.
// Rows have no spacing, so each number stands level with its lamps.
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

private:
    CLampColumn* m_apColumn[kColumns] = {};
    QWidget* m_apOuterLabel[kColumns + 10] = {};
};
