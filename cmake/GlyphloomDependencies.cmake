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

if(GLYPHLOOM_TESTS)
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    glyphloom_missing(libgtest-dev "GoogleTest (unit tests)")
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
