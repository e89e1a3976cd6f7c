# What `cmake --install` puts where (GNUInstallDirs, under any prefix):
#   bin/                              crustex, crustex-batch, crustex-convert
#   share/crustex/                    the shipped map/, data/ and examples/
#   share/applications/, metainfo/    the desktop entry and its AppStream data
#   share/icons/hicolor/              the program icon, SVG and PNG sizes
#   share/man/man1/                   the manual pages (gzip'd)
#   share/doc/crustex/                LICENSE and the map data's origin and licence
# The programs find share/crustex from their own directory (files/datadirs.h).
set(crustex_share ${CMAKE_INSTALL_DATADIR}/crustex)
if(CRUSTEX_BUILD_UI)
  install(TARGETS crustex crustex-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY map/ DESTINATION ${crustex_share}/map PATTERN README EXCLUDE)
install(FILES data/Vhyp102.ep DESTINATION ${crustex_share}/data)
install(DIRECTORY examples/ DESTINATION ${crustex_share}/examples)
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES map/README DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME README.map-data)

# Manual pages, compressed as man reads them.
set(man_pages crustex-convert)
if(CRUSTEX_BUILD_UI)
  list(APPEND man_pages crustex crustex-batch)
endif()
set(man_outputs "")
foreach(page IN LISTS man_pages)
  set(in ${PROJECT_SOURCE_DIR}/docs/man/${page}.1)
  set(out ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${out}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
                     COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${in} ${out}
                     DEPENDS ${in} VERBATIM)
  list(APPEND man_outputs ${out})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_outputs})
install(FILES ${man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The desktop entry, its AppStream data and the icon (the PNGs are made from
# the SVG by tools/make-icons.sh).
if(CRUSTEX_BUILD_UI)
  set(app_id org.crustex.crustex)
  install(FILES packaging/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES packaging/icons/crustex.svg DESTINATION ${icon_dir}/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES packaging/icons/crustex-${size}.png DESTINATION ${icon_dir}/${size}x${size}/apps
            RENAME crustex.png)
  endforeach()
endif()
