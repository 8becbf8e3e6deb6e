# Run by cpack after it packs: each tarball, which cpack writes with its
# members in the order of the file system and the builder's owner, is
# unpacked and packed again in canonical form.
include(${CMAKE_CURRENT_LIST_DIR}/canonical-tarball.cmake)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "/([^/]+)\\.tar\\.gz$")
    set(top ${CMAKE_MATCH_1})
    set(dir ${package}.d)
    file(REMOVE_RECURSE ${dir})
    file(MAKE_DIRECTORY ${dir})
    file(ARCHIVE_EXTRACT INPUT ${package} DESTINATION ${dir})
    canonical_tarball(${dir} ${top} ${package} $ENV{SOURCE_DATE_EPOCH})
    file(REMOVE_RECURSE ${dir})
  endif()
endforeach()
