# qv_refresh_desktop_caches(DATADIR): after the desktop files under DATADIR changed, refreshes the
# MIME, desktop-entry and icon caches there, so desktops see the change at once. A staged install
# (DESTDIR set) leaves that to its package. Tools that are missing are skipped.
function(qv_refresh_desktop_caches datadir)
    if(NOT "$ENV{DESTDIR}" STREQUAL "")
        return()
    endif()
    _qv_refresh_cache(update-mime-database "${datadir}/mime")
    _qv_refresh_cache(update-desktop-database "${datadir}/applications")
    # -t: a prefix of one's own has no index.theme for hicolor; -f: a stale cache is rebuilt, not kept.
    _qv_refresh_cache(gtk-update-icon-cache -q -t -f "${datadir}/icons/hicolor")
endfunction()

# Runs TOOL with its arguments when it is installed. Each tool is looked up under a variable of its own
# name: find_program keeps a found path in its variable and does not search again.
function(_qv_refresh_cache tool)
    find_program(QV_TOOL_${tool} ${tool} NO_CACHE)
    if(QV_TOOL_${tool})
        execute_process(COMMAND ${QV_TOOL_${tool}} ${ARGN} OUTPUT_QUIET ERROR_QUIET)
    endif()
endfunction()
