target_sources(corvel_core PRIVATE
    controls/AviReader.h
    controls/AviReader.cpp
    controls/Sheet.h
    controls/Sheet.cpp
    controls/SheetVts.h
    controls/SheetVts.cpp
    controls/SheetXlsx.h
    controls/SheetXlsx.cpp
)
# The one library outside the standard one that core links: a plain C writer
# of Office Open XML workbooks.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
target_link_libraries(corvel_core PUBLIC PkgConfig::XLSXWRITER)
target_sources(corvel_ui PRIVATE
    controls/Animation.h
    controls/Animation.cpp
    controls/LampColumn.h
    controls/LampColumn.cpp
)
target_sources(corvel_serial PRIVATE
    controls/SerialControl.h
    controls/SerialControl.cpp
    controls/LineErrorCounters.h
    controls/LineErrorCounters.cpp
    controls/PortAccess.h
    controls/PortAccess.cpp
)
target_sources(corvel_ui PRIVATE
    controls/SheetPainter.h
    controls/SheetPainter.cpp
    controls/SheetDesigner.h
    controls/SheetDesigner.cpp
    controls/SheetDesigner.ui
    controls/SheetView.h
    controls/SheetView.cpp
)
