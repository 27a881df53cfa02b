# The action mode's generated data: the stage maps compiled from their readable sources
# (data/Data/Script/act_stage/*.stage, by velunna-stagec) and the pictures drawn by artgen_act,
# written under the generated-data root in the run-time tree's shape.

add_executable(velunna-stagec ${CMAKE_CURRENT_LIST_DIR}/stagec.cpp)
target_link_libraries(velunna-stagec PRIVATE velunna_stagesource)

file(GLOB _act_stage_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/Data/Script/act_stage/*.stage)
set(_act_maps)
foreach(_source ${_act_stage_sources})
  get_filename_component(_name ${_source} NAME_WLE)
  set(_map ${VELUNNA_GENERATED_DATA_DIR}/Data/Script/act_stage/${_name}.cnn.bin)
  add_custom_command(OUTPUT ${_map}
    COMMAND velunna-stagec ${_source} ${_map}
    DEPENDS velunna-stagec ${_source}
    COMMENT "Compiling the stage map ${_name}"
    VERBATIM)
  list(APPEND _act_maps ${_map})
endforeach()

add_executable(artgen_act ${CMAKE_CURRENT_LIST_DIR}/artgen_act.cpp ${CMAKE_CURRENT_LIST_DIR}/artact_hero.cpp)
target_include_directories(artgen_act PRIVATE ${CMAKE_SOURCE_DIR})

set(_act_art_dir ${VELUNNA_GENERATED_DATA_DIR}/Data/Graphic/Act)
set(_act_art)
foreach(_picture BackGround_Back01 BackGround_Front01 FadeOut GaugeFrame_HP Gauge_HP GaugeFrame_SP Gauge_SP
    GaugeFrame_MP Gauge_MP TeleportCountIcon IconMain Count AttackModeIcon Mob_Kedama Mob_Hopper Mob_Bomber
    Kest_DualSword Kest_GreatSword TestChip ActItem ActMapObject AttackEffect kemuri Guard ME_NormalBullet
    ME_StampShockWave ME_Burst)
  list(APPEND _act_art ${_act_art_dir}/${_picture}.bmp)
endforeach()
add_custom_command(OUTPUT ${_act_art}
  COMMAND artgen_act ${VELUNNA_GENERATED_DATA_DIR}
  DEPENDS artgen_act
  COMMENT "Drawing the action mode's pictures")

add_custom_target(gen-act DEPENDS ${_act_maps} ${_act_art})
velunna_add_generated_data(TARGET gen-act OUTPUTS ${_act_maps} ${_act_art})
