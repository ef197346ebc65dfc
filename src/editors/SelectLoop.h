#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class CSystem;
namespace Ui {
class CSelectLoop;
}

// Picks one of the six loops for a loop status viewer. It opens on the first
// loop that has no viewer yet; OK stores the choice as the picked loop.
class CSelectLoop : public QDialog {
    Q_OBJECT
public:
    // isViewerOpen tells, per loop 0..5, whether a viewer already shows it.
    CSelectLoop(CSystem& sys, std::function<bool(int)> isViewerOpen, QWidget* pParent = nullptr);
    ~CSelectLoop() override;

    void accept() override;

private:
    CSystem& m_sys;
    std::unique_ptr<Ui::CSelectLoop> m_ui;
};
