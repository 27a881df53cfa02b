# The action stages' sounds, made with sox into VELUNNA_GENERATED_DATA/Data/Sound/Act and
# registered with the data tree (velunna_add_generated_data, tools/CMakeLists.txt).

set(_act_sound_dir ${VELUNNA_GENERATED_DATA}/Data/Sound/Act)

# The stage music: a plucked bass line in eighths under a slower plucked melody in A minor,
# 8 seconds with a little reverb, looped by the stage.
add_custom_command(OUTPUT ${_act_sound_dir}/1-1.mp3
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_act_sound_dir}
  COMMAND ${VELUNNA_SOX} -r 44100 -c 24 -n -c 2 ${_act_sound_dir}/1-1.mp3
    synth 1.0
      pluck A2 pluck A2 pluck C3 pluck A2 pluck G2 pluck G2 pluck B2 pluck G2
      pluck F2 pluck F2 pluck A2 pluck F2 pluck E2 pluck E2 pluck G\#2 pluck B2
      pluck E4 pluck C5 pluck D5 pluck B4 pluck A4 pluck C5 pluck B4 pluck G\#4
    delay 0 0.5 1 1.5 2 2.5 3 3.5 4 4.5 5 5.5 6 6.5 7 7.5 0 1 2 3 4 5 6 7
    remix - gain -n -3 reverb 20 channels 2 fade q 0.01 8 0.2
  COMMENT "Making the stage music"
  VERBATIM)

# Sword swings: bursts of filtered noise, higher and shorter for the quick combo cuts, lower and
# longer for the air and crouch slashes.
set(_act_fx_swing25_c synth 0.16 pinknoise band 2400 1800 gain -4 fade q 0.02 0.16 0.1)
set(_act_fx_swing27 synth 0.22 pinknoise band 1500 1200 gain -3 fade q 0.03 0.22 0.14)
set(_act_fx_swing37_b synth 0.26 pinknoise band 1000 900 tremolo 18 40 gain -3 fade q 0.04 0.26 0.16)
set(_act_fx_swing37_a synth 0.2 pinknoise band 700 500 gain -2 fade q 0.02 0.2 0.12)
# An enemy hit: a short falling square; the hero hit: a duller falling buzz.
set(_act_fx_hit_s06 synth 0.1 square 300-80 gain -12 fade q 0.002 0.1 0.07)
set(_act_fx_hit09 synth 0.22 sawtooth 180-45 gain -10 lowpass 900 fade q 0.002 0.22 0.16)

set(_act_sounds ${_act_sound_dir}/1-1.mp3)
foreach(name swing25_c swing27 swing37_b swing37_a hit_s06 hit09)
  add_custom_command(OUTPUT ${_act_sound_dir}/${name}.wav
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_act_sound_dir}
    COMMAND ${VELUNNA_SOX} -n -r 44100 -c 2 -b 16 ${_act_sound_dir}/${name}.wav ${_act_fx_${name}}
    COMMENT "Making the stage sound ${name}.wav"
    VERBATIM)
  list(APPEND _act_sounds ${_act_sound_dir}/${name}.wav)
endforeach()

# An item picked up: two quick rising sine notes.
add_custom_command(OUTPUT ${_act_sound_dir}/cursor12.wav
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_act_sound_dir}
  COMMAND ${VELUNNA_SOX} -r 44100 -c 2 -n -c 2 -b 16 ${_act_sound_dir}/cursor12.wav
    synth 0.1 sine 1320 sine 1980 delay 0 0.07 remix - channels 2 gain -8 fade q 0.005 0.17 0.08
  COMMENT "Making the stage sound cursor12.wav"
  VERBATIM)
list(APPEND _act_sounds ${_act_sound_dir}/cursor12.wav)

add_custom_target(gen-act-sound DEPENDS ${_act_sounds})
velunna_add_generated_data(TARGET gen-act-sound OUTPUTS ${_act_sounds})
