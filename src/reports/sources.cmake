target_sources(corvel_core PRIVATE
    reports/Documentation.h
    reports/Documentation.cpp
    reports/WhereUsedReport.h
    reports/WhereUsedReport.cpp
)
