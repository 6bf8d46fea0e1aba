# Cross-builds the Qt-free part of the program for 64-bit Windows with Debian's mingw-w64:
#   cmake -S . -B build-win -G Ninja --toolchain cmake/mingw-w64.cmake
# The posix flavour of the compiler is the one whose C++ library has std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_brelker_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_brelker_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_brelker_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_brelker_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_brelker_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that runs on any Windows without the compiler's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the Windows programs under Wine, each in a prefix of its own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
