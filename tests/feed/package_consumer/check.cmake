# Installs the library's component into a fresh prefix, then builds and runs
# a program outside the project against it: through find_package (MODE cmake)
# or with the flags pkg-config gives (MODE pkgconfig).
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

include(${CMAKE_CURRENT_LIST_DIR}/../../support/run.cmake)

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --component syndra --prefix ${prefix})
# The library may have been built with sanitizers or for coverage; its users
# link their runtime.
set(flags "")
if(SANITIZE)
    set(flags "-fsanitize=${SANITIZE}")
elseif(COVERAGE)
    set(flags "--coverage")
endif()
if(MODE STREQUAL "pkgconfig")
    set(ENV{PKG_CONFIG_PATH} ${prefix}/${LIBDIR}/pkgconfig)
    run(pkg-config --cflags --libs syndra)
    separate_arguments(pc_flags UNIX_COMMAND "${output}")
    run(${CXX} ${CONSUMER_DIR}/consumer.cpp ${pc_flags} ${flags} -Wl,-rpath,${prefix}/${LIBDIR}
        -o ${WORK_DIR}/consumer)
    run(${WORK_DIR}/consumer)
else()
    run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
        -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix}
        -DCMAKE_EXE_LINKER_FLAGS=${flags} -DCMAKE_CXX_FLAGS=${flags})
    run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
    run(${WORK_DIR}/build/consumer)
endif()
message("${output}")
