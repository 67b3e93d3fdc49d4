# SPDX-License-Identifier: GPL-3.0-or-later
# Small helpers so that every service, module, test, benchmark and fuzz target is declared in
# one line, and each area keeps its own CMake fragment (<dir>/*.cmake, included in name order).

# qv_library(NAME SOURCES ... [LIBS ...] [PKG ...])
# A static library; PKG names pkg-config modules that it needs (linked PUBLIC).
function(qv_library name)
    cmake_parse_arguments(A "" "" "SOURCES;LIBS;PKG" ${ARGN})
    add_library(${name} STATIC ${A_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui ${A_LIBS})
    foreach(pkg IN LISTS A_PKG)
        string(MAKE_C_IDENTIFIER "${pkg}" pkgvar)
        pkg_check_modules(QVPKG_${pkgvar} REQUIRED ${pkg})
        target_include_directories(${name} SYSTEM PUBLIC ${QVPKG_${pkgvar}_INCLUDE_DIRS})
        target_link_libraries(${name} PUBLIC ${QVPKG_${pkgvar}_LINK_LIBRARIES})
        target_compile_options(${name} PUBLIC ${QVPKG_${pkgvar}_CFLAGS_OTHER})
    endforeach()
endfunction()

# qv_platform_library(NAME [SOURCES ...] [UNIX ...] [WIN ...] [LIBS ...] [PKG ...])
# A seam of platform/: SOURCES build everywhere, UNIX or WIN only on that system (PKG, the
# pkg-config modules, belong to the Unix backends). A system without a backend stops the
# configure step here, naming the service, instead of failing later at link time.
function(qv_platform_library name)
    cmake_parse_arguments(A "" "" "SOURCES;UNIX;WIN;LIBS;PKG" ${ARGN})
    if(WIN32 AND A_WIN)
        qv_library(${name} SOURCES ${A_SOURCES} ${A_WIN} LIBS ${A_LIBS})
    elseif(UNIX AND (A_UNIX OR NOT A_WIN))
        qv_library(${name} SOURCES ${A_SOURCES} ${A_UNIX} LIBS ${A_LIBS} PKG ${A_PKG})
    else()
        message(FATAL_ERROR "${name}: no backend for ${CMAKE_SYSTEM_NAME} yet")
    endif()
endfunction()

# qv_module(NAME SOURCES ... [LIBS ...])
# A module the programs open when they first need it (NAME.so beside the programs in a build,
# in QV_MODULE_INSTALL_DIR when installed). It holds its own copy of the static libraries it
# links; what crosses to the program are the interfaces' virtual calls and signals.
function(qv_module name)
    cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} MODULE ${A_SOURCES})
    set_target_properties(${name} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${QV_BIN_DIR})
    target_link_libraries(${name} PRIVATE ${A_LIBS})
endfunction()

# qv_add_test(NAME SOURCES ... [LIBS ...] [XVFB] [TIMEOUT s] [LABELS ...])
# LABELS e2e marks a test that drives a real program (left out of the sanitizer run).
# One GoogleTest executable registered with CTest. Widget tests run on the offscreen Qt
# platform; XVFB tests need the X display that scripts/test starts.
function(qv_add_test name)
    cmake_parse_arguments(A "XVFB" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE qv_test_main ${A_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    if(NOT A_TIMEOUT)
        set(A_TIMEOUT 300)
    endif()
    set(env "QV_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;QV_BIN_DIR=${QV_BIN_DIR};QV_BUILD_DIR=${CMAKE_BINARY_DIR};QV_MODULE_DIR=${QV_BIN_DIR}")
    if(A_XVFB)
        list(APPEND env "QT_QPA_PLATFORM=xcb")
        list(APPEND A_LABELS xvfb)
    else()
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    # The shared test main exits with 77 when something was skipped and nothing failed.
    set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT} ENVIRONMENT "${env}"
        LABELS "${A_LABELS}" SKIP_RETURN_CODE 77)
    if(A_XVFB)
        # One X display for all: tests that type, click or move the focus must not overlap.
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK x_display)
    endif()
endfunction()

# qv_add_bench(NAME SOURCES ... [LIBS ...])
function(qv_add_bench name)
    cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    target_link_libraries(${name} PRIVATE benchmark::benchmark ${A_LIBS})
endfunction()

# qv_add_fuzz(NAME SOURCES ... [LIBS ...]); built only with clang and QV_BUILD_FUZZ.
function(qv_add_fuzz name)
    cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${A_LIBS})
endfunction()

# Include every *.cmake fragment of the calling directory, in name order.
macro(qv_include_fragments)
    file(GLOB _qv_fragments CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
    list(SORT _qv_fragments)
    foreach(_qv_fragment IN LISTS _qv_fragments)
        include(${_qv_fragment})
    endforeach()
endmacro()
