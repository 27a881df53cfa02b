# The start menu's generated data: its pictures (drawn by artgen_startmenu) and its two sounds
# (made with sox), written into the generated-data root in the run-time tree's shape.

set(_startmenu_root ${VELUNNA_GENERATED_DATA_DIR})

add_executable(artgen_startmenu ${CMAKE_CURRENT_LIST_DIR}/artgen_startmenu.cpp)
target_include_directories(artgen_startmenu PRIVATE ${CMAKE_SOURCE_DIR})

set(_startmenu_graphic_dir ${_startmenu_root}/Data/Graphic)
set(_startmenu_images
  ${_startmenu_graphic_dir}/startmenu.bmp
  ${_startmenu_graphic_dir}/comment_window01.bmp
  ${_startmenu_graphic_dir}/menu_entries.bmp)
add_custom_command(OUTPUT ${_startmenu_images}
  COMMAND artgen_startmenu ${_startmenu_root}
  DEPENDS artgen_startmenu
  COMMENT "Drawing the start menu's pictures")

set(_startmenu_sound_dir ${_startmenu_root}/Data/Sound)
# The select sound: a short two-tone tick; the decide sound: a rising plucked C-E-G.
add_custom_command(OUTPUT ${_startmenu_sound_dir}/Select.wav
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_startmenu_sound_dir}
  COMMAND ${VELUNNA_SOX} -n -r 44100 -c 2 -b 16 ${_startmenu_sound_dir}/Select.wav
    synth 0.07 triangle 988 triangle 1480 gain -12 fade q 0.004 0.07 0.035
  COMMENT "Making the start menu's select sound"
  VERBATIM)
add_custom_command(OUTPUT ${_startmenu_sound_dir}/YES.wav
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_startmenu_sound_dir}
  COMMAND ${VELUNNA_SOX} -r 44100 -c 3 -n -c 2 -b 16 ${_startmenu_sound_dir}/YES.wav
    synth 0.32 pluck C5 pluck E5 pluck G5 delay 0 0.07 0.14 remix - channels 2 gain -n -6
    fade q 0.005 0.46 0.2
  COMMENT "Making the start menu's decide sound"
  VERBATIM)

set(_startmenu_outputs
  ${_startmenu_images}
  ${_startmenu_sound_dir}/Select.wav
  ${_startmenu_sound_dir}/YES.wav)
add_custom_target(gen-startmenu DEPENDS ${_startmenu_outputs})
velunna_add_generated_data(TARGET gen-startmenu OUTPUTS ${_startmenu_outputs})
