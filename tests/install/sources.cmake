target_sources(corvel_tests PRIVATE
    install/InstallFixture.h
    install/InstallFixture.cpp
    install/test_install.cpp
    install/test_package.cpp
)
# The installation and package tests work on the programs and data of this
# build tree, so building the tests builds everything that is installed.
set(install_definitions
    CORVEL_APP_ID="${CORVEL_APP_ID}"
    CORVEL_CMAKE="${CMAKE_COMMAND}"
    CORVEL_CPACK="${CMAKE_CPACK_COMMAND}")
if(CORVEL_SANITIZE)
    list(APPEND install_definitions CORVEL_SANITIZED)
endif()
set_source_files_properties(install/InstallFixture.cpp install/test_install.cpp
    install/test_package.cpp
    PROPERTIES COMPILE_DEFINITIONS "${install_definitions}")
add_dependencies(corvel_tests corvel dvxsim program_icons)
