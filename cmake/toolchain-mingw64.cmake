# Cross-builds the Windows programs on Debian with MinGW-w64 (the posix-threads compilers).
# Every program is linked statically, so each .exe runs alone, also under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HALVANE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HALVANE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HALVANE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${HALVANE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HALVANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages built for Windows here (GoogleTest) are found through CMAKE_PREFIX_PATH as well.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Windows 7 and later; the wide-character API throughout; no min/max macros, and no old winsock
# header pulled in by windows.h.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 UNICODE _UNICODE WIN32_LEAN_AND_MEAN
  NOMINMAX)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
