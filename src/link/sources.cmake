target_sources(corvel_core PRIVATE
    link/LinkHost.h
    link/zlvcomm.h
    link/zlvcomm.cpp
)
