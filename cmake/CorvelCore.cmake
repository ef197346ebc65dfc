# The core library must stay free of Qt: every core source is scanned before
# it is compiled, and a Qt include stops the build.
function(corvel_check_no_qt target)
    get_target_property(sources ${target} SOURCES)
    get_target_property(source_dir ${target} SOURCE_DIR)
    set(files "")
    foreach(source IN LISTS sources)
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} OUTPUT_VARIABLE absolute)
        list(APPEND files ${absolute})
    endforeach()
    add_custom_command(
        OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}_no_qt.stamp
        COMMAND ${CMAKE_COMMAND} -DFILES="${files}" -P ${PROJECT_SOURCE_DIR}/cmake/CheckNoQt.cmake
        COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/${target}_no_qt.stamp
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/CheckNoQt.cmake
        COMMENT "Checking that ${target} has no Qt include")
    add_custom_target(${target}_no_qt DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${target}_no_qt.stamp)
    add_dependencies(${target} ${target}_no_qt)
endfunction()
