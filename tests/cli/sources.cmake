target_sources(corvel_tests PRIVATE
    cli/CliRun.h
    cli/CliRun.cpp
    cli/test_cli_options.cpp
    cli/test_cli_progress.cpp
    cli/test_cli_offline.cpp
    cli/test_cli_endtoend.cpp
)
target_link_libraries(corvel_tests PRIVATE corvel_cli_lib)
target_compile_definitions(corvel_tests PRIVATE CORVEL_CLI_PATH="$<TARGET_FILE:corvel-cli>")
add_dependencies(corvel_tests corvel-cli)
