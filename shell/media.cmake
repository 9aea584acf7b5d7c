# The media control (start-up music) over FluidSynth, and the tune itself,
# copied beside the program where the splash window looks for it.

find_package(PkgConfig REQUIRED)
pkg_check_modules(FLUIDSYNTH REQUIRED IMPORTED_TARGET GLOBAL fluidsynth)
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET GLOBAL alsa)

add_library(lexoria_media STATIC
  ${CMAKE_CURRENT_LIST_DIR}/mediacontrol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mediacontrol.h)
target_include_directories(lexoria_media PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(lexoria_media
  PUBLIC Qt6::Core
  PRIVATE PkgConfig::FLUIDSYNTH PkgConfig::ALSA)

add_custom_command(
  OUTPUT ${LEXORIA_BIN_DIR}/Internet.mid
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LEXORIA_BIN_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/assets/Internet.mid ${LEXORIA_BIN_DIR}/Internet.mid
  DEPENDS ${PROJECT_SOURCE_DIR}/assets/Internet.mid
  COMMENT "Copying the start-up music beside the program"
  VERBATIM)
add_custom_target(lexoria_music_asset ALL DEPENDS ${LEXORIA_BIN_DIR}/Internet.mid)
