target_sources(corvel_core PRIVATE
    link/LinkHost.h
    link/zlvcomm.h
    link/zlvcomm.cpp
)
target_sources(corvel_ui PRIVATE
    link/SerialLinkHost.h
    link/SerialLinkHost.cpp
)
target_sources(corvel_core PRIVATE
    link/TransferHost.h
    link/TransferCommands.h
    link/TransferCommands.cpp
)
target_sources(corvel_ui PRIVATE
    link/SerialView.h
    link/SerialView.cpp
    link/SerialView.ui
    link/FrameTransferHost.h
    link/FrameTransferHost.cpp
    link/MainFrmLink.cpp
)
