target_sources(corvel_core PRIVATE
    moduletypes/ModuleTypeTexts.h
)
