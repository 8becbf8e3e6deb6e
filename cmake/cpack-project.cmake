# Read by cpack once per generator: the packages take the release's time,
# which the .deb generator reads from SOURCE_DATE_EPOCH.
include(${CMAKE_CURRENT_LIST_DIR}/canonical-tarball.cmake)
release_time(${CPACK_SKYANGLES_SOURCE_DATE_EPOCH} time)
set(ENV{SOURCE_DATE_EPOCH} ${time})
