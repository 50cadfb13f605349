# Each folder of the program is a library of its own, dhsu_<folder>, made by the folder's
# CMakeLists.txt. dhsu_link_layers() links each to the folders its line in cmake/layers.txt
# names, and to no other. A static library alone would not stop a call against the grain, as the
# program's link brings in every folder; so each folder's objects are linked once more into a
# shared library of their own with only those libraries, where nothing may stay undefined: a DLL
# refuses it always, and on Linux --no-undefined does. The top folder's objects are held to it
# by the program's own link, and NviewLib's by the library's.

function(dhsu_refuse_undefined target)
    if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
        target_link_options(${target} PRIVATE LINKER:--no-undefined)
    endif()
endfunction()

function(dhsu_link_layers)
    set(table ${CMAKE_SOURCE_DIR}/cmake/layers.txt)
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${table})
    file(STRINGS ${table} rows REGEX "^[a-z]")
    # From the bottom up, so that every folder a line names has been seen on a line below it.
    list(REVERSE rows)
    set(below "")
    foreach(row IN LISTS rows)
        string(REGEX MATCHALL "[^ \t]+" folders "${row}")
        list(POP_FRONT folders folder)
        foreach(lower IN LISTS folders)
            if(NOT lower IN_LIST below)
                message(FATAL_ERROR "cmake/layers.txt: ${folder} names ${lower}, "
                                    "which is not on a line below it")
            endif()
            if(NOT TARGET dhsu_${lower})
                message(FATAL_ERROR "cmake/layers.txt: ${folder} names ${lower}, "
                                    "which has no library dhsu_${lower}")
            endif()
        endforeach()
        list(APPEND below ${folder})
        # The top folder holds only Windows code: there is nothing of it on other hosts.
        if(NOT TARGET dhsu_${folder})
            continue()
        endif()
        dhsu_link_layer(${folder} ${folders})
    endforeach()
endfunction()

function(dhsu_link_layer folder)
    set(library dhsu_${folder})
    list(TRANSFORM ARGN PREPEND dhsu_ OUTPUT_VARIABLE lower_libraries)
    get_target_property(type ${library} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${library} INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${library} INTERFACE ${lower_libraries})
        return()
    endif()
    target_include_directories(${library} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${library} PUBLIC ${lower_libraries})
    if(NOT type STREQUAL "STATIC_LIBRARY")
        return()
    endif()
    # Position-independent, so that its objects go into the shared library as they are.
    set_target_properties(${library} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    add_library(${library}_layer_check SHARED $<TARGET_OBJECTS:${library}>)
    target_link_libraries(${library}_layer_check PRIVATE ${library})
    dhsu_refuse_undefined(${library}_layer_check)
    set_target_properties(${library}_layer_check PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-checks
        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-checks
        ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-checks)
endfunction()
