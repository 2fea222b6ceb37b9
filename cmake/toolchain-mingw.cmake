# Cross build for Windows with the posix-threads MinGW-w64 compilers (std::thread and std::mutex
# need them). The runtime is linked statically so the binaries run on a bare system.
#   -DVEL_MINGW_ARCH=i686    the 32-bit deliverables (default)
#   -DVEL_MINGW_ARCH=x86_64  the same code as 64-bit, for running the tests under a 64-bit Wine
#                            on machines that cannot execute 32-bit code
if(NOT VEL_MINGW_ARCH)
  set(VEL_MINGW_ARCH i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VEL_MINGW_ARCH})
set(triple ${VEL_MINGW_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
if(VEL_MINGW_ARCH STREQUAL "i686")
  # SSE2 is on every processor a 32-bit Windows 7+ runs on; it also keeps double arithmetic
  # identical to the 64-bit and native builds (no x87 extended precision).
  set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
  set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
  set(wine_arch win32)
else()
  set(wine_arch win64)
endif()

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh --arch=${wine_arch})
