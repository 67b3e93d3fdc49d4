# The command grammar of the spoken commands, beside the binaries.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/ordergrammar.xml ${QV_BIN_DIR}/ordergrammar.xml COPYONLY)
