# `make package` (cpack in the build folder): a Debian package of the installed
# layout under /usr. The libraries the program links come from dpkg-shlibdeps;
# what it loads at run time without linking is declared here: Qt's platform
# plug-ins (without them no window opens), the image-format plug-ins that
# read more kinds of pictures, and a font that has the Japanese interface's glyphs.
if(NORVANTA2_PORTABLE)
  return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME norvanta2)
set(CPACK_PACKAGE_VENDOR "The Norvanta2 team")
set(CPACK_PACKAGE_CONTACT "The Norvanta2 team <norvanta2@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch renamer for sorting photos (Japanese interface)")
set(CPACK_PACKAGE_DESCRIPTION
  "Copies or moves the photos chosen in a source folder into a destination folder under names made
of a head name, a serial number padded with zeros and an extension, showing the new name first and
replacing an existing file only after asking. The interface is in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, qt6-image-formats-plugins, fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic | fonts-takao-gothic")
include(CPack)
