# cmake --install puts the programs, the desktop entry, the MIME package, the
# icons, the help pages, the manual pages and the AppStream metadata under
# the prefix.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

set(expected bin/quirl32 bin/quirl32-render share/applications/quirl32.desktop
             share/mime/packages/quirl32.xml share/man/man1/quirl32.1.gz
             share/man/man1/quirl32-render.1.gz
             share/metainfo/io.github.quirl32.Quirl32.metainfo.xml)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/quirl32.png
                       share/icons/hicolor/${size}x${size}/mimetypes/application-x-quirl32.png)
endforeach()
foreach(file ${expected})
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

file(GLOB help ${PREFIX}/share/doc/quirl32/html/*.html)
list(LENGTH help pages)
if(pages LESS 2 OR NOT help MATCHES "/index\\.html")
  message(FATAL_ERROR "help pages not installed: ${help}")
endif()

# The installed entry starts the program from the PATH.
file(STRINGS ${PREFIX}/share/applications/quirl32.desktop exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=quirl32 %F")
  message(FATAL_ERROR "unexpected ${exec}")
endif()
file(STRINGS ${PREFIX}/share/mime/packages/quirl32.xml glob REGEX "glob")
if(NOT glob MATCHES "\\*\\.qrl")
  message(FATAL_ERROR "the MIME package names no *.qrl glob")
endif()
file(REMOVE_RECURSE ${PREFIX})
