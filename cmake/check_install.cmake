# Installs the build into a fresh prefix and checks that every file of the desktop program is
# where the desktop looks for it, and that both validators accept the entry and the metainfo.
#   cmake -DBUILD_DIR=<build> -P cmake/check_install.cmake
cmake_minimum_required(VERSION 3.25)
set(prefix "${BUILD_DIR}/install-test")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cmake --install failed")
endif()

set(id org.tolvane.Tolvane)
foreach(file bin/tolvane share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml
        share/icons/hicolor/scalable/apps/${id}.svg share/icons/hicolor/48x48/apps/${id}.png
        share/icons/hicolor/256x256/apps/${id}.png)
    if(NOT EXISTS "${prefix}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} "${prefix}/share/applications/${id}.desktop"
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "desktop-file-validate refused the entry")
endif()
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                        "${prefix}/share/metainfo/${id}.metainfo.xml" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "appstreamcli refused the metainfo")
endif()
file(REMOVE_RECURSE "${prefix}")
