# Shared build helpers.

# qv_add_subfolders(): adds every sub-folder of the current folder that has a CMakeLists.txt, so a new
# program, benchmark or test folder is a new folder.
function(qv_add_subfolders)
    file(GLOB dirs LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    foreach(dir ${dirs})
        if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
            add_subdirectory(${dir})
        endif()
    endforeach()
endfunction()

# The source tree relative to the build tree, both with their links resolved, as a running program
# finds its own folder: a build tree reached through a link (on another disk) still finds the sources.
file(REAL_PATH "${PROJECT_SOURCE_DIR}" _qv_source_real)
file(REAL_PATH "${CMAKE_BINARY_DIR}" _qv_binary_real)
file(RELATIVE_PATH QV_SOURCE_FROM_BINARY "${_qv_binary_real}" "${_qv_source_real}")

# qv_add_test(NAME SOURCES a.cpp ... LIBS lib ...)
# One Qt Test executable run by CTest on the offscreen platform, with a fresh settings folder and a fixed
# locale (scripts/run-test.sh sets both up around the run).
function(qv_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    qv_path_from_program(${name} QV_BINARY_FROM_PROGRAM "${CMAKE_BINARY_DIR}")
    target_compile_definitions(${name} PRIVATE QV_SOURCE_FROM_BINARY="${QV_SOURCE_FROM_BINARY}")
    # Qt Test's own definitions name the test's absolute folders (for QFINDTESTDATA, which no test here
    # uses); without them the compiled test is the same in every clone.
    target_compile_options(${name} PRIVATE -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
    add_test(NAME ${name}
             COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/run-test.sh $<TARGET_FILE:${name}>)
    set(env "QT_QPA_PLATFORM=offscreen" "LC_ALL=C.UTF-8" "LANG=C.UTF-8")
    if(QUORVANE_SANITIZE)
        list(APPEND env
            "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:exitcode=23"
            "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
            "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan-qt.supp:print_suppressions=0")
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()

# qv_path_from_program(TARGET NAME PATH): defines NAME in TARGET as PATH, a place in the build tree
# (which may be a generator expression such as $<TARGET_FILE:tool>), relative to the folder of TARGET's
# program; tests/common/TestPaths.h makes it absolute at run time. An absolute path compiled in would
# differ in every clone, and a compiler cache could then share none of these objects between clones.
function(qv_path_from_program target name path)
    string(REPLACE "," "$<COMMA>" path "${path}") # a comma in a folder name would split the expression
    target_compile_definitions(${target} PRIVATE
        ${name}="$<PATH:RELATIVE_PATH,${path},$<TARGET_FILE_DIR:${target}>>")
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}) # for tests/common/TestPaths.h
endfunction()

# qv_add_tests_in_folder(LIBS lib ...): every tst_*.cpp in the current folder becomes a test named
# <folder>_<file>, so a new test is a new file.
function(qv_add_tests_in_folder)
    cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(src ${srcs})
        get_filename_component(base ${src} NAME_WE)
        qv_add_test(${folder}_${base} SOURCES ${src} LIBS ${T_LIBS})
    endforeach()
endfunction()

# qv_add_folder_library(NAME [WIDGET_UNITS stem ...] [EXCLUDE_UNITS stem ...] [CORE_LIBS lib ...]
#                       [WIDGET_LIBS lib ...] [NO_QT] [WINDOW_FREE])
# The folder's sources (globbed, so a new unit is a new file) make the library NAME. When WIDGET_UNITS
# names file stems, those files make NAME and the rest make NAME_core, which links no widget library:
# code that must stay window-free links only the _core part, and a widget include there fails to build.
# WINDOW_FREE (or NO_QT) holds a folder without widget units to the same rule.
function(qv_add_folder_library name)
    cmake_parse_arguments(L "NO_QT;WINDOW_FREE" "" "WIDGET_UNITS;EXCLUDE_UNITS;CORE_LIBS;WIDGET_LIBS" ${ARGN})
    file(GLOB srcs CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(core_srcs "")
    set(widget_srcs "")
    foreach(src ${srcs})
        get_filename_component(stem ${src} NAME_WE)
        if(stem IN_LIST L_EXCLUDE_UNITS)
            continue()
        elseif(stem IN_LIST L_WIDGET_UNITS)
            list(APPEND widget_srcs ${src})
        else()
            list(APPEND core_srcs ${src})
        endif()
    endforeach()
    if(NOT L_WIDGET_UNITS)
        if(L_NO_QT OR L_WINDOW_FREE)
            _qv_library(${name} "${core_srcs}" "${L_CORE_LIBS}" WINDOW_FREE)
        else()
            _qv_library(${name} "${core_srcs}" "${L_CORE_LIBS}")
        endif()
        if(L_NO_QT AND TARGET ${name} AND NOT core_srcs STREQUAL "")
            set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTORCC OFF)
        endif()
        return()
    endif()
    _qv_library(${name}_core "${core_srcs}" "${L_CORE_LIBS}" WINDOW_FREE)
    _qv_library(${name} "${widget_srcs}" "${name}_core;${L_WIDGET_LIBS}")
endfunction()

# qv_window_free(TARGET): the target's sources may include no QtGui, QtWidgets, QtCharts or
# QtPrintSupport header. Qt6::Core puts Qt's root include folder on the path, so "#include
# <QtWidgets/QWidget>" would otherwise compile; cmake/window-free holds stand-ins for the configuration
# header that each of those modules reads first, and each stand-in is an #error.
function(qv_window_free target)
    target_include_directories(${target} BEFORE PRIVATE ${PROJECT_SOURCE_DIR}/cmake/window-free)
endfunction()

# A static library of the sources, or an interface library while a folder has none yet; WINDOW_FREE
# for the _core part of a folder and for a library with no Qt.
function(_qv_library name srcs libs)
    if(srcs STREQUAL "")
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${libs})
    else()
        add_library(${name} STATIC ${srcs})
        target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${libs})
        if("WINDOW_FREE" IN_LIST ARGN)
            qv_window_free(${name})
        endif()
    endif()
