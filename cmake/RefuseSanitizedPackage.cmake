# Run by cpack in a sanitizer build: such a package is fit only for checking
# the packaging itself.
if(NOT "$ENV{CORVEL_PACKAGE_CHECK}" STREQUAL "1")
    message(FATAL_ERROR "This build uses the sanitizers; package a build configured "
                        "without -DCORVEL_SANITIZE=ON (see the README).")
endif()
