#pragma once

#include <functional>

class CSystem;
class QComboBox;
class QScrollBar;

// The loop list and module bar the module pickers share: they start on the
// current equation loop and module, and every move makes that loop or module
// current at once, then calls onChange so the dialog shows it.
void AttachModuleBrowser(CSystem& sys, QComboBox& loops, QScrollBar& modules,
                         std::function<void()> onChange);
