target_include_directories(corvel_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools)
target_sources(corvel_tests PRIVATE
    controls/test_avi_reader.cpp
    controls/test_serial_control.cpp
    controls/test_port_access.cpp
    controls/test_sheet.cpp
    controls/test_sheet_view.cpp
    controls/test_lamp_column.cpp
)

# Opens a serial port as another user for the permission test.
add_executable(corvel_port_probe controls/port_probe.cpp)
target_link_libraries(corvel_port_probe PRIVATE corvel_ui)
set_source_files_properties(controls/test_port_access.cpp
    PROPERTIES COMPILE_DEFINITIONS CORVEL_PORT_PROBE="$<TARGET_FILE:corvel_port_probe>")
add_dependencies(corvel_tests corvel_port_probe)
