# The desktop character's artwork and manifest, copied beside the programs into character/.
file(GLOB _qv_character_files CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/character/*.svg ${CMAKE_CURRENT_SOURCE_DIR}/character/*.acs)
foreach(_f IN LISTS _qv_character_files)
    get_filename_component(_n ${_f} NAME)
    configure_file(${_f} ${QV_BIN_DIR}/character/${_n} COPYONLY)
endforeach()
