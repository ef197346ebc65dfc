target_sources(corvel_tests PRIVATE
    shell/FrameFixture.h
    shell/test_caption_fitter.cpp
    shell/test_command_line.cpp
    shell/test_command_table.cpp
    shell/test_focused_button_enter.cpp
    shell/test_file_commands.cpp
    shell/test_main_frame.cpp
    shell/test_settings.cpp
    shell/test_repaint_throttle.cpp
    shell/test_tip_dlg.cpp
    shell/test_window_stacking.cpp
    shell/test_working_files.cpp
)

# The stacking test drives this program on a display of its own.
add_executable(stacking_probe shell/StackingProbe.cpp)
target_link_libraries(stacking_probe PRIVATE corvel_ui)
target_compile_definitions(corvel_tests PRIVATE STACKING_PROBE_PATH="$<TARGET_FILE:stacking_probe>")
add_dependencies(corvel_tests stacking_probe)
