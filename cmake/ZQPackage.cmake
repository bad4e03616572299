# The Debian package of the suite (cpack -G DEB in a build folder): the system install of
# ZQInstall.cmake under /usr, its library dependencies found by dpkg-shlibdeps, and the packages the
# programs need at run time without linking them (fonts, the window system plugins, the desktop's
# file-type and menu databases, which pick up the new files through their own triggers).
include_guard(GLOBAL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zqpanel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zenquor")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Screen editor and programmer for text-display operator panels")
set(CPACK_PACKAGE_DESCRIPTION
  "ZQEditor draws the screens of small monochrome text-display operator panels,\nbinds their controls to PLC registers and coils and compiles them into the\npanel's download image; Flasher and zqflash write that image into the panel\nthrough its boot loader over a serial line. Command-line tools inspect and\nbuild projects and images.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "ZQ panel suite maintainers <maintainers@zqpanel.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${ZQ_OUT_DIR} ${ZQ_BIN_DIR})
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, libqt6svg6, fonts-wqy-zenhei, shared-mime-info, desktop-file-utils, hicolor-icon-theme, xdg-utils")
# qt6-wayland lets the graphical programs open their windows in a Wayland session without X;
# qt6-translations-l10n gives Qt's own buttons and file dialog the words of the UI language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, bash-completion, man-db")
set(CPACK_STRIP_FILES ON)
# CPack adds ldconfig calls to postinst and postrm for any library below /usr/lib, but the suite's
# libraries are private (found through the programs' RUNPATH): the finished package goes without them.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/ZQPackageFinish.cmake)
include(CPack)
