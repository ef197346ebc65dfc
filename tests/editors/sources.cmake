target_sources(corvel_tests PRIVATE
    editors/test_stepping.cpp
    editors/test_pickers.cpp
    editors/test_term_scroll.cpp
    editors/EditBoolFixture.h
    editors/EditBoolFixture.cpp
    editors/test_edit_bool.cpp
    editors/test_boolean_commands.cpp
    editors/test_boolean_endtoend.cpp
    editors/test_copy_bool.cpp
)
