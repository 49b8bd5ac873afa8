# Shared build helpers.

# qv_add_test(NAME SOURCES a.cpp ... LIBS lib ...)
# One Qt Test executable run by CTest on the offscreen platform, with a fresh settings folder and a fixed
# locale (scripts/run-test.sh sets both up around the run).
function(qv_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    target_compile_definitions(${name} PRIVATE
        QV_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
        QV_SOURCE_ROOT="${PROJECT_SOURCE_DIR}"
        QV_BINARY_ROOT="${CMAKE_BINARY_DIR}")
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
#                       [WIDGET_LIBS lib ...] [NO_QT])
# The folder's sources (globbed, so a new unit is a new file) make the library NAME. When WIDGET_UNITS
# names file stems, those files make NAME and the rest make NAME_core, which links no widget library:
# code that must stay window-free links only the _core part, and a widget include there fails to build.
function(qv_add_folder_library name)
    cmake_parse_arguments(L "NO_QT" "" "WIDGET_UNITS;EXCLUDE_UNITS;CORE_LIBS;WIDGET_LIBS" ${ARGN})
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
        if(L_NO_QT)
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
