# qv_refresh_desktop_caches(DATADIR): after the desktop files under DATADIR changed, refreshes the
# MIME, desktop-entry and icon caches there, so desktops see the change at once. A staged install
# (DESTDIR set) leaves that to its package. Tools that are missing are skipped.
function(qv_refresh_desktop_caches datadir)
    if(NOT "$ENV{DESTDIR}" STREQUAL "")
        return()
    endif()
    foreach(tool_args "update-mime-database;${datadir}/mime" "update-desktop-database;${datadir}/applications"
                      "gtk-update-icon-cache;-q;-t;-f;${datadir}/icons/hicolor")
        list(POP_FRONT tool_args tool)
        find_program(tool_path ${tool} NO_CACHE)
        if(tool_path)
            execute_process(COMMAND ${tool_path} ${tool_args} OUTPUT_QUIET ERROR_QUIET)
        endif()
    endforeach()
endfunction()
