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
)
