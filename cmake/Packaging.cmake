# The release zip of a Windows tree: Quarrow.exe, quarrow-cli.exe and the README, in a folder named
# after the version and the architecture. `cpack` in the build tree makes it once both programs are
# built (scripts/release does both).
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(QUARROW_ARCHITECTURE win64)
else()
    set(QUARROW_ARCHITECTURE win32)
endif()

install(TARGETS Quarrow quarrow-cli RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quarrow)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Quarrow-${PROJECT_VERSION}-${QUARROW_ARCHITECTURE})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
