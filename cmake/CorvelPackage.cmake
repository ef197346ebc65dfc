# The Debian package: every installed file under /usr, its dependencies read
# from the shared libraries the programs link (dpkg-shlibdeps), plus the Qt
# platform plugins that the window system is reached through at run time
# and that no program links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Corvel")
set(CPACK_PACKAGE_CONTACT "Corvel maintainers <maintainers@corvel.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration and service tool for DVX vehicle multiplex controllers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Corvel is the workshop tool for the DVX vehicle multiplex controller.
With it a technician defines a vehicle's controller system on a PC: the
Boolean equation that switches each output channel, timers, sleep mode, high
speed pairs, labels and module types. Systems are kept in .DVX files (old
.ZLV files are imported and exported), sent to the controller over a
9600-baud serial line and read back from it; channel states are watched and
forced live while the vehicle runs, and the setup is documented as a
spreadsheet.
.
The package also holds corvel-cli, which shows, converts, documents and
compares system files and transfers, retrieves and verifies them from a
shell or a script, and dvxsim, a virtual controller CPU for training and
demonstrations without a vehicle. To use a real serial port, the user must
be a member of the group owning the device (usually dialout).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")

# A package of a sanitizer build would pull the sanitizer runtimes onto every
# workshop PC; only the packaging test may build one.
if(CORVEL_SANITIZE)
    set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/RefuseSanitizedPackage.cmake)
endif()

include(CPack)
