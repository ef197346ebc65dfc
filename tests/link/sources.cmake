target_sources(corvel_tests PRIVATE
    link/LinkFixture.h
    link/ScriptedController.h
    link/ScriptedController.cpp
    link/test_zlvcomm_frames.cpp
    link/test_zlvcomm_receive.cpp
    link/test_zlvcomm_sequences.cpp
)
