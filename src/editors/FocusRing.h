#pragma once

#include <QWidget>

// A frame in the highlight colour around a control while it has the
// keyboard focus. The platform style draws no focus mark on scroll bars, so
// a technician stepping with Tab would not see that the arrow keys now move
// a term, module or channel bar.
class CFocusRing : public QWidget {
public:
    // Gives the control its ring once; later calls leave it as it is.
    static void Attach(QWidget& control);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    explicit CFocusRing(QWidget& control);
    void FollowControl();
};
