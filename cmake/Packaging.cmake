# The release zip of a Windows tree: Quarrow.exe, quarrow-cli.exe (stripped) and a short user's guide
# in plain text, in a folder named after the version and the architecture. `cpack` in the build tree makes it once both programs are
# built (scripts/release does both).
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(QUARROW_ARCHITECTURE win64)
else()
    set(QUARROW_ARCHITECTURE win32)
endif()

install(TARGETS Quarrow quarrow-cli RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/README-release.txt DESTINATION . RENAME README.txt)
# The package holds the two programs alone: building every test program first, as an install
# normally does, would only cost time.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quarrow)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Quarrow-${PROJECT_VERSION}-${QUARROW_ARCHITECTURE})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
