target_sources(corvel_core PRIVATE
    editors/Stepping.h
    editors/Stepping.cpp
)
target_sources(corvel_ui PRIVATE
    editors/SteppingBar.h
    editors/SteppingBar.cpp
    editors/ModuleBrowser.h
    editors/ModuleBrowser.cpp
    editors/RadioGroup.h
    editors/RadioGroup.cpp
    editors/PickChl.h
    editors/PickChl.cpp
    editors/PickChl.ui
    editors/selchl.h
    editors/selchl.cpp
    editors/selchl.ui
    editors/selmod.h
    editors/selmod.cpp
    editors/selmod.ui
    editors/SelGroup.h
    editors/SelGroup.cpp
    editors/SelGroup.ui
    editors/SelectLoop.h
    editors/SelectLoop.cpp
    editors/SelectLoop.ui
)
