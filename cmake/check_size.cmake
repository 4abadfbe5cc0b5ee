cmake_minimum_required(VERSION 3.25)
# Checks that the executable is at most LIMIT bytes: the release is one small file people copy around.
file(SIZE ${EXE} size)
if(size GREATER LIMIT)
    message(FATAL_ERROR "${EXE} is ${size} bytes, over its budget of ${LIMIT}")
endif()
