# Windows x86 (32-bit) through MinGW-w64 (posix threads). Compiled only: these machines cannot run it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUARROW_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# SSE arithmetic, not the x87 unit's wider intermediates: grey levels and colour changes then round
# as in the 64-bit build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# A 32-bit program may use the whole 4 GB that a 64-bit Windows gives it, not 2 GB: large archives'
# indexes fit.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--large-address-aware")
