target_sources(corvel_tests PRIVATE
    link/LinkFixture.h
    link/ScriptedController.h
    link/ScriptedController.cpp
    link/test_zlvcomm_frames.cpp
    link/test_zlvcomm_receive.cpp
    link/test_zlvcomm_sequences.cpp
    link/test_zlvcomm_answers.cpp
)
target_sources(corvel_tests PRIVATE
    link/ScriptedTransferHost.h
    link/ScriptedTransferHost.cpp
    link/test_transfer_commands.cpp
    link/test_compare_command.cpp
    link/test_frame_transfer.cpp
    link/test_serial_view.cpp
    link/FullSystem.h
    link/FullSystem.cpp
    link/SimLog.h
    link/SimLog.cpp
    link/test_transfer_endtoend.cpp
    link/test_frame_endtoend.cpp
    link/test_main_frame_link.cpp
    link/test_sel_comm.cpp
    link/test_wait_avi_dlg.cpp
    link/test_port_endtoend.cpp
    link/test_compare_endtoend.cpp
)
