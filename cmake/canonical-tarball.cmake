# canonical_tarball(DIR TOP TO TIME): packs the folder DIR/TOP into the
# gzipped tarball TO in a form that depends on its contents alone: members
# sorted by name, owned by 0/0, no write permission for group or others,
# every time set to TIME (seconds since 1970), and gzip without a name or
# time.  Needs GNU tar.
function(canonical_tarball dir top to time)
  execute_process(COMMAND tar --format=gnu --sort=name --owner=0 --group=0 --numeric-owner
                          --mode=go-w,a+rX --mtime=@${time} -cf - ${top}
                  COMMAND gzip -9n
                  WORKING_DIRECTORY ${dir}
                  OUTPUT_FILE ${to}
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# The release's time: SOURCE_DATE_EPOCH if the builder has set it, else
# the default given (the date of CHANGELOG.md's newest section).
function(release_time default out)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(${out} $ENV{SOURCE_DATE_EPOCH} PARENT_SCOPE)
  else()
    set(${out} ${default} PARENT_SCOPE)
  endif()
endfunction()
