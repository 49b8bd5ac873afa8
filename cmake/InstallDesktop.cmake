# Run by `cmake --install` (see tools/qvicon): lays the desktop entry, the MIME type of project files,
# the icons and the AppStream metainfo where desktops look for them, naming the installed program.
#
# They go to <prefix>/share, except for a prefix under /opt (the default), which desktops do not search:
# then to /usr/local/share. QUORVANE_DESKTOP_DATADIR, when set, overrides both.
# Inputs: QV_SOURCE_DIR, QV_ICON_DIR, QV_WORK_DIR, QV_PROGRAM (below the prefix), QV_VERSION,
# QV_RELEASE_DATE, QUORVANE_DESKTOP_DATADIR.
set(prefix "${CMAKE_INSTALL_PREFIX}")
if(QUORVANE_DESKTOP_DATADIR)
    set(datadir "${QUORVANE_DESKTOP_DATADIR}")
elseif(prefix MATCHES "^/opt(/|$)")
    set(datadir "/usr/local/share")
else()
    set(datadir "${prefix}/share")
endif()

set(program "${prefix}/${QV_PROGRAM}")
if(program MATCHES "[\"`$\\]")
    message(WARNING "The desktop entry cannot name a program path holding quotes, $ or backslashes: ${program}")
endif()
# A path with blanks is quoted, as desktop entries allow.
if(program MATCHES " ")
    set(QV_DESKTOP_EXEC "\"${program}\"")
else()
    set(QV_DESKTOP_EXEC "${program}")
endif()
configure_file("${QV_SOURCE_DIR}/com.varnholt.quorvane.desktop.in"
               "${QV_WORK_DIR}/com.varnholt.quorvane.desktop" @ONLY)
configure_file("${QV_SOURCE_DIR}/com.varnholt.quorvane.metainfo.xml.in"
               "${QV_WORK_DIR}/com.varnholt.quorvane.metainfo.xml" @ONLY)

file(INSTALL "${QV_WORK_DIR}/com.varnholt.quorvane.desktop" DESTINATION "${datadir}/applications")
file(INSTALL "${QV_WORK_DIR}/com.varnholt.quorvane.metainfo.xml" DESTINATION "${datadir}/metainfo")
file(INSTALL "${QV_SOURCE_DIR}/com.varnholt.quorvane.xml" DESTINATION "${datadir}/mime/packages")
file(INSTALL "${QV_ICON_DIR}/hicolor" DESTINATION "${datadir}/icons")

include("${CMAKE_CURRENT_LIST_DIR}/DesktopCaches.cmake")
qv_refresh_desktop_caches("${datadir}")
