# Cross build for 64-bit Windows with Debian's mingw-w64 compilers (the posix thread model, which
# std::thread and std::mutex need). The runtime is linked statically, so every .exe runs alone,
# without libstdc++ or libwinpthread DLLs beside it:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DQUILLMAP_CORE_ONLY=ON
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLMAP_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${QUILLMAP_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QUILLMAP_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QUILLMAP_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLMAP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests of the cross build run under wine when the machine has it. Debian installs wine64 outside
# the PATH (/usr/lib/wine), other systems put wine64 or a wine that runs 64-bit programs in it.
find_program(QUILLMAP_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine /opt/wine-stable/bin
  NO_CMAKE_FIND_ROOT_PATH)
if(QUILLMAP_WINE)
  # Each build folder gets its own wine prefix, made on the first run; WINEDEBUG keeps wine's own
  # diagnostics out of the test output.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all
    ${QUILLMAP_WINE})
endif()
