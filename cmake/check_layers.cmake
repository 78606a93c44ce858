# Fails when a source folder includes a folder above it. The layers, from the ground up; each may
# use only itself and the layers before it.
#
# Every include form counts: "layer/x.h" and <layer/x.h>, "# include" with blanks, paths such as
# "../layer/x.h" that climb out of a folder, in files of any source or header kind, in subfolders
# too.
#
# Run at configure time by the top-level CMakeLists.txt, and as a test:
#   cmake -DTOLVANE_SOURCE_DIR=<repo> -P cmake/check_layers.cmake
if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.25)
endif()
set(TOLVANE_LAYERS text platform session packages pilots game_start launch app gui)
set(src "${TOLVANE_SOURCE_DIR}/src")

set(allowed "")
set(violations "")
foreach(layer IN LISTS TOLVANE_LAYERS)
    list(APPEND allowed ${layer})
    file(GLOB_RECURSE files "${src}/${layer}/*.h" "${src}/${layer}/*.hpp" "${src}/${layer}/*.hh"
         "${src}/${layer}/*.inl" "${src}/${layer}/*.cpp" "${src}/${layer}/*.cc")
    foreach(file IN LISTS files)
        get_filename_component(folder "${file}" DIRECTORY)
        file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" path
                                 "${line}")
            # Where the include leads: beside the file, or below src/ as the include path has it.
            get_filename_component(beside "${path}" ABSOLUTE BASE_DIR "${folder}")
            get_filename_component(fromSrc "${path}" ABSOLUTE BASE_DIR "${src}")
            set(used "")
            foreach(target IN ITEMS "${beside}" "${fromSrc}")
                foreach(candidate IN LISTS TOLVANE_LAYERS)
                    if(used STREQUAL "" AND target MATCHES "^${src}/${candidate}/")
                        if(EXISTS "${target}" OR target STREQUAL fromSrc)
                            set(used ${candidate})
                        endif()
                    endif()
                endforeach()
            endforeach()
            if(NOT used STREQUAL "" AND NOT used IN_LIST allowed)
                file(RELATIVE_PATH shown "${TOLVANE_SOURCE_DIR}" "${file}")
                list(APPEND violations "${shown} includes ${used}/ (${line})")
            endif()
        endforeach()
    endforeach()
endforeach()

# The tools (the demo, the screenshots, the sample world) are shipped code: they may use every
# layer, and the sample world, but never the test kit below tests/.
file(GLOB_RECURSE tool_files "${TOLVANE_SOURCE_DIR}/tools/*.h" "${TOLVANE_SOURCE_DIR}/tools/*.cpp")
foreach(file IN LISTS tool_files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](support|tests)/")
    foreach(line IN LISTS includes)
        file(RELATIVE_PATH shown "${TOLVANE_SOURCE_DIR}" "${file}")
        list(APPEND violations "${shown} includes the test kit (${line})")
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Includes that run up the layers:\n  ${text}")
endif()
