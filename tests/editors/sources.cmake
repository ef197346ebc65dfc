target_sources(corvel_tests PRIVATE
    editors/test_stepping.cpp
    editors/test_pickers.cpp
)
