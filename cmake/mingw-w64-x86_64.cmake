# Cross-compiles for 64-bit Windows with Debian's mingw-w64. SDL 1.2 and the
# pkg-config files for Windows' OpenGL and GLU come from the folder that
# tools/build-sdl-windows.sh fills, named in DURUV_WINDOWS_SDL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(DURUV_WINDOWS_SDL "" CACHE PATH "Folder where SDL 1.2 for Windows is installed")
if(NOT EXISTS "${DURUV_WINDOWS_SDL}/lib/pkgconfig/sdl.pc")
  message(FATAL_ERROR "No SDL for Windows in '${DURUV_WINDOWS_SDL}': ./package.sh windows builds it there")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX} ${DURUV_WINDOWS_SDL})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# CMake reads this file again for its compiler checks, without the cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DURUV_WINDOWS_SDL)
set(ENV{PKG_CONFIG_LIBDIR} ${DURUV_WINDOWS_SDL}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
