# The Debian package (`make deb`: QUORVANE_PACKAGE on, prefix /usr). Besides the program tree under
# /usr/lib/quorvane (the program finds its help page and location database beside it, whatever link
# started it) and the desktop files under /usr/share, it holds quorvane-cli and qdb in /usr/bin with a
# link to the program, and the copyright and changelog a Debian package carries. Its dependencies are
# those of the shared libraries the programs link (dpkg-shlibdeps), plus Qt's platform plugins, which
# the program loads instead of linking. Each program has a manual page.
# The package is made of the programs it holds; the tests and benchmarks are not built for it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(qv_package_dir "${CMAKE_BINARY_DIR}/package")
file(MAKE_DIRECTORY "${qv_package_dir}")

install(TARGETS quorvane-cli qdb RUNTIME DESTINATION bin)
file(CREATE_LINK "../${QV_TREE_DESTINATION}/Quorvane/quorvane" "${qv_package_dir}/quorvane" SYMBOLIC)
install(FILES "${qv_package_dir}/quorvane" DESTINATION bin)

# The release day in the changelog's form, "Fri, 11 Dec 2026 00:00:00 +0000"; the weekday by Zeller's
# congruence.
function(qv_changelog_date iso out)
    if(NOT iso MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "QUORVANE_RELEASE_DATE is not YYYY-MM-DD: ${iso}")
    endif()
    set(year ${CMAKE_MATCH_1})
    set(month_text ${CMAKE_MATCH_2})
    set(day_text ${CMAKE_MATCH_3})
    string(REGEX REPLACE "^0" "" month "${month_text}")
    string(REGEX REPLACE "^0" "" day "${day_text}")
    set(m ${month})
    set(y ${year})
    if(m LESS 3)
        math(EXPR m "${m} + 12")
        math(EXPR y "${y} - 1")
    endif()
    math(EXPR weekday "(${day} + 13 * (${m} + 1) / 5 + ${y} % 100 + ${y} % 100 / 4 + ${y} / 400 + 5 * (${y} / 100)) % 7")
    set(weekdays Sat Sun Mon Tue Wed Thu Fri)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday} weekday_name)
    math(EXPR month_index "${month} - 1")
    list(GET months ${month_index} month_name)
    set(${out} "${weekday_name}, ${day_text} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

set(QV_VERSION "${PROJECT_VERSION}")
qv_changelog_date("${QUORVANE_RELEASE_DATE}" QV_CHANGELOG_DATE)
configure_file("${PROJECT_SOURCE_DIR}/data/package/changelog.in" "${qv_package_dir}/changelog" @ONLY)
# Debian keeps changelogs compressed, without a time stamp in the gzip header.
execute_process(COMMAND gzip -9nc "${qv_package_dir}/changelog"
                OUTPUT_FILE "${qv_package_dir}/changelog.gz" COMMAND_ERROR_IS_FATAL ANY)
install(FILES "${qv_package_dir}/changelog.gz" "${PROJECT_SOURCE_DIR}/data/package/copyright"
        DESTINATION share/doc/quorvane)
# The manual pages of the three programs, compressed the same way.
foreach(page quorvane quorvane-cli qdb)
    configure_file("${PROJECT_SOURCE_DIR}/data/package/${page}.1" "${qv_package_dir}/${page}.1" @ONLY)
    execute_process(COMMAND gzip -9nc "${qv_package_dir}/${page}.1"
                    OUTPUT_FILE "${qv_package_dir}/${page}.1.gz" COMMAND_ERROR_IS_FATAL ANY)
    install(FILES "${qv_package_dir}/${page}.1.gz" DESTINATION share/man/man1)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR Varnholt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sun position and clear-sky solar loads on a building surface")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane is an engineering calculator for building-services designers.
For one site, one building surface and one day it computes, hour by hour,
the position of the sun, the clear-sky solar radiation on the surface, the
solar heat gain factor of its glass, the sol-air temperature and the sunlit
fraction of a window set back in a recess. It comes with quorvane-cli, the
same calculation on the command line, and qdb, which builds and dumps
location databases.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Varnholt <quorvane@varnholt.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.varnholt.example/quorvane")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The help page and the report's mail go through the desktop's launchers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
