# SPDX-License-Identifier: GPL-3.0-or-later
# Included before the targets are made, so that the hardening applies to all.
#
# The programs are hardened as Debian builds its own: checked string and
# memory functions (they need the optimiser, so not in Debug builds), a
# guarded stack, and relocations made read-only before the program runs.
add_compile_options(-fstack-protector-strong)
add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
add_link_options(LINKER:-z,relro LINKER:-z,now)

# `make package` (cpack in the build folder): a Debian package of the installed
# layout under /usr. The libraries the program links come from dpkg-shlibdeps;
# what it loads at run time without linking is declared here: Qt's platform
# plug-ins (without them no window opens), the image-format plug-ins that
# read more kinds of pictures, and a font that has the Japanese interface's glyphs.
# The copyright file, the change log and the manual pages come from data/.
if(NORVANTA2_PORTABLE)
  return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME norvanta2)
set(CPACK_PACKAGE_VENDOR "The Norvanta2 team")
set(CPACK_PACKAGE_CONTACT "The Norvanta2 team <norvanta2@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch renamer for sorting photos (Japanese interface)")
# Debian shows the long description as it stands: lines of at most 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [[
Norvanta2 copies or moves the photos chosen in a source folder into a
destination folder under names made of a head name, a serial number padded
with zeros and an extension. It shows the new name first, replaces an
existing file only after asking, and continues the series of a numbered file
clicked in the destination. norvanta2-send hands a head name to the running
program from another one.

The interface is in Japanese.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders the package makes get the usual modes whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, qt6-image-formats-plugins, fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic | fonts-takao-gothic")
include(CPack)
