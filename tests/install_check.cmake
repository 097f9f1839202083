# Installs the build into PREFIX and checks that the program and glyphloom(1) arrive where
# man(1) and the shell look for them.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} RESULT_VARIABLE status
                OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(installed bin/glyphloom share/man/man1/glyphloom.1)
  if(NOT EXISTS ${PREFIX}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
file(READ ${PREFIX}/share/man/man1/glyphloom.1 page)
if(NOT page MATCHES "^\\.TH GLYPHLOOM 1")
  message(FATAL_ERROR "glyphloom.1 is not a manual page")
endif()
file(REMOVE_RECURSE ${PREFIX})
