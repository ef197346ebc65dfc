#pragma once

#include <QPoint>
#include <QWidget>

#include <memory>
#include <vector>

// One window of a composed picture and where its frame stands, relative to
// the first window's.
struct CPlacedWindow {
    QWidget* pWindow;
    QPoint at;
};

// Several windows as they stand on a technician's screen, drawn into one
// picture in the order given (the last on top), each under a title bar
// with its caption. A window's own picture leaves the window manager's
// frame out, and without it the windows would be hard to tell apart.
std::unique_ptr<QWidget> ComposeWindows(const std::vector<CPlacedWindow>& aWindows);
