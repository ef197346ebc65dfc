target_sources(corvel_ui PRIVATE
    diagnostics/LedGrid.h
    diagnostics/LedGrid.cpp
    diagnostics/StatusMonitor.h
    diagnostics/StatusMonitor.cpp
    diagnostics/StatusMonitor.ui
    diagnostics/LoopStatus.h
    diagnostics/LoopStatus.cpp
    diagnostics/LoopStatus.ui
    diagnostics/MainFrmDiagnostics.cpp
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
