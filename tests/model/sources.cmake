target_sources(corvel_tests PRIVATE
    model/FileLayout.h
    model/SystemFields.h
    model/SystemFixture.h
    model/test_archive.cpp
    model/test_old_file.cpp
    model/test_addressing.cpp
    model/test_system.cpp
    model/test_system_file.cpp
    model/test_equations.cpp
    model/test_codepage.cpp
    model/test_system_diff.cpp
    model/test_data_file.cpp
    model/CheckSystems.h
    model/test_logic_graph.cpp
    model/test_system_check.cpp
    model/test_system_json.cpp
)
