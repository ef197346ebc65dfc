target_sources(corvel_core PRIVATE
    link/LinkHost.h
    link/TransferProgress.h
    link/TransferProgress.cpp
    link/ControllerProtocol.h
    link/ControllerProtocol.cpp
    link/ControllerProtocolFormat.h
    link/ControllerProtocolReceive.cpp
    link/ControllerProtocolSequences.cpp
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
    link/MainFrameLink.cpp
    link/MainFramePort.cpp
    link/MainFrameSimulation.cpp
    link/SimulatedCpu.h
    link/SimulatedCpu.cpp
    link/PortSettingsDlg.h
    link/PortSettingsDlg.cpp
    link/PortSettingsDlg.ui
    link/WaitIndicator.h
    link/WaitIndicator.cpp
    link/WaitIndicator.ui
    link/CompareDlg.h
    link/CompareDlg.cpp
    link/CompareDlg.ui
)

# The please-wait animation, found in the installed data folder when the
# launch directory holds none of its own.
install(FILES ${PROJECT_SOURCE_DIR}/data/WAIT.AVI DESTINATION ${CMAKE_INSTALL_DATADIR}/corvel)
