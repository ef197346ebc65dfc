target_sources(corvel_tests PRIVATE
    controls/test_mscomm.cpp
)
