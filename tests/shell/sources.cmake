target_sources(corvel_tests PRIVATE
    shell/FrameFixture.h
    shell/test_caption_fitter.cpp
    shell/test_command_table.cpp
    shell/test_file_commands.cpp
    shell/test_main_frame.cpp
    shell/test_param1.cpp
    shell/test_repaint_throttle.cpp
    shell/test_tip_dlg.cpp
    shell/test_working_files.cpp
)
