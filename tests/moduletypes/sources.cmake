target_sources(corvel_tests PRIVATE
    moduletypes/test_module_types.cpp
)
