# Plants one include that runs up the layers at a time, in every form the check must read, into a
# small tree of its own, and fails unless the check refuses each one and passes the tree without.
#   cmake -DTOLVANE_SOURCE_DIR=<repo> -DWORK=<a scratch folder> -P cmake/check_layers_test.cmake
cmake_minimum_required(VERSION 3.25)
set(tree "${WORK}/layers-tree")

function(check expect_failure what)
    execute_process(COMMAND ${CMAKE_COMMAND} -DTOLVANE_SOURCE_DIR=${tree}
                            -P ${TOLVANE_SOURCE_DIR}/cmake/check_layers.cmake
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    if(expect_failure AND result EQUAL 0)
        message(FATAL_ERROR "the layer check let pass: ${what}")
    elseif(NOT expect_failure AND NOT result EQUAL 0)
        message(FATAL_ERROR "the layer check refused a tree without a wrong include (${what})")
    endif()
endfunction()

set(forms
    "#include \"launch/x.h\""
    "#include <launch/x.h>"
    "# include \"launch/x.h\""
    "  #  include <launch/x.h>"
    "#include \"UP/launch/x.h\"")
foreach(file IN ITEMS "packages/bad.h" "packages/bad.cpp" "packages/deep/bad.hpp")
    # The climb out of the file's own folder to src/.
    string(REGEX REPLACE "[^/]+" ".." up "${file}")
    get_filename_component(up "${up}" DIRECTORY)
    foreach(form IN LISTS forms)
        string(REPLACE "UP" "${up}" form "${form}")
        file(REMOVE_RECURSE "${tree}")
        file(WRITE "${tree}/src/launch/x.h" "#pragma once\n")
        file(WRITE "${tree}/src/platform/base.h" "#pragma once\n")
        file(WRITE "${tree}/src/packages/fine.h" "#include \"platform/base.h\"\n#include <vector>\n")
        check(FALSE "before planting")
        file(WRITE "${tree}/src/${file}" "#pragma once\n${form}\n")
        check(TRUE "${form} in src/${file}")
    endforeach()
endforeach()
# A tool that reaches into the test kit.
file(REMOVE_RECURSE "${tree}")
file(WRITE "${tree}/tools/demo/world.cpp" "#include \"sample_world/sample_packages.h\"\n")
check(FALSE "a tool on the sample world")
file(WRITE "${tree}/tools/demo/world.cpp" "#include \"support/recording_prompts.h\"\n")
check(TRUE "a tool on the test kit")
file(REMOVE_RECURSE "${tree}")
