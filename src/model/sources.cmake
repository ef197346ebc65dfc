target_sources(corvel_core PRIVATE
    model/ChannelRecord.h
    model/CodePage.h
    model/CodePage.cpp
    model/LinkControl.h
    model/ShellServices.h
    model/system.h
    model/system.cpp
    model/SystemEquations.cpp
    model/SystemLabels.cpp
)
