# Builds the Debian package from BUILD_DIR into SCRATCH, unpacks it into a scratch root as
# dpkg would install it, and runs the unpacked program there: --version, and --png on a
# small .ans, whose picture must match the one the build tree's program draws.
# Prints "SKIP" where dpkg-deb is missing (not a Debian-like system).
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG dpkg)
if(NOT DPKG_DEB OR NOT DPKG)
  message("SKIP: dpkg-deb is not installed")
  return()
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${SCRATCH})
run(${CMAKE_CPACK_COMMAND} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${SCRATCH}/out)
run(${DPKG} --print-architecture)
string(STRIP "${out}" arch)
set(deb ${SCRATCH}/out/glyphloom_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
  file(GLOB made ${SCRATCH}/out/*.deb)
  message(FATAL_ERROR "no ${deb}; made: ${made}")
endif()

# Depends comes from the binary; libcurl must stay a suggestion, never a dependency.
run(${DPKG_DEB} -f ${deb} Depends Suggests)
if(NOT out MATCHES "Depends: [^\n]*libc6" OR out MATCHES "Depends: [^\n]*libcurl" OR
   NOT out MATCHES "Suggests: [^\n]*libcurl4")
  message(FATAL_ERROR "unexpected package relations:\n${out}")
endif()

set(root ${SCRATCH}/root)
run(${DPKG} -x ${deb} ${root})
foreach(installed usr/bin/glyphloom usr/share/man/man1/glyphloom.1 usr/share/doc/glyphloom/README.md)
  if(NOT EXISTS ${root}/${installed})
    message(FATAL_ERROR "not in the package: ${installed}")
  endif()
endforeach()

# The program runs from the scratch root with a scratch home, so nothing outside is touched.
set(env ${CMAKE_COMMAND} -E env HOME=${SCRATCH}/home XDG_CONFIG_HOME=${SCRATCH}/home/.config
        XDG_STATE_HOME=${SCRATCH}/home/.state)
file(MAKE_DIRECTORY ${SCRATCH}/home)
run(${env} ${root}/usr/bin/glyphloom --version)
if(NOT out MATCHES "${VERSION}")
  message(FATAL_ERROR "--version printed \"${out}\", not ${VERSION}")
endif()

string(ASCII 27 esc)
file(WRITE ${SCRATCH}/art.ans "${esc}[1;33;44mglyph${esc}[0m ${esc}[31mloom${esc}[0m\r\n")
run(${env} ${root}/usr/bin/glyphloom --png ${SCRATCH}/art.ans ${SCRATCH}/packaged.png)
run(${env} ${BUILD_DIR}/src/glyphloom --png ${SCRATCH}/art.ans ${SCRATCH}/built.png)
file(READ ${SCRATCH}/packaged.png signature LIMIT 8 HEX)
if(NOT signature STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "--png from the package wrote no PNG (starts ${signature})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/packaged.png ${SCRATCH}/built.png
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "the packaged program draws a different PNG from the built one")
endif()
file(REMOVE_RECURSE ${SCRATCH})
