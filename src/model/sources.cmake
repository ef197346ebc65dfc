target_sources(corvel_core PRIVATE
    model/Archive.h
    model/Archive.cpp
    model/ChannelRecord.h
    model/CodePage.h
    model/CodePage.cpp
    model/DataFile.h
    model/DataFile.cpp
    model/LinkControl.h
    model/ShellServices.h
    model/system.h
    model/system.cpp
    model/SystemEquations.cpp
    model/SystemFile.cpp
    model/SystemLabels.cpp
    model/SystemOldFile.cpp
)
