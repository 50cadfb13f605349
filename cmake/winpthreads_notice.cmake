# winpthreads' part of the mingw-w64 toolchain's own copyright file (Debian's machine-readable
# format): the paragraphs of the files that go into the library, then the full text of each
# licence they name only.

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(winpthreads_package mingw-w64-x86-64-dev)
else()
    set(winpthreads_package mingw-w64-i686-dev)
endif()
find_file(DHSU_WINPTHREADS_COPYRIGHT copyright
    PATHS /usr/share/doc/${winpthreads_package} /usr/share/doc/mingw-w64-common
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
    DOC "The mingw-w64 copyright file that covers winpthreads")

# Takes the first paragraph off `text` into `paragraph`.
macro(winpthreads_next_paragraph text paragraph)
    string(FIND "${${text}}" "\n\n" end)
    string(SUBSTRING "${${text}}" 0 ${end} ${paragraph})
    math(EXPR end "${end} + 2")
    string(SUBSTRING "${${text}}" ${end} -1 ${text})
    string(STRIP "${${paragraph}}" ${paragraph})
endmacro()

# Sets `out` to the notice, or to "" when there is no copyright file.
function(winpthreads_notice out)
    set(${out} "" PARENT_SCOPE)
    if(NOT DHSU_WINPTHREADS_COPYRIGHT)
        return()
    endif()
    file(READ ${DHSU_WINPTHREADS_COPYRIGHT} copyright)
    string(APPEND copyright "\n\n")
    set(notice "")
    set(wanted "")
    set(rest "${copyright}")
    while(NOT rest STREQUAL "")
        winpthreads_next_paragraph(rest paragraph)
        # The library's own files; its test programs are not linked into anything.
        if(paragraph MATCHES "^Files:[^\n]*winpthreads/" AND NOT paragraph MATCHES "tests_pthread")
            string(APPEND notice "${paragraph}\n\n")
            # A licence given by name alone has its text in a paragraph of its own.
            if(paragraph MATCHES "\nLicense: ([^\n]+)$")
                list(APPEND wanted "${CMAKE_MATCH_1}")
            endif()
        endif()
    endwhile()
    list(REMOVE_DUPLICATES wanted)
    set(rest "${copyright}")
    while(NOT rest STREQUAL "")
        winpthreads_next_paragraph(rest paragraph)
        if(paragraph MATCHES "^License: ([^\n]+)\n" AND CMAKE_MATCH_1 IN_LIST wanted)
            list(REMOVE_ITEM wanted "${CMAKE_MATCH_1}")
            string(APPEND notice "${paragraph}\n\n")
        endif()
    endwhile()
    if(wanted)
        message(FATAL_ERROR "${DHSU_WINPTHREADS_COPYRIGHT} has no text of licence ${wanted}")
    endif()
    string(STRIP "${notice}" notice)
    set(${out} "${notice}" PARENT_SCOPE)
endfunction()
