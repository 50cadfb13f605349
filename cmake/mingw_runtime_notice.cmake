# Parts of the mingw-w64 toolchain's own copyright file (Debian's machine-readable format): the
# paragraphs of the files that go into a library, then the full text of each licence they name
# only.

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(mingw_runtime_package mingw-w64-x86-64-dev)
else()
    set(mingw_runtime_package mingw-w64-i686-dev)
endif()
find_file(DHSU_MINGW_RUNTIME_COPYRIGHT copyright
    PATHS /usr/share/doc/${mingw_runtime_package} /usr/share/doc/mingw-w64-common
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
    DOC "The mingw-w64 copyright file that covers its runtime and winpthreads")

# Takes the first paragraph off `text` into `paragraph`.
macro(mingw_runtime_next_paragraph text paragraph)
    string(FIND "${${text}}" "\n\n" end)
    string(SUBSTRING "${${text}}" 0 ${end} ${paragraph})
    math(EXPR end "${end} + 2")
    string(SUBSTRING "${${text}}" ${end} -1 ${text})
    string(STRIP "${${paragraph}}" ${paragraph})
endmacro()

# Sets `out` to the paragraphs whose first Files line matches `files` (and that do not match an
# optional third argument), with the licences they name; to "" when there is no copyright file.
function(mingw_runtime_notice out files)
    set(${out} "" PARENT_SCOPE)
    if(NOT DHSU_MINGW_RUNTIME_COPYRIGHT)
        return()
    endif()
    file(READ ${DHSU_MINGW_RUNTIME_COPYRIGHT} copyright)
    string(APPEND copyright "\n\n")
    set(notice "")
    set(wanted "")
    set(rest "${copyright}")
    while(NOT rest STREQUAL "")
        mingw_runtime_next_paragraph(rest paragraph)
        set(left_out FALSE)
        if(ARGC GREATER 2 AND paragraph MATCHES "${ARGV2}")
            set(left_out TRUE)
        endif()
        if(paragraph MATCHES "^Files: (${files})" AND NOT left_out)
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
        mingw_runtime_next_paragraph(rest paragraph)
        if(paragraph MATCHES "^License: ([^\n]+)\n" AND CMAKE_MATCH_1 IN_LIST wanted)
            list(REMOVE_ITEM wanted "${CMAKE_MATCH_1}")
            string(APPEND notice "${paragraph}\n\n")
        endif()
    endwhile()
    if(wanted)
        message(FATAL_ERROR "${DHSU_MINGW_RUNTIME_COPYRIGHT} has no text of licence ${wanted}")
    endif()
    string(STRIP "${notice}" notice)
    set(${out} "${notice}" PARENT_SCOPE)
endfunction()
