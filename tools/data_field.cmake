# The field scene's generated data: its pictures (drawn by artgen_field) and its sounds (made
# with sox). Everything lands under VELUNNA_GENERATED_DATA in the run-time tree's shape and is
# registered with the data tree (velunna_add_generated_data, tools/CMakeLists.txt).

add_executable(artgen_field ${CMAKE_CURRENT_LIST_DIR}/artgen_field.cpp)
target_include_directories(artgen_field PRIVATE ${CMAKE_SOURCE_DIR})

set(_field_images
  ${VELUNNA_GENERATED_DATA}/Graphic/field1.bmp
  ${VELUNNA_GENERATED_DATA}/Graphic/field2.bmp
  ${VELUNNA_GENERATED_DATA}/Graphic/point_icon01.bmp
  ${VELUNNA_GENERATED_DATA}/Graphic/Battle/PlayerPoint.bmp
  ${VELUNNA_GENERATED_DATA}/Graphic/comment_window01.bmp)
add_custom_command(OUTPUT ${_field_images}
  COMMAND artgen_field ${VELUNNA_GENERATED_DATA}
  DEPENDS artgen_field
  COMMENT "Drawing the field scene's pictures")

set(_field_sound_dir ${VELUNNA_GENERATED_DATA}/Sound)
# The field music: eight gentle plucked chords, one a second (each channel one note, delayed to
# its beat, then mixed down), with a little reverb; 8 seconds, looped by the scene.
add_custom_command(OUTPUT ${_field_sound_dir}/FieldBGM.mp3
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_field_sound_dir}
  COMMAND ${VELUNNA_SOX} -r 44100 -c 24 -n -c 2 ${_field_sound_dir}/FieldBGM.mp3
    synth 1.2 pluck C4 pluck E4 pluck G4 pluck A3 pluck C4 pluck E4 pluck F3 pluck A3 pluck C4
      pluck G3 pluck B3 pluck D4 pluck C4 pluck E4 pluck G4 pluck E4 pluck G4 pluck B4
      pluck F3 pluck A3 pluck C4 pluck G3 pluck B3 pluck D4
    delay 0 0 0 1 1 1 2 2 2 3 3 3 4 4 4 5 5 5 6 6 6 7 7 7
    remix - gain -n -4 reverb 30 channels 2 fade q 0.02 8 0.4
  COMMENT "Making the field music"
  VERBATIM)
# The select sound: a short bright blip; the decide sound: a rising two-note chime.
add_custom_command(OUTPUT ${_field_sound_dir}/Select.wav
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_field_sound_dir}
  COMMAND ${VELUNNA_SOX} -n -r 44100 -c 2 -b 16 ${_field_sound_dir}/Select.wav
    synth 0.06 square 1320 gain -14 fade q 0.005 0.06 0.03
  COMMENT "Making the field select sound"
  VERBATIM)
add_custom_command(OUTPUT ${_field_sound_dir}/YES.wav
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_field_sound_dir}
  COMMAND ${VELUNNA_SOX} -r 44100 -c 2 -n -c 2 -b 16 ${_field_sound_dir}/YES.wav
    synth 0.18 sine 880 sine 1320 delay 0 0.09 remix - channels 2 gain -8 fade q 0.005 0.27 0.1
  COMMENT "Making the field decide sound"
  VERBATIM)

set(_field_outputs
  ${_field_images}
  ${_field_sound_dir}/FieldBGM.mp3
  ${_field_sound_dir}/Select.wav
  ${_field_sound_dir}/YES.wav)
add_custom_target(gen-field DEPENDS ${_field_outputs})
velunna_add_generated_data(TARGET gen-field OUTPUTS ${_field_outputs})
