target_sources(corvel_ui PRIVATE
    diagnostics/LampGrid.h
    diagnostics/LampGrid.cpp
    diagnostics/LoopStatusController.h
    diagnostics/LoopStatusController.cpp
    diagnostics/LoopStatusController.ui
    diagnostics/LoopStatusViewer.h
    diagnostics/LoopStatusViewer.cpp
    diagnostics/LoopStatusViewer.ui
    diagnostics/MainFrameDiagnostics.cpp
    diagnostics/LogicLamp.h
    diagnostics/LogicLamp.cpp
    diagnostics/LogicView.h
    diagnostics/LogicView.cpp
    diagnostics/LogicView.ui
    diagnostics/TermLamps.h
    diagnostics/TermLamps.cpp
)
target_sources(corvel_core PRIVATE
    diagnostics/LoopReports.h
    diagnostics/LoopReports.cpp
    diagnostics/LiveLogic.h
    diagnostics/LiveLogic.cpp
)
