# Fails when a source folder includes a folder above it. The layers, from the ground up; each may
# use only itself and the layers before it. The program's main() sits in app/ but starts the
# windows, so it alone may include them.
#
# Run at configure time by the top-level CMakeLists.txt, and as a test:
#   cmake -DTOLVANE_SOURCE_DIR=<repo> -P cmake/check_layers.cmake
if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.25)
endif()
set(TOLVANE_LAYERS platform session packages pilots launch app windows)

set(allowed "")
set(violations "")
foreach(layer IN LISTS TOLVANE_LAYERS)
    list(APPEND allowed ${layer})
    file(GLOB files "${TOLVANE_SOURCE_DIR}/src/${layer}/*.h" "${TOLVANE_SOURCE_DIR}/src/${layer}/*.cpp")
    foreach(file IN LISTS files)
        if(file STREQUAL "${TOLVANE_SOURCE_DIR}/src/app/main.cpp")
            continue()
        endif()
        file(STRINGS "${file}" includes REGEX "^#include \"[a-z_]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" used "${line}")
            if(NOT used IN_LIST allowed)
                file(RELATIVE_PATH shown "${TOLVANE_SOURCE_DIR}" "${file}")
                list(APPEND violations "${shown} includes ${used}/")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Includes that run up the layers:\n  ${text}")
endif()
