# The picture recorder (tools/picture_recorder) runs on the build machine with its Qt.
# In a native build it is one more target; in a cross build it is built apart with
# the build machine's compiler and Qt. Paths are rooted at this file's project, which
# a build-machine tool's own project (tools/browser_build) may include it from.
get_filename_component(TRELVAN_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
if(CMAKE_CROSSCOMPILING)
    include(ExternalProject)
    ExternalProject_Add(picture_recorder_host
        SOURCE_DIR ${TRELVAN_SOURCE_ROOT}/tools/picture_recorder
        BINARY_DIR ${PROJECT_BINARY_DIR}/picture_recorder
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
        INSTALL_COMMAND ""
        BUILD_BYPRODUCTS ${PROJECT_BINARY_DIR}/picture_recorder/picture_recorder)
    set(TRELVAN_PICTURE_RECORDER ${PROJECT_BINARY_DIR}/picture_recorder/picture_recorder CACHE INTERNAL "")
    set(TRELVAN_PICTURE_RECORDER_TARGET picture_recorder_host CACHE INTERNAL "")
else()
    add_subdirectory(${TRELVAN_SOURCE_ROOT}/tools/picture_recorder
        ${PROJECT_BINARY_DIR}/picture_recorder)
    set(TRELVAN_PICTURE_RECORDER $<TARGET_FILE:picture_recorder> CACHE INTERNAL "")
    set(TRELVAN_PICTURE_RECORDER_TARGET picture_recorder CACHE INTERNAL "")
endif()

# trelvan_record(<picture|icon|png> <svg> <output> [side]): the recording of one
# SVG file, a Windows icon drawn from it, or a square PNG image of it.
function(trelvan_record kind svg output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${TRELVAN_PICTURE_RECORDER} ${kind} ${svg} ${output} ${ARGN}
        DEPENDS ${svg} ${TRELVAN_PICTURE_RECORDER_TARGET}
        VERBATIM)
endfunction()

# trelvan_record_pictures(<variable> <picture.svg>...): records each picture of
# resources/ into recorded/<picture>.pic of the current build folder (a QPicture
# file); the recordings' paths go into <variable>.
function(trelvan_record_pictures variable)
    set(recordings)
    foreach(picture ${ARGN})
        cmake_path(REPLACE_EXTENSION picture .pic OUTPUT_VARIABLE recorded)
        set(recording ${CMAKE_CURRENT_BINARY_DIR}/recorded/${recorded})
        trelvan_record(picture ${TRELVAN_SOURCE_ROOT}/resources/${picture} ${recording})
        list(APPEND recordings ${recording})
    endforeach()
    set(${variable} ${recordings} PARENT_SCOPE)
endfunction()
