# Installing like a desktop game: the programs in games/ and the read-only files
# the game loads in share/games/sekiba/, where Debian policy puts games (or bin/ and
# share/sekiba/ with SEKIBA_GAMES_LAYOUT off, as a flatpak has it); the game looks
# for them at ../share/games/sekiba or ../share/sekiba from its own folder, so the
# prefix can be moved. The desktop entry, icon and AppStream data go under one
# application id, the manual pages in share/man/man6, the copyright in
# share/doc/sekiba and the licence text in share/licenses/sekiba.
# `cpack -G DEB` turns the same rules into a package.

set(SEKIBA_APP_ID org.sekiba.Sekiba)
set(SEKIBA_RELEASE_DATE 2026-12-09)
# AppStream takes a screenshot only as a web address. Without one the data names
# no screenshot at all rather than an address that leads nowhere.
set(SEKIBA_SCREENSHOT_URL "" CACHE STRING "Address of the screenshot named in the AppStream data")
if(SEKIBA_SCREENSHOT_URL)
  set(SEKIBA_SCREENSHOTS_XML "  <screenshots>
    <screenshot type=\"default\">
      <caption>The table during a hand</caption>
      <image type=\"source\">${SEKIBA_SCREENSHOT_URL}</image>
    </screenshot>
  </screenshots>
")
else()
  set(SEKIBA_SCREENSHOTS_XML "")
endif()
option(SEKIBA_GAMES_LAYOUT
       "Install in games/ and share/games/sekiba (Debian's place for games); OFF: bin/ and share/sekiba"
       ON)
# Fixed names: the game finds its files by one of these two relative paths.
if(SEKIBA_GAMES_LAYOUT)
  set(SEKIBA_BIN_DIR games)
  set(SEKIBA_SHARE_DIR share/games/sekiba)
else()
  set(SEKIBA_BIN_DIR bin)
  set(SEKIBA_SHARE_DIR share/sekiba)
endif()

# The sounds are synthesised a second time into a folder of their own, so an
# install takes exactly what the build made and never a user's own sound that was
# dropped beside the game in the build folder.
set(SEKIBA_STAGED_SOUNDS ${CMAKE_BINARY_DIR}/staged-sounds)
add_custom_command(OUTPUT ${SEKIBA_STAGED_SOUNDS}/sekiba_wave_pasi.wav
                   COMMAND ${CMAKE_COMMAND} -E rm -rf ${SEKIBA_STAGED_SOUNDS}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${SEKIBA_STAGED_SOUNDS}
                   COMMAND sekiba-make-sounds ${SEKIBA_STAGED_SOUNDS}
                   DEPENDS sekiba-make-sounds
                   COMMENT "Synthesising the table sounds to install")
add_custom_target(sekiba-staged-sounds ALL DEPENDS ${SEKIBA_STAGED_SOUNDS}/sekiba_wave_pasi.wav)

install(TARGETS sekiba-tool RUNTIME DESTINATION ${SEKIBA_BIN_DIR})
# Every read-only file kept in data/ under the game's own names (stacking patterns,
# help page, whatever joins them).
file(GLOB SEKIBA_DATA_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/sekiba_*)
install(FILES ${SEKIBA_DATA_FILES} DESTINATION ${SEKIBA_SHARE_DIR})
install(DIRECTORY ${SEKIBA_STAGED_SOUNDS}/ DESTINATION ${SEKIBA_SHARE_DIR}
        FILES_MATCHING PATTERN "*.wav")

if(SEKIBA_QT)
  install(TARGETS sekiba RUNTIME DESTINATION ${SEKIBA_BIN_DIR})
  install(FILES ${CMAKE_BINARY_DIR}/sekiba_title_0.jpg DESTINATION ${SEKIBA_SHARE_DIR})

  # The icon: drawn as SVG, rendered to the bitmap sizes icon themes look for.
  add_executable(sekiba-make-icon ${CMAKE_SOURCE_DIR}/src/qt/make_icon_main.cpp)
  target_link_libraries(sekiba-make-icon PRIVATE Qt6::Gui Qt6::Svg)
  set(icon_svg ${CMAKE_SOURCE_DIR}/data/${SEKIBA_APP_ID}.svg)
  set(icon_args)
  set(icon_pngs)
  foreach(size 48 128 256)
    list(APPEND icon_args ${size} ${CMAKE_BINARY_DIR}/icons/${size}.png)
    list(APPEND icon_pngs ${CMAKE_BINARY_DIR}/icons/${size}.png)
  endforeach()
  add_custom_command(OUTPUT ${icon_pngs}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
                     COMMAND sekiba-make-icon ${icon_svg} ${icon_args}
                     DEPENDS sekiba-make-icon ${icon_svg}
                     COMMENT "Rendering the icon")
  add_custom_target(sekiba-icons ALL DEPENDS ${icon_pngs})
  foreach(size 48 128 256)
    install(FILES ${CMAKE_BINARY_DIR}/icons/${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${SEKIBA_APP_ID}.png)
  endforeach()
  install(FILES ${icon_svg} DESTINATION share/icons/hicolor/scalable/apps)
  # The window shows the same icon when the game runs from its build folder.
  qt_add_resources(sekiba sekiba_icon PREFIX / BASE ${CMAKE_SOURCE_DIR}/data FILES ${icon_svg})

  install(FILES ${CMAKE_SOURCE_DIR}/data/${SEKIBA_APP_ID}.desktop DESTINATION share/applications)
  configure_file(${CMAKE_SOURCE_DIR}/data/${SEKIBA_APP_ID}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/${SEKIBA_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${SEKIBA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
endif()

# The manual pages, compressed as Debian policy asks (man reads them either way).
find_program(SEKIBA_GZIP gzip REQUIRED)
foreach(page sekiba sekiba-tool)
  configure_file(${CMAKE_SOURCE_DIR}/docs/man/${page}.6.in ${CMAKE_BINARY_DIR}/man/${page}.6 @ONLY)
  execute_process(COMMAND ${SEKIBA_GZIP} -9nkf ${CMAKE_BINARY_DIR}/man/${page}.6 COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.6.gz DESTINATION share/man/man6)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/sekiba)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION share/licenses/sekiba)

# Debian package: the shared libraries' packages come from dpkg-shlibdeps; the
# tile faces and the window font are data the game loads at run time. The
# maintainer is read when cpack runs (cmake/deb_maintainer.cmake), and the staged
# tree gets its changelog there (cmake/deb_stage.cmake).
set(CPACK_PACKAGE_NAME sekiba)
set(CPACK_PACKAGE_VENDOR "the Suirei Paigi developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-player Japanese mahjong against the computer or over the LAN")
set(CPACK_PACKAGE_DESCRIPTION
    "Suirei Paigi (翠嶺牌戯) is a desktop game of two-player Japanese mahjong with\n\
riichi-style rules, event sticks, automatic play and hints, a stacking editor,\n\
a best-ten table, score charts and illustrated yaku pages. Two copies play\n\
each other over the LAN.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "kdegames-mahjongg-data-kf5, fonts-noto-cjk")
# The help page and the home page open through xdg-open; the sounds play through
# the desktop's sound server.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, pipewire-pulse | pulseaudio, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/deb_maintainer.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/deb_stage.cmake)
set(CPACK_SEKIBA_CHANGELOG ${CMAKE_SOURCE_DIR}/packaging/changelog.in)
include(CPack)
