# The Debian package of the desktop program: the "desktop" install component
# only, so other programs of the tree that install themselves stay out of it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltran)
set(CPACK_PACKAGE_VENDOR "Veltran")
set(CPACK_PACKAGE_CONTACT "Veltran maintainers <maintainers@veltran.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Loads a command set (a .CSF file of Intel HEX records) into the line display of a point-of-sale terminal over a serial port, a parallel port or a device node, and switches the display's baud rate.")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};desktop;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The shared libraries, Qt's among them, come from dpkg-shlibdeps; the platform
# plugins are loaded at run time and the dialog font is looked up by name, so
# those two are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-extra")
include(CPack)
