target_sources(corvel_tests PRIVATE
    reports/test_documentation.cpp
    reports/test_where_used_report.cpp
)
target_sources(corvel_tests PRIVATE
    reports/test_documentation_window.cpp
    reports/test_where_used_dlg.cpp
    reports/test_system_check_dlg.cpp
)
