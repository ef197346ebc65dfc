target_sources(corvel_core PRIVATE
    reports/Documentation.h
    reports/Documentation.cpp
    reports/WhereUsedReport.h
    reports/WhereUsedReport.cpp
    reports/ListTextFile.h
    reports/ListTextFile.cpp
)
target_sources(corvel_ui PRIVATE
    reports/DocumentationView.h
    reports/DocumentationView.cpp
    reports/WhereUsedDlg.h
    reports/WhereUsedDlg.cpp
    reports/WhereUsedDlg.ui
    reports/SystemCheckDlg.h
    reports/SystemCheckDlg.cpp
    reports/SystemCheckDlg.ui
    reports/MainFrameReports.cpp
)
