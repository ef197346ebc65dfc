find_package(X11 REQUIRED)
target_link_libraries(corvel_ui PUBLIC X11::X11)
target_compile_definitions(corvel_ui PRIVATE
    CORVEL_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
target_sources(corvel_ui PRIVATE
    shell/Text.h
    shell/Text.cpp
    shell/FocusedButtonEnter.h
    shell/FocusedButtonEnter.cpp
    shell/AboutDlg.h
    shell/AboutDlg.cpp
    shell/AboutDlg.ui
    shell/CaptionFitter.h
    shell/CaptionFitter.cpp
    shell/DocumentationWindow.h
    shell/DocumentationWindow.cpp
    shell/CommandLine.h
    shell/CommandLine.cpp
    shell/CommandIds.h
    shell/CommandTable.h
    shell/CommandTable.cpp
    shell/DataFiles.h
    shell/DataFiles.cpp
    shell/DesktopShell.h
    shell/DesktopShell.cpp
    shell/HelpRouter.h
    shell/HelpRouter.cpp
    shell/HelpWindow.h
    shell/HelpWindow.cpp
    shell/KeyIndicators.h
    shell/KeyIndicators.cpp
    shell/PortPane.h
    shell/PortPane.cpp
    shell/MainFrame.h
    shell/MainFrame.cpp
    shell/MainFrameFile.cpp
    shell/RepaintThrottle.h
    shell/RepaintThrottle.cpp
    shell/ProgramIcon.h
    shell/ProgramIcon.cpp
    shell/TipDlg.h
    shell/TipDlg.cpp
    shell/TipDlg.ui
    shell/ToolbarIcons.h
    shell/ToolbarIcons.cpp
    shell/CorvelApp.h
    shell/CorvelApp.cpp
    shell/DocumentationDocument.h
    shell/DocumentationDocument.cpp
    shell/WorkingFiles.h
    shell/WorkingFiles.cpp
    shell/Workspace.h
    shell/Workspace.cpp
)

# Tips and the user manual, found in the installed data folder when the launch
# directory holds none of its own.
install(FILES ${PROJECT_SOURCE_DIR}/data/tips.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/corvel)
# The schema of the text form of a system, for the scripts that write one.
install(FILES ${PROJECT_SOURCE_DIR}/data/system.schema.json
    DESTINATION ${CMAKE_INSTALL_DATADIR}/corvel)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/manual DESTINATION ${CMAKE_INSTALL_DATADIR}/corvel)

# The settings record is core code: no Qt.
target_sources(corvel_core PRIVATE
    shell/Settings.h
    shell/Settings.cpp
)
