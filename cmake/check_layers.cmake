# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSOURCE_DIR=<repo> -P check_layers.cmake
# Fails, naming every file and line, when an include under src/ runs up a floor or across to a
# sibling. The floors: engine <- runtime, wm <- strip, settings, layout, tooltips, preview <- app;
# cli stands beside the window on the engine alone; the app runs cli's job for its export for the
# web, so that both write the same files. tests/ and bench/ sit above every floor
# and are not checked.
#
# An include is resolved as the compiler would: "x.h" first beside the including file, then
# from src/; <x/y.h> from src/ only when x is one of our folders.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "check_layers: pass -DSOURCE_DIR=<the repository>")
endif()

# What each folder may include, besides itself.
set(allowed_engine "")
set(allowed_runtime engine)
set(allowed_wm engine)
set(allowed_strip engine runtime wm)
set(allowed_settings engine runtime wm)
set(allowed_layout engine runtime wm)
set(allowed_tooltips engine runtime wm)
set(allowed_preview engine runtime wm)
set(allowed_app engine runtime wm strip settings layout tooltips preview cli)
set(allowed_cli engine)
set(folders engine runtime wm strip settings layout tooltips preview app cli)

# Includes that break the rule today and are being moved; each names its file and header.
set(pending "")

file(GLOB_RECURSE sources LIST_DIRECTORIES false
    ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
list(SORT sources)

set(violations "")
set(checked 0)
foreach(source IN LISTS sources)
    file(RELATIVE_PATH relative ${SOURCE_DIR}/src ${source})
    string(REGEX MATCH "^[^/]+" folder "${relative}")
    if(NOT folder IN_LIST folders)
        list(APPEND violations "src/${relative}: folder src/${folder}/ has no floor in cmake/check_layers.cmake")
        continue()
    endif()
    get_filename_component(here ${source} DIRECTORY)
    file(STRINGS ${source} lines)
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
            continue()
        endif()
        set(quoted "${CMAKE_MATCH_1}")
        set(header "${CMAKE_MATCH_2}")
        set(target "")
        if(quoted STREQUAL "\"" AND EXISTS ${here}/${header})
            get_filename_component(resolved ${here}/${header} REALPATH)
            file(RELATIVE_PATH target ${SOURCE_DIR}/src ${resolved})
        elseif(EXISTS ${SOURCE_DIR}/src/${header})
            get_filename_component(resolved ${SOURCE_DIR}/src/${header} REALPATH)
            file(RELATIVE_PATH target ${SOURCE_DIR}/src ${resolved})
        endif()
        if(target STREQUAL "" OR target MATCHES "^\\.\\.")
            continue() # Qt, the standard library, system headers
        endif()
        math(EXPR checked "${checked} + 1")
        string(REGEX MATCH "^[^/]+" floor "${target}")
        if(floor STREQUAL folder OR floor IN_LIST allowed_${folder})
            continue()
        endif()
        if("src/${relative}:${target}" IN_LIST pending)
            message(STATUS "pending: src/${relative}:${number} includes ${target}")
            continue()
        endif()
        set(may "${allowed_${folder}}")
        list(PREPEND may ${folder})
        list(JOIN may ", " may)
        list(APPEND violations
            "src/${relative}:${number}: includes ${target}, but src/${folder}/ may include only ${may}")
    endforeach()
endforeach()

if(violations)
    list(LENGTH violations count)
    list(JOIN violations "\n" text)
    message(FATAL_ERROR "${count} include(s) run against the layers:\n${text}")
endif()
message(STATUS "layers: ${checked} includes of our own headers, all downwards")
