# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when the circuit model reaches a Qt module that draws: a library
# of one among those the model's library links (LINKS, one a line), or a
# file in src/circuit that includes one of its headers, by its bare name
# (<QPolygon>) or with the module's folder (<QtGui/QPolygon>, <QtGui>).
#
#   cmake -DSOURCE_DIR=... -DLINKS=... -DQT_INCLUDE_ROOT=... -DMODULES=Gui,Widgets
#         -P circuit_without_display.cmake
string(REPLACE "," ";" modules "${MODULES}")
set(faults 0)
# Without the modules' headers to hold the includes against, the check
# would pass whatever they are.
if(NOT IS_DIRECTORY ${QT_INCLUDE_ROOT}/QtGui)
  message(FATAL_ERROR "no Qt Gui headers under ${QT_INCLUDE_ROOT}")
endif()

file(STRINGS ${LINKS} links)
foreach(link ${links})
  foreach(module ${modules})
    if(link MATCHES "Qt6?::${module}$|Qt6?${module}")
      message("the circuit library links ${link}")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()

file(GLOB sources ${SOURCE_DIR}/src/circuit/*)
foreach(source ${sources})
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*<")
  foreach(line ${includes})
    string(REGEX REPLACE "^[^<]*<([^>]*)>.*$" "\\1" header "${line}")
    foreach(module ${modules})
      if(header MATCHES "^Qt${module}(/|$)" OR EXISTS ${QT_INCLUDE_ROOT}/Qt${module}/${header})
        file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
        message("${name} includes <${header}>, from Qt ${module}")
        math(EXPR faults "${faults} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "the circuit model reaches ${faults} time(s) into Qt's drawing modules")
endif()
message("the circuit model needs Qt Core and Eigen only")
