# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build: a windowed ampera.exe with its icon and version, a
# console companion ampera.com for the command line, and the folder that
# the portable zip and the installer both carry (`cmake --install`).

# The program's icon and version, as Windows shows them in Explorer and in
# the file's properties.
set(icon_ico ${CMAKE_CURRENT_BINARY_DIR}/ampera.ico)
add_custom_command(
  OUTPUT ${icon_ico}
  COMMAND render_icon ${CMAKE_CURRENT_SOURCE_DIR}/assets/pictures/icon.svg ico ${icon_ico}
  DEPENDS render_icon ${CMAKE_CURRENT_SOURCE_DIR}/assets/pictures/icon.svg
  COMMENT "Rendering the Windows icon"
  VERBATIM)
configure_file(data/windows/ampera.rc.in ${CMAKE_CURRENT_BINARY_DIR}/ampera.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/ampera.rc PROPERTIES
  OBJECT_DEPENDS ${icon_ico})
target_sources(ampera PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/ampera.rc)
set_target_properties(ampera PROPERTIES WIN32_EXECUTABLE ON)

# A windowed program does not hold the command prompt that starts it: the
# prompt goes on at once and never sees the exit status. ampera.com is a
# console program that starts ampera.exe on the same console, waits for it
# and returns its status; typed as "ampera", it is found before the .exe.
add_executable(ampera_console src/shell/console_launcher.cpp ${CMAKE_CURRENT_BINARY_DIR}/ampera.rc)
set_target_properties(ampera_console PROPERTIES OUTPUT_NAME ampera SUFFIX .com AUTOMOC OFF)
add_dependencies(ampera ampera_console)

# What ampera.exe finds beside itself: the fonts its layouts are mapped
# onto, Qt's Catalan texts and the qt.conf that points Qt at them. The
# tests, built into the same folder, find them there too.
set(AMPERA_WINDOWS_FONTS
    /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
    /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
    /usr/share/fonts/truetype/liberation2/LiberationSans-Italic.ttf
    /usr/share/fonts/truetype/liberation2/LiberationSans-BoldItalic.ttf
    /usr/share/fonts/opentype/yanone-kaffeesatz/YanoneKaffeesatz-Regular.otf
    /usr/share/fonts/opentype/yanone-kaffeesatz/YanoneKaffeesatz-Bold.otf)
set(AMPERA_WINDOWS_TRANSLATIONS /usr/share/qt6/translations/qtbase_ca.qm)
file(COPY ${AMPERA_WINDOWS_FONTS} DESTINATION ${CMAKE_CURRENT_BINARY_DIR}/fonts)
file(COPY ${AMPERA_WINDOWS_TRANSLATIONS} DESTINATION ${CMAKE_CURRENT_BINARY_DIR}/translations)
file(COPY data/windows/qt.conf DESTINATION ${CMAKE_CURRENT_BINARY_DIR})

install(TARGETS ampera ampera_console RUNTIME DESTINATION .)
install(FILES ${AMPERA_WINDOWS_FONTS} DESTINATION fonts)
install(FILES ${AMPERA_WINDOWS_TRANSLATIONS} DESTINATION translations)
install(FILES data/windows/qt.conf ${icon_ico} DESTINATION .)
install(FILES COPYING DESTINATION . RENAME COPYING.txt)
configure_file(data/windows/LLEGEIX-ME.txt ${CMAKE_CURRENT_BINARY_DIR}/LLEGEIX-ME.txt @ONLY
               NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LLEGEIX-ME.txt DESTINATION .)

# The installer's script, with the version filled in; scripts/windows runs
# makensis on it over the installed folder.
configure_file(data/windows/ampera.nsi.in ${CMAKE_CURRENT_BINARY_DIR}/ampera.nsi @ONLY)

# The tests and the screenshot tool run headless, on Qt's offscreen
# platform, which a static Qt links in only when asked. Under Wine there is
# no console window, where Qt Test would send its report to the debugger
# instead of the standard output that CTest reads.
if(BUILD_TESTING)
  get_property(test_names DIRECTORY PROPERTY TESTS)
  foreach(test ${test_names})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "QT_FORCE_STDERR_LOGGING=1")
  endforeach()
  file(GLOB headless_sources CONFIGURE_DEPENDS tests/tst_*.cpp tools/screenshot.cpp)
  foreach(src ${headless_sources})
    get_filename_component(name ${src} NAME_WE)
    if(TARGET ${name})
      qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    endif()
  endforeach()
endif()
