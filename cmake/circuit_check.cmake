# SPDX-License-Identifier: GPL-3.0-or-later
# The circuit model must build without a display: its library links no Qt
# module that draws, and none of its files includes a header of one. The
# libraries it links are gathered here, through every target of this tree
# they bring in, and a test reads them together with the model's sources.
set(circuit_display_modules Gui Widgets PrintSupport Svg OpenGL)

function(ampera_gather_links target)
  get_property(done GLOBAL PROPERTY ampera_links_seen)
  if(target IN_LIST done)
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY ampera_links_seen ${target})
  get_target_property(imported ${target} IMPORTED)
  set(properties INTERFACE_LINK_LIBRARIES)
  if(NOT imported)
    list(APPEND properties LINK_LIBRARIES)
  endif()
  foreach(property ${properties})
    get_target_property(libraries ${target} ${property})
    if(NOT libraries)
      continue()
    endif()
    foreach(library ${libraries})
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" library "${library}")
      set_property(GLOBAL APPEND PROPERTY ampera_links "${library}")
      if(TARGET "${library}")
        ampera_gather_links(${library})
      endif()
    endforeach()
  endforeach()
endfunction()

ampera_gather_links(amperacircuit)
get_property(circuit_links GLOBAL PROPERTY ampera_links)
list(REMOVE_DUPLICATES circuit_links)
list(JOIN circuit_links "\n" circuit_links)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/circuit_links.txt "${circuit_links}\n")

get_target_property(qt_core_includes Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
list(GET qt_core_includes 0 qt_core_dir)
get_filename_component(qt_include_root ${qt_core_dir} DIRECTORY)
list(JOIN circuit_display_modules "," display_modules)
add_test(NAME circuit_without_display
         COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
                 -DLINKS=${CMAKE_CURRENT_BINARY_DIR}/circuit_links.txt
                 -DQT_INCLUDE_ROOT=${qt_include_root} -DMODULES=${display_modules}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/build_checks/circuit_without_display.cmake)
