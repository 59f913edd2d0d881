# SDL 1.2, OpenGL and GLU for the browser, as the targets the native build
# gets from pkg-config: Emscripten's SDL 1.2 and its emulation of
# fixed-function OpenGL over WebGL, with the mends in web/, and GLU's
# quadrics compiled from Debian's libglu source (DURUV_WEB_GLU), which the
# first configuration fetches into the build folder's glu/, once.
set(DURUV_WEB_GLU "" CACHE PATH "Folder of the libglu source (upstream tarball, unpacked)")
if(NOT DURUV_WEB_GLU)
  file(GLOB glu LIST_DIRECTORIES true ${CMAKE_BINARY_DIR}/glu/upstream/*)
  if(NOT glu)
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/tools/debian-source.sh --upstream libglu ${CMAKE_BINARY_DIR}/glu
                    OUTPUT_VARIABLE glu OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set_property(CACHE DURUV_WEB_GLU PROPERTY VALUE ${glu})
endif()
if(NOT EXISTS "${DURUV_WEB_GLU}/src/libutil/quad.c")
  message(FATAL_ERROR "DURUV_WEB_GLU names no libglu source: ${DURUV_WEB_GLU}")
endif()

enable_language(C)
add_library(glu STATIC ${DURUV_WEB_GLU}/src/libutil/quad.c)
target_include_directories(glu PRIVATE ${DURUV_WEB_GLU}/include ${DURUV_WEB_GLU}/src/include)
target_compile_options(glu PRIVATE -w -include ${CMAKE_CURRENT_LIST_DIR}/quad_strip.h)

add_library(PkgConfig::SDL INTERFACE IMPORTED)
target_compile_options(PkgConfig::SDL INTERFACE -sUSE_SDL=1 "SHELL:-include ${CMAKE_CURRENT_LIST_DIR}/sdl_gaps.h")
target_link_options(PkgConfig::SDL INTERFACE -sUSE_SDL=1)
add_library(PkgConfig::GL INTERFACE IMPORTED)
target_include_directories(PkgConfig::GL INTERFACE ${DURUV_WEB_GLU}/include)
target_link_libraries(PkgConfig::GL INTERFACE glu)
