target_sources(corvel_core PRIVATE
    moduletypes/ModuleTypeTexts.h
    moduletypes/ModuleTypes.h
    moduletypes/ModuleTypes.cpp
)
target_sources(corvel_ui PRIVATE
    moduletypes/ModuleTypeView.h
    moduletypes/ModuleTypeView.cpp
    moduletypes/ModuleTypeCommands.h
    moduletypes/ModuleTypeCommands.cpp
    moduletypes/ModuleTypeDlg.h
    moduletypes/ModuleTypeDlg.cpp
    moduletypes/ModuleTypeDlg.ui
    moduletypes/PickModuleTypeDlg.h
    moduletypes/PickModuleTypeDlg.cpp
    moduletypes/PickModuleTypeDlg.ui
    moduletypes/AssignModuleTypeDlg.h
    moduletypes/AssignModuleTypeDlg.cpp
    moduletypes/AssignModuleTypeDlg.ui
    moduletypes/ModuleTypePreferencesDlg.h
    moduletypes/ModuleTypePreferencesDlg.cpp
    moduletypes/ModuleTypePreferencesDlg.ui
)
