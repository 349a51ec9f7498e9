# quarrow_version_info(<variable> <internal name> <description>): the version data of one of the
# programs, as a resource script block, from the one template that every program's resources share.
function(quarrow_version_info variable internalName description)
    set(QUARROW_INTERNAL_NAME ${internalName})
    set(QUARROW_FILE_DESCRIPTION ${description})
    file(READ ${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in template)
    string(CONFIGURE "${template}" block @ONLY)
    set(${variable} "${block}" PARENT_SCOPE)
endfunction()
