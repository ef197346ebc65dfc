target_sources(corvel_core PRIVATE
    model/Archive.h
    model/Archive.cpp
    model/ChannelRecord.h
    model/CodePage.h
    model/CodePage.cpp
    model/DataFile.h
    model/DataFile.cpp
    model/LaunchDir.h
    model/LaunchDir.cpp
    model/LinkControl.h
    model/ReadBackup.h
    model/ReadBackup.cpp
    model/ShellServices.h
    model/System.h
    model/Trim.h
    model/System.cpp
    model/SystemEquations.cpp
    model/SystemFile.cpp
    model/SystemPlausibility.h
    model/SystemLabels.cpp
    model/SystemOldFile.cpp
    model/SystemTextFile.cpp
    model/SystemJsonFormat.h
    model/SystemJsonReader.h
    model/SystemJsonReader.cpp
    model/SystemJsonWriter.h
    model/SystemJsonWriter.cpp
    model/ChannelNames.h
    model/ChannelNames.cpp
    model/OldFormatLoss.h
    model/OldFormatLoss.cpp
    model/SystemDiff.h
    model/SystemDiff.cpp
    model/LogicGraph.h
    model/LogicGraph.cpp
    model/LogicTree.h
    model/LogicTree.cpp
    model/LogicExplanation.h
    model/LogicExplanation.cpp
    model/SystemFinding.h
    model/SystemFinding.cpp
    model/SystemCheck.h
    model/SystemCheck.cpp
)

find_package(nlohmann_json 3 REQUIRED)
target_link_libraries(corvel_core PUBLIC nlohmann_json::nlohmann_json)
