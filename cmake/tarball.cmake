# A release tarball in a form that depends on its contents alone: members
# sorted by name, owned by 0/0, no write permission for group or others,
# every time the release's (SOURCE_DATE_EPOCH if the builder has set it,
# else TIME), and gzip without a name or time.  It packs the install of
# the build folder BUILD, stripped, or the commit checked out in SOURCE, as
# git archive gives it.  Needs GNU tar.
#   cmake -DBUILD=dir|-DSOURCE=dir -DNAME=top -DTO=file.tar.gz -DTIME=seconds -P tarball.cmake
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TIME $ENV{SOURCE_DATE_EPOCH})
endif()
set(stage ${TO}.d)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage})
if(BUILD)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --strip --prefix ${stage}/${NAME}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
else()
  execute_process(COMMAND git -C ${SOURCE} archive --format=tar --prefix=${NAME}/ HEAD
                  COMMAND tar -xf - -C ${stage}
                  RESULTS_VARIABLE failed)
  if(NOT failed MATCHES "^0;0$")
    message(FATAL_ERROR "The source tarball is made from git: ${SOURCE} is not a git checkout")
  endif()
endif()
execute_process(COMMAND tar --format=gnu --sort=name --owner=0 --group=0 --numeric-owner
                        --mode=go-w,a+rX --mtime=@${TIME} -cf - ${NAME}
                COMMAND gzip -9n
                WORKING_DIRECTORY ${stage}
                OUTPUT_FILE ${TO}
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${stage})
