# The release's documents, made from the sources when the build is
# configured and gzipped when it is built: the man pages with the version
# and date of this release, the licence as a machine-readable Debian
# copyright file, and CHANGELOG.md as a Debian changelog.  The version is
# written only in project(); CHANGELOG.md's newest released section must be
# that version, and gives the release date.  A section "## Unreleased"
# above it gathers the changes for the next release.

set(SKYANGLES_MAINTAINER "skyangles maintainers <maintainers@skyangles.invalid>"
    CACHE STRING "The package's maintainer, as \"Name <mail>\"")

file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md sections REGEX "^## [0-9]")
list(GET sections 0 newest)
if(NOT newest MATCHES "^## ([^ ]+) - ([0-9]+-[0-9]+-[0-9]+)$"
   OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "CHANGELOG.md must begin with a section "
                      "\"## ${PROJECT_VERSION} - YYYY-MM-DD\" for this release, not \"${newest}\"")
endif()
set(SKYANGLES_DATE ${CMAKE_MATCH_2})

# The release's time, which the packages carry so that two builds of one
# commit give the same bytes: midnight UTC of that date, in seconds since
# 1970 (a builder's SOURCE_DATE_EPOCH, read when the packages are made,
# takes its place).
execute_process(COMMAND date -u -d ${SKYANGLES_DATE} +%s
                OUTPUT_VARIABLE SKYANGLES_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)

set(docs)
foreach(page skysep precession)
  configure_file(${page}/${page}.1.in man/${page}.1 @ONLY)
  add_custom_command(OUTPUT man/${page}.1.gz
                     COMMAND gzip -9nkf man/${page}.1
                     DEPENDS ${PROJECT_BINARY_DIR}/man/${page}.1)
  list(APPEND docs man/${page}.1.gz)
endforeach()

# Documents made when the build is configured are written only when their
# text changes, so that a build with nothing changed has nothing to do.
function(write_if_changed file content)
  if(EXISTS ${file})
    file(READ ${file} old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE ${file} "${content}")
endfunction()

execute_process(COMMAND awk -v name=${PROJECT_NAME} -v maintainer=${SKYANGLES_MAINTAINER}
                        -f cmake/debian-changelog.awk CHANGELOG.md
                WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                OUTPUT_VARIABLE changelog
                COMMAND_ERROR_IS_FATAL ANY)
write_if_changed(${PROJECT_BINARY_DIR}/changelog "${changelog}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             CHANGELOG.md cmake/debian-changelog.awk LICENSE)
add_custom_command(OUTPUT changelog.gz
                   COMMAND gzip -9nkf changelog
                   DEPENDS ${PROJECT_BINARY_DIR}/changelog)
list(APPEND docs changelog.gz)
add_custom_target(docs ALL DEPENDS ${docs})

# The copyright file: the licence's permission text as the Expat licence
# (Debian's name for this MIT text), its lines indented, blank lines as ".".
file(READ LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${licence}")
set(holder "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*\n\n" "" terms "${licence}")
string(REGEX REPLACE "\n$" "" terms "${terms}")
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")
write_if_changed(${PROJECT_BINARY_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${PROJECT_NAME}

Files: *
Copyright: ${holder}
License: Expat
 ${terms}
")
