# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop integration: `cmake --install` puts the program, its menu entry,
# its icon at every size icon themes look up, its software-centre
# description and the type of its wiring files under the prefix; `cpack -G DEB` wraps the same tree into a
# Debian package.
include(GNUInstallDirs)

set(AMPERA_SCREENSHOT_URL "https://ampera.example/screenshots"
    CACHE STRING "Web address where the PNG files of docs/screenshots are published")

install(TARGETS ampera RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The release: its version is the project's, and the changelog's newest
# entry must be for that version; the date of that entry is the release
# date the software centre shows.
file(STRINGS data/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^ampera \\(([^)]+)\\) " OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "data/changelog must begin with an entry for version ${PROJECT_VERSION}")
endif()
file(STRINGS data/changelog changelog_signature REGEX "^ -- " LIMIT_COUNT 1)
if(NOT changelog_signature MATCHES ">  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "the newest entry of data/changelog has no date: ${changelog_signature}")
endif()
set(day ${CMAKE_MATCH_1})
set(month_name ${CMAKE_MATCH_2})
set(year ${CMAKE_MATCH_3})
# Changelog dates are in the form of e-mail headers: "Wed, 09 Dec 2026".
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${month_name} month)
if(month LESS 0)
  message(FATAL_ERROR "data/changelog: no month is called ${month_name}")
endif()
math(EXPR month "${month} + 1")
if(day MATCHES "^[0-9]$")
  string(PREPEND day 0)
endif()
if(month LESS 10)
  string(PREPEND month 0)
endif()
set(AMPERA_RELEASE_DATE ${year}-${month}-${day})

set(desktop_file ${CMAKE_CURRENT_BINARY_DIR}/data/${AMPERA_APP_ID}.desktop)
set(metainfo_file ${CMAKE_CURRENT_BINARY_DIR}/data/${AMPERA_APP_ID}.metainfo.xml)
configure_file(data/ampera.desktop.in ${desktop_file} @ONLY)
configure_file(data/ampera.metainfo.xml.in ${metainfo_file} @ONLY)
install(FILES ${desktop_file} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${metainfo_file} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The type of the workshop's wiring files (*.ampera).
install(FILES data/ampera.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${AMPERA_APP_ID}.xml)

# The icon: the SVG itself for the scalable size, and PNGs rendered from it
# at build time for the fixed sizes.
set(icon_svg ${CMAKE_CURRENT_SOURCE_DIR}/assets/pictures/icon.svg)
set(icon_theme ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${icon_svg} DESTINATION ${icon_theme}/scalable/apps RENAME ${AMPERA_APP_ID}.svg)
set(icon_pngs)
foreach(size 16 32 48 64 128 256)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size})
  set(png ${dir}/${AMPERA_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND render_icon ${icon_svg} ${size} ${png}
    DEPENDS render_icon ${icon_svg}
    COMMENT "Rendering the ${size}x${size} icon"
    VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${icon_theme}/${size}x${size}/apps)
endforeach()
add_custom_target(icons ALL DEPENDS ${icon_pngs})

# What a Debian system keeps of every package: the licence in Debian's
# machine-readable form, the changelog and the manual page, the last two
# compressed as Debian's tools do (best compression, and neither name nor
# time stamp, so the same sources give the same files). The formats of the
# workshop's files go with them, for teachers.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed_dir ${CMAKE_CURRENT_BINARY_DIR}/compressed)
file(MAKE_DIRECTORY ${compressed_dir})
foreach(source data/changelog docs/ampera.1)
  get_filename_component(name ${source} NAME)
  execute_process(COMMAND ${GZIP_PROGRAM} -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/${source}
                  OUTPUT_FILE ${compressed_dir}/${name}.gz COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${CMAKE_CURRENT_SOURCE_DIR}/${source})
endforeach()
install(FILES data/copyright ${compressed_dir}/changelog.gz docs/exercicis.md
              docs/circuit-format.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${compressed_dir}/ampera.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package. Shared-library dependencies are read from the binary
# (Qt SVG among them, for worksheets exported as SVG); what it loads at run
# time without linking (Qt's Catalan texts, the fonts its layouts are
# mapped onto) is declared by hand.
set(CPACK_GENERATOR DEB)
# The values reach cpack as written, quotes and all.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME ampera)
set(CPACK_PACKAGE_VENDOR "Ampera")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "learn how the lighting circuits of a house work")
# dpkg shows the description as it is: lines of at most 80 columns, and a
# blank line between paragraphs (cpack writes it as " .").
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Ampera shows the floor plan of a house with nine rooms. The learner enters\n"
       "a room, works its switches (a single switch, two two-way switches, two\n"
       "two-way switches with an intermediate switch) and watches the wiring\n"
       "diagram, the lamp, the photograph of the room and its truth table react.\n"
       "Lighting every lamp at once trips the circuit breaker.\n"
       "\n"
       "In the wiring workshop (the \"Taller\" menu) the learner wires the phase,\n"
       "the switches and the lamps of an exercise from terminal to terminal and\n"
       "sees the result at once. \"Comprova\" works every combination of the\n"
       "switches and gives one verdict, and names unsafe wiring such as a switch\n"
       "on the neutral. Teachers can add exercises of their own, and check the\n"
       "wiring files their learners save with \"ampera --check\", also as a table\n"
       "for a spreadsheet.\n"
       "\n"
       "The user interface is in Catalan.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ampera maintainers <maintainers@ampera.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-translations-l10n, fonts-liberation2, fonts-yanone-kaffeesatz")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# cpack packages what was built, as `cmake --install` installs it, instead
# of building the whole tree first: build, then package.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)

# The installed tree validated as desktops and software centres read it, and
# the package's control fields and contents. Both work in temporary folders.
if(BUILD_TESTING)
  add_test(NAME desktop_install
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/desktop_install.sh ${CMAKE_COMMAND}
                   ${CMAKE_CURRENT_BINARY_DIR} ${AMPERA_APP_ID} ${CMAKE_CURRENT_SOURCE_DIR}/docs/screenshots)
  add_test(NAME debian_package
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/debian_package.sh ${CMAKE_CPACK_COMMAND}
                   ${CMAKE_CURRENT_BINARY_DIR} ${AMPERA_APP_ID})
  set_tests_properties(desktop_install debian_package PROPERTIES TIMEOUT 300)
endif()
