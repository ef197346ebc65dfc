target_sources(corvel_core PRIVATE
    link/LinkHost.h
    link/TransferProgress.h
    link/TransferProgress.cpp
    link/zlvcomm.h
    link/zlvcomm.cpp
    link/ZlvCommFormat.h
    link/ZlvCommReceive.cpp
    link/ZlvCommSequences.cpp
)
target_sources(corvel_serial PRIVATE
    link/SerialLinkHost.h
    link/SerialLinkHost.cpp
)
target_sources(corvel_core PRIVATE
    link/TransferHost.h
    link/TransferCommands.h
    link/TransferCommands.cpp
    link/CompareCommand.h
    link/CompareCommand.cpp
)
target_sources(corvel_ui PRIVATE
    link/SerialView.h
    link/SerialView.cpp
    link/SerialView.ui
    link/FrameTransferHost.h
    link/FrameTransferHost.cpp
    link/MainFrmLink.cpp
    link/MainFrmPort.cpp
    link/MainFrmSimulation.cpp
    link/SimulatedCpu.h
    link/SimulatedCpu.cpp
    link/SelComm.h
    link/SelComm.cpp
    link/SelComm.ui
    link/WaitAviDlg.h
    link/WaitAviDlg.cpp
    link/WaitAviDlg.ui
    link/CompareDlg.h
    link/CompareDlg.cpp
    link/CompareDlg.ui
)

# The please-wait animation, found in the installed data folder when the
# launch directory holds none of its own.
install(FILES ${PROJECT_SOURCE_DIR}/data/WAIT.AVI DESTINATION ${CMAKE_INSTALL_DATADIR}/corvel)
