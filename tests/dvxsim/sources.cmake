target_sources(corvel_tests PRIVATE
    dvxsim/DvxSimProcess.h
    dvxsim/DvxSimProcess.cpp
    dvxsim/FrameCase.h
    dvxsim/test_boolprocessor.cpp
    dvxsim/test_memoryfile.cpp
    dvxsim/test_dvxsim_frames.cpp
    dvxsim/test_dvxsim_processor.cpp
    dvxsim/test_dvxsim_program.cpp
    dvxsim/test_line_pacer.cpp
    dvxsim/test_endtoend.cpp
)
target_link_libraries(corvel_tests PRIVATE dvxsim_lib)
target_compile_definitions(corvel_tests PRIVATE DVXSIM_PATH="$<TARGET_FILE:dvxsim>")
add_dependencies(corvel_tests dvxsim)
