target_sources(corvel_tests PRIVATE
    editors/test_stepping.cpp
    editors/test_focus_ring.cpp
    editors/test_pickers.cpp
    editors/test_term_scroll.cpp
    editors/BooleanEditorFixture.h
    editors/BooleanEditorFixture.cpp
    editors/test_boolean_editor.cpp
    editors/test_boolean_commands.cpp
    editors/test_boolean_endtoend.cpp
    editors/test_boolean_copy_dlg.cpp
)
target_sources(corvel_tests PRIVATE
    editors/EditorFixture.h
    editors/test_field_check.cpp
    editors/test_sleep_mode.cpp
    editors/test_label_editors.cpp
    editors/test_timer_setup.cpp
    editors/test_high_speed.cpp
    editors/test_editor_endtoend.cpp
    editors/test_cancel_after_read.cpp
)
