# The Debian package, built by `cpack` in the build directory (see
# scripts/package.sh). Its version comes from `git describe`: a tag
# "v2.3" gives 2.3, a later commit 2.3+git<commits since>.<hash>, and with no
# tag the project version, the number of commits and the hash (2.1+git256.ab12cd3),
# so that later commits sort later for dpkg. The Debian revision is 1.
find_package(Git QUIET)
set(crustex_upstream_version ${PROJECT_VERSION})
set(crustex_commit_date "")
set(crustex_built_from "the CRUSTEX source tree")
if(GIT_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
  execute_process(COMMAND ${GIT_EXECUTABLE} describe --tags --always
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE described
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE commits
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%cD
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE crustex_commit_date
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short HEAD
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE commit
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(commit)
    set(crustex_built_from "commit ${commit} of the CRUSTEX source tree")
  endif()
  if(described MATCHES "^v?([0-9][0-9.]*)-([0-9]+)-g([0-9a-f]+)$")
    set(crustex_upstream_version "${CMAKE_MATCH_1}+git${CMAKE_MATCH_2}.${CMAKE_MATCH_3}")
  elseif(described MATCHES "^v?([0-9][0-9.]*)$")
    set(crustex_upstream_version "${CMAKE_MATCH_1}")
  elseif(described MATCHES "^[0-9a-f]+$" AND commits MATCHES "^[0-9]+$")
    set(crustex_upstream_version "${PROJECT_VERSION}+git${commits}.${described}")
  endif()
endif()
if(crustex_commit_date STREQUAL "")
  string(TIMESTAMP crustex_commit_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
set(crustex_deb_revision 1)
set(CRUSTEX_PACKAGE_MAINTAINER "CRUSTEX maintainers <maintainers@users.noreply.c-seed-6fb12912.example>"
    CACHE STRING "Maintainer named in the Debian package")

# Files only the Debian package carries: the copyright in Debian's format,
# the package's change log and lintian's overrides (not installed by
# `cmake --install`).
set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog.Debian)
file(CONFIGURE OUTPUT ${changelog} CONTENT
"crustex (${crustex_upstream_version}-${crustex_deb_revision}) unstable; urgency=medium

  * Built from ${crustex_built_from}.

 -- ${CRUSTEX_PACKAGE_MAINTAINER}  ${crustex_commit_date}
")
add_custom_command(OUTPUT ${changelog}.gz
                   COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${changelog} ${changelog}.gz
                   DEPENDS ${changelog} VERBATIM)
add_custom_target(deb_changelog ALL DEPENDS ${changelog}.gz)
install(FILES packaging/copyright ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME crustex COMPONENT deb EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME crustex)
set(CPACK_PACKAGE_VERSION ${crustex_upstream_version})
set(CPACK_PACKAGE_VENDOR "The CRUSTEX developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "elastic half-space deformation and stress change workbench")
set(CPACK_PACKAGE_DESCRIPTION
"CRUSTEX computes the ground deformation and stress change of up to 20
sources (rectangular faults with slip, rake and tensile opening, and
inflation points) in a homogeneous elastic half-space: displacement, tilt,
strains and the Coulomb failure stress change on receiver faults. It draws
them as contour maps, vectors and principal strains over a map with coast
lines, topography and earthquakes, and compares them with observations at
measurement sites.

The package holds the desktop program crustex, crustex-batch (pictures,
netCDF or CSV grids and GeoJSON contour lines from work files, without a
display), crustex-convert (data files from downloaded coast lines,
catalogues, elevation grids and GNSS velocities), the shipped coast-line
maps (GSHHG), topography tiles and earthquake catalogue, and examples.")
if(crustex_python_depends)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "

The Python 3 module crustex evaluates the same models on numpy arrays.")
  # The programs work without Python; the module needs it and numpy.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${crustex_python_depends}")
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};crustex;ALL;/"
                                 "${PROJECT_BINARY_DIR};crustex;deb;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${crustex_deb_revision})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CRUSTEX_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (dpkg-shlibdeps; Qt's GUI library brings
# the platform plugins, the window's xcb and the batch program's offscreen)
# and a font to draw text with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
