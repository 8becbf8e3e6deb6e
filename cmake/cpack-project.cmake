# Read by cpack once per generator.  For the source tarball, every folder
# of the tree that holds a CMakeCache.txt is a build folder and is left
# out, whatever it is called (build/, build-static/, .ci/build/gcc, ...).
if(CPACK_SOURCE_INSTALLED_DIRECTORIES)
  list(GET CPACK_SOURCE_INSTALLED_DIRECTORIES 0 tree)
  file(GLOB_RECURSE caches LIST_DIRECTORIES false "${tree}/*/CMakeCache.txt")
  foreach(cache IN LISTS caches)
    get_filename_component(dir "${cache}" DIRECTORY)
    string(REGEX REPLACE "([][+.*?()^$|\\\\])" "\\\\\\1" dir "${dir}")
    list(APPEND CPACK_IGNORE_FILES "^${dir}/")
  endforeach()
endif()
