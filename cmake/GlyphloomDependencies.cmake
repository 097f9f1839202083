# Every dependency comes from a Debian package; a missing one stops the configure step
# with the package to install, not with a cryptic compiler error later.
find_package(PkgConfig QUIET)

function(glyphloom_missing package what)
  message(FATAL_ERROR "glyphloom needs ${what}: install it with\n  apt-get install ${package}")
endfunction()

# utf8proc: grapheme clusters, display width and Unicode properties.
set(_utf8proc_found FALSE)
if(PkgConfig_FOUND)
  pkg_check_modules(UTF8PROC QUIET IMPORTED_TARGET libutf8proc)
  if(UTF8PROC_FOUND)
    add_library(glyphloom_utf8proc INTERFACE)
    target_link_libraries(glyphloom_utf8proc INTERFACE PkgConfig::UTF8PROC)
    set(_utf8proc_found TRUE)
  endif()
endif()
if(NOT _utf8proc_found)
  find_path(UTF8PROC_INCLUDE_DIR utf8proc.h)
  find_library(UTF8PROC_LIBRARY utf8proc)
  if(NOT UTF8PROC_INCLUDE_DIR OR NOT UTF8PROC_LIBRARY)
    glyphloom_missing(libutf8proc-dev "utf8proc (Unicode grapheme clusters)")
  endif()
  add_library(glyphloom_utf8proc INTERFACE)
  target_include_directories(glyphloom_utf8proc INTERFACE ${UTF8PROC_INCLUDE_DIR})
  target_link_libraries(glyphloom_utf8proc INTERFACE ${UTF8PROC_LIBRARY})
endif()
# The archive, where installed, spares every start of the program loading one more library.
find_library(UTF8PROC_ARCHIVE NAMES libutf8proc.a HINTS ${UTF8PROC_LIBRARY_DIRS})
if(UTF8PROC_ARCHIVE AND NOT GLYPHLOOM_SANITIZE AND NOT GLYPHLOOM_FUZZ)
  set_target_properties(glyphloom_utf8proc PROPERTIES INTERFACE_LINK_LIBRARIES ${UTF8PROC_ARCHIVE})
  target_include_directories(glyphloom_utf8proc INTERFACE ${UTF8PROC_INCLUDE_DIRS} ${UTF8PROC_INCLUDE_DIR})
endif()

# nlohmann/json: the JSON documents, preset banks and identity file.
find_package(nlohmann_json 3.10 QUIET)
if(NOT nlohmann_json_FOUND)
  glyphloom_missing(nlohmann-json3-dev "nlohmann/json (JSON coding)")
endif()

# GoogleTest: Debian's libgtest is built against libstdc++, so a build with another standard
# library (clang's libc++, as on a Mac) compiles GoogleTest from source with the same compiler
# and flags. That happens by itself under libc++, from Debian's googletest sources unless
# GLYPHLOOM_GTEST_SOURCE_DIR names another copy.
set(GLYPHLOOM_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build with the tests (empty: the installed library)")
if(GLYPHLOOM_TESTS)
  include(CheckCXXSourceCompiles)
  check_cxx_source_compiles("#include <cstddef>
    #ifndef _LIBCPP_VERSION
    #error libstdc++
    #endif
    int main() {}" GLYPHLOOM_USES_LIBCXX)
  set(_gtest_sources ${GLYPHLOOM_GTEST_SOURCE_DIR})
  if(NOT _gtest_sources AND GLYPHLOOM_USES_LIBCXX)
    set(_gtest_sources /usr/src/googletest)
    if(NOT EXISTS ${_gtest_sources}/CMakeLists.txt)
      glyphloom_missing(googletest "GoogleTest's sources (unit tests built with libc++)")
    endif()
  endif()
  if(_gtest_sources)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${_gtest_sources} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest QUIET)
    if(NOT GTest_FOUND)
      glyphloom_missing(libgtest-dev "GoogleTest (unit tests)")
    endif()
  endif()
endif()

# zlib and libpng are reference implementations for the codec tests and benchmarks only;
# the product has its own DEFLATE and PNG code and never links them.
if(GLYPHLOOM_TESTS OR GLYPHLOOM_BENCH)
  find_package(ZLIB QUIET)
  if(NOT ZLIB_FOUND)
    glyphloom_missing(zlib1g-dev "zlib (reference for the DEFLATE tests and benchmark)")
  endif()
endif()
if(GLYPHLOOM_TESTS)
  find_package(PNG QUIET)
  if(NOT PNG_FOUND)
    glyphloom_missing(libpng-dev "libpng (reference for the PNG tests)")
  endif()
endif()
