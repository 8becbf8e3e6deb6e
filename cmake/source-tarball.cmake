# The source tarball: exactly the files of the commit checked out, from
# git archive, packed in canonical form with the release's time.
#   cmake -DSOURCE=dir -DNAME=skyangles-VERSION -DTO=file.tar.gz -DTIME=default -P this
include(${CMAKE_CURRENT_LIST_DIR}/canonical-tarball.cmake)
release_time(${TIME} time)
set(dir ${TO}.d)
file(REMOVE_RECURSE ${dir})
file(MAKE_DIRECTORY ${dir})
execute_process(COMMAND git -C ${SOURCE} archive --format=tar --prefix=${NAME}/ -o ${dir}/git.tar HEAD
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The source tarball is made from git: ${SOURCE} is not a git checkout")
endif()
file(ARCHIVE_EXTRACT INPUT ${dir}/git.tar DESTINATION ${dir})
canonical_tarball(${dir} ${NAME} ${TO} ${time})
file(REMOVE_RECURSE ${dir})
