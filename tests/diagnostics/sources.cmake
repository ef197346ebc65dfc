target_sources(corvel_tests PRIVATE
    diagnostics/LampClicks.h
    diagnostics/test_status_monitor.cpp
    diagnostics/test_loop_status.cpp
    diagnostics/test_diagnostics_endtoend.cpp
)
