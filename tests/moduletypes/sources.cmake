target_sources(corvel_tests PRIVATE
    moduletypes/test_module_types.cpp
    moduletypes/ModuleTypesFixture.h
    moduletypes/test_strict_checking.cpp
    moduletypes/test_type_commands.cpp
    moduletypes/test_type_menu.cpp
)
