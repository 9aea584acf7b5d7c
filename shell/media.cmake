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

lexoria_beside_program(lexoria_music_asset Internet.mid "Copying the start-up music beside the program")

# The check of a tune file before it reaches the synthesiser: Qt Core only, so
# the fuzzing targets can build it on its own.
add_library(lexoria_midifile STATIC
  ${CMAKE_CURRENT_LIST_DIR}/midifile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/midifile.h)
target_include_directories(lexoria_midifile PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(lexoria_midifile PUBLIC Qt6::Core)
target_link_libraries(lexoria_media PUBLIC lexoria_midifile)
