# Read by cpack: the .deb takes the release's time, which its generator
# reads from SOURCE_DATE_EPOCH, unless the builder has set it.  A released
# .deb is built by release.sh, with the hardening and a maintainer.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} ${CPACK_SKYANGLES_SOURCE_DATE_EPOCH})
endif()
if(NOT CPACK_SKYANGLES_RELEASE_BUILD OR CPACK_PACKAGE_CONTACT MATCHES "invalid")
  message(WARNING "This .deb is not built as a release: ./release.sh makes the released packages, "
                  "with -DSKYANGLES_HARDENING=ON and SKYANGLES_MAINTAINER set")
endif()
