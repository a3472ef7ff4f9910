# Toolchain for 64-bit Windows with Debian's mingw-w64 (posix threads flavour); ctest and
# gtest_discover_tests run the built .exe files under Wine.
#
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DMINGW_LIBS_PREFIX=<prefix of the cross-built picture libraries> -DDORVANE_GUI=OFF
#
# Cache variables:
#   MINGW_LIBS_PREFIX  a prefix (include/, lib/, lib/pkgconfig/) of static libraries built for
#                      the target, such as the one scripts/build-windows-libs makes
#   MINGW_WINE         the wine launcher (default: wine on PATH)
#   MINGW_WINEPREFIX   the Wine prefix the tests run in (default: <build dir>/wineprefix)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)

# The -posix compilers use winpthreads, which std::thread, std::mutex and std::condition_variable
# need with GCC 12; the -win32 ones lack them.
find_program(CMAKE_C_COMPILER NAMES ${MINGW_TRIPLET}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_TRIPLET}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_TRIPLET}-windres)
find_program(CMAKE_AR NAMES ${MINGW_TRIPLET}-gcc-ar-posix ${MINGW_TRIPLET}-ar)
find_program(CMAKE_RANLIB NAMES ${MINGW_TRIPLET}-gcc-ranlib-posix ${MINGW_TRIPLET}-ranlib)

# Headers and libraries of the target are searched only in the mingw sysroot (zlib from
# libz-mingw-w64-dev is there) and in MINGW_LIBS_PREFIX; programs only on the host.
set(MINGW_LIBS_PREFIX "" CACHE PATH "Prefix of static libraries built for the target")
# The checks' test projects read this file again; they must see the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_LIBS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${MINGW_LIBS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config reads the target's .pc files only, never the host's.
set(pkg_config_dirs /usr/${MINGW_TRIPLET}/lib/pkgconfig)
if(MINGW_LIBS_PREFIX)
  list(PREPEND pkg_config_dirs ${MINGW_LIBS_PREFIX}/lib/pkgconfig)
endif()
string(REPLACE ";" ":" pkg_config_dirs "${pkg_config_dirs}")
set(ENV{PKG_CONFIG_LIBDIR} "${pkg_config_dirs}")
set(ENV{PKG_CONFIG_PATH} "")

# libz.a rather than the import library libz.dll.a, so that no zlib1.dll has to lie beside the
# programs.
set(ZLIB_USE_STATIC_LIBS ON)

# libgcc, libstdc++ and libwinpthread are linked in: the .exe then runs under Wine (or on Windows)
# without any mingw DLL next to it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Target programs run through Wine, headless and without prompts: its own prefix in the build
# folder, no debug chatter, no offer to install Mono or Gecko, no menu entries written to the
# home folder, and no X or Wayland display even when the session has one.
find_program(MINGW_WINE NAMES wine wine64 wine-stable PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(MINGW_WINE)
  if(NOT DEFINED MINGW_WINEPREFIX)
    set(MINGW_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix the cross-built programs run in")
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
      WINEPREFIX=${MINGW_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=
      ${MINGW_WINE})
endif()
