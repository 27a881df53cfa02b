# The ADV scene's generated data: the pictures drawn by artgen_adv, and the music and the two
# effects synthesised with sox, written under the generated-data root in the run-time tree's
# shape. Included by the data build, which scrambles what needs it.
add_executable(artgen_adv ${CMAKE_CURRENT_LIST_DIR}/artgen_adv.cpp)
target_include_directories(artgen_adv PRIVATE ${CMAKE_SOURCE_DIR})

set(ADV_ART_DIR ${VELUNNA_GENERATED_DATA_DIR}/Graphic/Adv)
set(ADV_ART)
foreach(picture China guild gate MessageWindow MessageFrame MessageComment MessageEnd NameFrame IconMain IconFrame)
  list(APPEND ADV_ART ${ADV_ART_DIR}/${picture}.bmp)
endforeach()
add_custom_command(OUTPUT ${ADV_ART}
  COMMAND artgen_adv ${VELUNNA_GENERATED_DATA_DIR}
  DEPENDS artgen_adv
  COMMENT "Drawing the ADV scene's pictures")

set(ADV_SOUND_DIR ${VELUNNA_GENERATED_DATA_DIR}/Sound/Adv)
# The scene's theme: a gentle plucked tune over a held fifth, about ten seconds, looped by the
# scene.
set(ADV_THEME_NOTES E4 G4 A4 B4 A4 G4 E4 D4 E4 G4 A4 D5 B4 A4 G4 A4 E4 G4 A4 B4 D5 B4 A4 G4)
set(ADV_THEME_ARGS)
foreach(note ${ADV_THEME_NOTES})
  if(ADV_THEME_ARGS)
    list(APPEND ADV_THEME_ARGS :)
  endif()
  list(APPEND ADV_THEME_ARGS synth 0.42 pluck ${note} pluck ${note} vol 0.6)
endforeach()
add_custom_command(OUTPUT ${ADV_SOUND_DIR}/theme.mp3
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ADV_SOUND_DIR}
  COMMAND ${VELUNNA_SOX} -q -n -r 44100 -c 2 ${ADV_SOUND_DIR}/theme.mp3 ${ADV_THEME_ARGS}
  COMMENT "Synthesising the ADV theme")
# A knock on a wooden door, and a small chime.
add_custom_command(OUTPUT ${ADV_SOUND_DIR}/door.wav
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ADV_SOUND_DIR}
  COMMAND ${VELUNNA_SOX} -q -n -r 44100 -c 1 ${ADV_SOUND_DIR}/door.wav
          synth 0.09 brownnoise lowpass 500 fade 0 0.09 0.08 pad 0 0.08 repeat 1 vol 0.9
  COMMENT "Synthesising the ADV door knock")
add_custom_command(OUTPUT ${ADV_SOUND_DIR}/chime.wav
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ADV_SOUND_DIR}
  COMMAND ${VELUNNA_SOX} -q -n -r 44100 -c 1 ${ADV_SOUND_DIR}/chime.wav
          synth 0.7 sine 1318.5 sine 1975.5 remix - fade 0 0.7 0.6 vol 0.5
  COMMENT "Synthesising the ADV chime")
set(ADV_SOUNDS ${ADV_SOUND_DIR}/theme.mp3 ${ADV_SOUND_DIR}/door.wav ${ADV_SOUND_DIR}/chime.wav)
add_custom_target(gen-adv DEPENDS ${ADV_ART} ${ADV_SOUNDS})
velunna_add_generated_data(TARGET gen-adv OUTPUTS ${ADV_ART} ${ADV_SOUNDS})
