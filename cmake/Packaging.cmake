# The Debian package, made by CPack (`tools/package` runs it). Its library dependencies come from
# dpkg-shlibdeps; only what the programs load at run time without linking is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veldrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Veldrin developers")
set(CPACK_PACKAGE_CONTACT "The Veldrin developers <veldrin@veldrin.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "read, view, print and export temperature and humidity data loggers")
set(CPACK_PACKAGE_DESCRIPTION
    "Veldrin is a desktop program for small battery-powered data loggers that record temperature,
or temperature and humidity, on a serial port. It sets the loggers up, shows live readings,
downloads the recorded history, saves it as .Vdr data files, exports it as text or Excel
workbooks and prints it. The user interface is in Simplified Chinese. veldrin-cli does the same
without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VELDRIN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The screens and pages need a font with Chinese characters; Wayland sessions want Qt's plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-wayland")
include(CPack)
