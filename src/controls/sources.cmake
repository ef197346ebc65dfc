target_sources(corvel_ui PRIVATE
    controls/MSComm.h
    controls/MSComm.cpp
)
