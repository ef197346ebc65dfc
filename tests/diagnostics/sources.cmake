target_sources(corvel_tests PRIVATE
    diagnostics/LampClicks.h
    diagnostics/test_loop_status_controller.cpp
    diagnostics/test_loop_status_viewer.cpp
    diagnostics/test_lamp_grid_keys.cpp
    diagnostics/test_lamp_accessibility.cpp
    diagnostics/test_diagnostics_endtoend.cpp
    diagnostics/test_loop_reports.cpp
    diagnostics/test_logic_view.cpp
    diagnostics/test_logic_view_endtoend.cpp
)
