target_sources(corvel_core PRIVATE
    moduletypes/ModuleTypeTexts.h
    moduletypes/ModuleTypes.h
    moduletypes/ModuleTypes.cpp
)
