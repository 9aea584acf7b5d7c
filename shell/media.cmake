# The media control (start-up music) over FluidSynth, and the tune itself,
# copied beside the program where the splash window looks for it.
# Only FluidSynth's and ALSA's headers are used at build time: the control
# loads the libraries itself when music is opened, so the program does not
# depend on them to start (and starts without loading them).

find_package(PkgConfig REQUIRED)
pkg_check_modules(FLUIDSYNTH REQUIRED IMPORTED_TARGET GLOBAL fluidsynth)
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET GLOBAL alsa)

add_library(lexoria_media STATIC
  ${CMAKE_CURRENT_LIST_DIR}/mediacontrol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mediacontrol.h)
target_include_directories(lexoria_media PUBLIC ${CMAKE_CURRENT_LIST_DIR})
find_package(Threads REQUIRED)
target_include_directories(lexoria_media PRIVATE
  $<TARGET_PROPERTY:PkgConfig::FLUIDSYNTH,INTERFACE_INCLUDE_DIRECTORIES>
  $<TARGET_PROPERTY:PkgConfig::ALSA,INTERFACE_INCLUDE_DIRECTORIES>)
target_compile_options(lexoria_media PRIVATE
  $<TARGET_PROPERTY:PkgConfig::FLUIDSYNTH,INTERFACE_COMPILE_OPTIONS>)
target_link_libraries(lexoria_media
  PUBLIC Qt6::Core
  PRIVATE Qt6::Widgets Threads::Threads ${CMAKE_DL_LIBS})

lexoria_beside_program(lexoria_music_asset Internet.mid "Copying the start-up music beside the program")

# The check of a tune file before it reaches the synthesiser: Qt Core only, so
# the fuzzing targets can build it on its own.
add_library(lexoria_midifile STATIC
  ${CMAKE_CURRENT_LIST_DIR}/midifile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/midifile.h)
target_include_directories(lexoria_midifile PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(lexoria_midifile PUBLIC Qt6::Core)
target_link_libraries(lexoria_media PUBLIC lexoria_midifile)
