# The pictures drawn by code rather than by hand: the plan of the house, its
# lit-room overlays, the four views of the house and the dark photographs.
# tools/pictures makes them at build time, without a display, and they are
# compiled in as ":/pictures/<name>.svg" beside the hand-drawn ones, so the
# program only loads them.

# The generator reads the room catalogue for where each overlay lies and
# which rooms have photographs.
file(GLOB generator_sources CONFIGURE_DEPENDS tools/pictures/*.cpp tools/pictures/*.h)
list(FILTER generator_sources EXCLUDE REGEX "tools/pictures/make_pictures\\.cpp$")
add_library(amperapictures STATIC ${generator_sources})
target_include_directories(amperapictures PUBLIC tools)
target_link_libraries(amperapictures PUBLIC amperacatalogue Qt6::Gui)
add_executable(make_pictures tools/pictures/make_pictures.cpp)
target_link_libraries(make_pictures PRIVATE amperapictures)

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
qt_add_resources(amperacore generated_pictures PREFIX / BASE ${generated_dir}
                 FILES ${generated_pictures})
