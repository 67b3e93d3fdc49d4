# The demo menu of scripts/run: a small writer of shortcut files and a document to open.
add_executable(qv-mklnk demo/mklnk.cpp)
target_include_directories(qv-mklnk PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(qv-mklnk PRIVATE qv_writers)
set_target_properties(qv-mklnk PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
configure_file(demo/Welcome.txt ${CMAKE_BINARY_DIR}/tools/demo/Welcome.txt COPYONLY)
