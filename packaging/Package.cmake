# The Debian package (CPack DEB): the two programs, the menu entry, the icon in SVG and PNG sizes, the
# .tdm file type and the help pages. scripts/package builds it from a Release build.
set(TANDEMX_MAINTAINER "TandemX maintainers <tandemx@example.org>" CACHE STRING
    "Maintainer field of the Debian package")
set(TANDEMX_DEB_RELEASE 1)
set(TANDEMX_DEB_VERSION "${PROJECT_VERSION}-${TANDEMX_DEB_RELEASE}")

# The icon as the program draws it, in the PNG sizes of the icon theme.
add_executable(tandemx-icon-pngs ${PROJECT_SOURCE_DIR}/src/app/IconPngs.cpp)
target_link_libraries(tandemx-icon-pngs PRIVATE tandemx_forms)
set(icon_sizes 16 24 32 48 64 128 256)
set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(icon_pngs)
foreach(size ${icon_sizes})
  list(APPEND icon_pngs ${icon_dir}/${size}x${size}/apps/tandemx.png)
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:tandemx-icon-pngs> ${icon_dir} ${icon_sizes}
  DEPENDS tandemx-icon-pngs
  COMMENT "Drawing the application icon as PNG files")
add_custom_target(tandemx-icons ALL DEPENDS ${icon_pngs})
install(DIRECTORY ${icon_dir}/ DESTINATION share/icons/hicolor)

# What Debian wants beside every package: the copyright and the changelog, compressed to the utmost.
set(doc_dir share/doc/tandemx)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
  COMMAND gzip -9nc ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian > ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian)
add_custom_target(tandemx-changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
  DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tandemx)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TandemX")
set(CPACK_PACKAGE_CONTACT "${TANDEMX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "doubles schedules for tennis club evenings")
set(CPACK_PACKAGE_DESCRIPTION
  "TandemX plans the doubles play of a tennis club evening. From the club's
member file it takes the members who are present and computes the schedule:
men's and ladies' doubles side by side, then mixed doubles, never the same
partner twice, play counts within one of each other, sit-outs rotated and
courts paired by fewest previous meetings. It shows, prints and exports the
overviews and keeps the games won per member over a season. The program and
its help speak Dutch.
.
tandemx-cli reads the same files without a window: member lists, schedules,
overviews, PDF printouts and match files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TANDEMX_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt 6 libraries (and through them their platform plugins) come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's dialogs in Dutch, and a font for the printouts of tandemx-cli print.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
include(CPack)
