target_sources(corvel_core PRIVATE
    link/LinkHost.h
    link/zlvcomm.h
    link/zlvcomm.cpp
)
target_sources(corvel_ui PRIVATE
    link/SerialLinkHost.h
    link/SerialLinkHost.cpp
)
