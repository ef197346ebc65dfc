target_sources(corvel_core PRIVATE
    controls/AviFile.h
    controls/AviFile.cpp
)
target_sources(corvel_ui PRIVATE
    controls/AnimateCtrl.h
    controls/AnimateCtrl.cpp
    controls/MSComm.h
    controls/MSComm.cpp
)
