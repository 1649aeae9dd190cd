# SPDX-License-Identifier: GPL-3.0-or-later
# The pictures. Some are drawn by hand (assets/pictures), the rest by code:
# the plan of the house, its lit-room overlays, the four views of the house
# and the dark photographs, which tools/pictures makes at build time,
# without a display. Every one of them, as SVG, is then recorded as the
# painting commands that draw it and compiled in as ":/pictures/<name>.pic",
# so the program only plays recordings.
#
# Both tools, and the icon renderer, run on the machine that builds. A
# build for another system takes them from a build for this one:
# AMPERA_HOST_TOOLS names the folder that holds them.

if(CMAKE_CROSSCOMPILING)
  set(AMPERA_HOST_TOOLS "" CACHE PATH "Folder of the build-time tools built for this machine")
  foreach(tool make_pictures record_pictures render_icon)
    if(NOT EXISTS ${AMPERA_HOST_TOOLS}/${tool})
      message(FATAL_ERROR "${tool} not found in AMPERA_HOST_TOOLS (${AMPERA_HOST_TOOLS})")
    endif()
    add_executable(${tool} IMPORTED)
    set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${AMPERA_HOST_TOOLS}/${tool})
  endforeach()
else()
  # The generator reads the room catalogue for where each overlay lies and
  # which rooms have photographs.
  file(GLOB generator_sources CONFIGURE_DEPENDS tools/pictures/*.cpp tools/pictures/*.h)
  list(FILTER generator_sources EXCLUDE REGEX "tools/pictures/(make|record)_pictures\\.cpp$")
  add_library(amperapictures STATIC ${generator_sources})
  target_include_directories(amperapictures PUBLIC tools)
  target_link_libraries(amperapictures PUBLIC amperacatalogue Qt6::Gui)
  add_executable(make_pictures tools/pictures/make_pictures.cpp)
  target_link_libraries(make_pictures PRIVATE amperapictures)
  add_executable(record_pictures tools/pictures/record_pictures.cpp)
  target_include_directories(record_pictures PRIVATE src)
  target_link_libraries(record_pictures PRIVATE Qt6::Gui Qt6::Svg)
  add_custom_target(host_tools DEPENDS make_pictures record_pictures)
endif()

# The build must name every file it compiles in before the generator runs:
# the overlays and photographs are the ones the catalogue names, the rest
# are the generator's own. The generator stops the build if they differ
# from what it makes.
set(catalogue_source ${CMAKE_CURRENT_SOURCE_DIR}/src/house/catalogue.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${catalogue_source})
file(READ ${catalogue_source} catalogue_text)
string(REGEX MATCHALL "\"lit_[a-z0-9_]+\"" overlays "${catalogue_text}")
string(REGEX MATCHALL "\"photo_[a-z0-9_]+\"" photographs "${catalogue_text}")
string(REPLACE "\"" "" overlays "${overlays}")
string(REPLACE "\"" "" photographs "${photographs}")
list(REMOVE_DUPLICATES overlays)
list(REMOVE_DUPLICATES photographs)

set(generated_names plan plan_floor ${overlays} face_south face_west face_north face_east)
set(drawn_photographs)
foreach(photo ${photographs})
  list(APPEND generated_names ${photo}_dark)
  list(APPEND drawn_photographs ${CMAKE_CURRENT_SOURCE_DIR}/assets/pictures/${photo}.svg)
endforeach()

set(generated_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
set(generated_pictures)
foreach(name ${generated_names})
  list(APPEND generated_pictures ${generated_dir}/pictures/${name}.svg)
endforeach()
add_custom_command(
  OUTPUT ${generated_pictures}
  COMMAND make_pictures ${CMAKE_CURRENT_SOURCE_DIR}/assets/pictures ${generated_dir}/pictures
          ${generated_names}
  DEPENDS make_pictures ${drawn_photographs}
  COMMENT "Making the pictures drawn by code"
  VERBATIM)

file(GLOB drawn_pictures CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/assets/pictures/*.svg)
set(svg_pictures ${drawn_pictures} ${generated_pictures})
set(recorded_pictures)
foreach(svg ${svg_pictures})
  get_filename_component(name ${svg} NAME_WE)
  list(APPEND recorded_pictures ${generated_dir}/recorded/pictures/${name}.pic)
endforeach()
add_custom_command(
  OUTPUT ${recorded_pictures}
  COMMAND record_pictures ${generated_dir}/recorded/pictures ${svg_pictures}
  DEPENDS record_pictures ${svg_pictures}
  COMMENT "Recording the pictures"
  VERBATIM)
qt_add_resources(amperacore recorded_pictures PREFIX / BASE ${generated_dir}/recorded
                 FILES ${recorded_pictures})
