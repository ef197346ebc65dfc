target_sources(corvel_tests PRIVATE
    model/SystemFixture.h
    model/test_addressing.cpp
    model/test_system.cpp
    model/test_equations.cpp
    model/test_codepage.cpp
)
