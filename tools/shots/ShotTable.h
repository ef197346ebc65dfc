#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class CShotScene;

// One picture: the file name it is saved under and how its window is built
// over the scene, set up as the technician would see it.
struct CShot {
    const char* szName;
    std::function<std::unique_ptr<QWidget>(CShotScene&)> make;
};

// Every dialog and window of Corvel, one line each.
const std::vector<CShot>& AllShots();