endfunction()

# The flags of the program's version block. A Debug build sets the debug flag by itself.
option(QUORVANE_PRERELEASE "Mark the program's version block as a pre-release" OFF)
option(QUORVANE_PRIVATE_BUILD "Mark the program's version block as a private build" OFF)
set(QUORVANE_SPECIAL_BUILD "" CACHE STRING "Text of a special build; when set, the version block says so")

# qv_embed_version_block(TARGET [VERSION a.b.c.d] [PRERELEASE] [PRIVATE_BUILD] [DEBUG] [SPECIAL_BUILD text]
#                        [PROGRAM])
# Embeds a version block (version/VersionBlock.h) in the executable TARGET. The file and product version
# are VERSION, by default the project version, padded to four parts. PROGRAM takes the flags from the
# QUORVANE_* options above; DEBUG, or a Debug configuration, sets the debug flag.
function(qv_embed_version_block target)
    cmake_parse_arguments(V "PRERELEASE;PRIVATE_BUILD;DEBUG;PROGRAM" "VERSION;SPECIAL_BUILD" "" ${ARGN})
    if(V_PROGRAM)
        set(V_PRERELEASE ${QUORVANE_PRERELEASE})
        set(V_PRIVATE_BUILD ${QUORVANE_PRIVATE_BUILD})
        set(V_SPECIAL_BUILD "${QUORVANE_SPECIAL_BUILD}")
    endif()
    if(NOT V_VERSION)
        set(V_VERSION ${PROJECT_VERSION})
    endif()
    string(REPLACE "." ";" parts "${V_VERSION}")
    list(LENGTH parts count)
    while(count LESS 4)
        list(APPEND parts 0)
        math(EXPR count "${count} + 1")
    endwhile()
    list(JOIN parts "," numbers)
    list(JOIN parts "." text)
    set(flags 0)
    if(V_PRERELEASE)
        math(EXPR flags "${flags} | 0x02")
    endif()
    if(V_PRIVATE_BUILD)
        math(EXPR flags "${flags} | 0x08")
    endif()
    if(NOT "${V_SPECIAL_BUILD}" STREQUAL "")
        math(EXPR flags "${flags} | 0x20")
    endif()
    if(V_DEBUG)
        math(EXPR flags "${flags} | 0x01")
    else()
        set(flags "${flags}|$<IF:$<CONFIG:Debug>,1,0>")
    endif()
    add_library(${target}_version_block OBJECT ${PROJECT_SOURCE_DIR}/version/EmbeddedVersionBlock.cpp)
    set_target_properties(${target}_version_block PROPERTIES AUTOMOC OFF AUTORCC OFF)
    target_include_directories(${target}_version_block PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${target}_version_block PRIVATE
        "QV_VB_FILE_VERSION=${numbers}" "QV_VB_PRODUCT_VERSION=${numbers}" "QV_VB_FLAGS=(${flags})"
        "QV_VB_FILE_VERSION_TEXT=\"${text}\"" "QV_VB_PRODUCT_VERSION_TEXT=\"${text}\""
        "QV_VB_SPECIAL_BUILD=\"${V_SPECIAL_BUILD}\"")
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${target}_version_block>)
endfunction()
