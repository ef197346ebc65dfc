target_sources(corvel_tests PRIVATE
    editors/FakeTypeTexts.h
    editors/test_stepping.cpp
    editors/test_pickers.cpp
)
