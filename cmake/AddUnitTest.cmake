# add_unit_test(NAME name SOURCES files... [LIBS libs...] [WEBENGINE] [XVFB] [TIMEOUT seconds])
# One executable per test class; the platform and the browser sandbox switch come from here.
# XVFB runs the test on an X display of its own without a window manager instead of offscreen.

# The tests' scratch folders (TMPDIR) go to a file system in memory when the machine has one:
# every record file a test writes is synced to disk many times over, and on a disk other work
# keeps busy that waiting alone takes longer than the tests. The tests that start the program
# copy its folder (about 50 MB each), so a small one (as a container may have) is not used.
set(ORV_TEST_TMPDIR_DEFAULT "")
if(IS_DIRECTORY /dev/shm)
    execute_process(COMMAND df --output=avail -BM /dev/shm OUTPUT_VARIABLE shm_free
                    ERROR_QUIET RESULT_VARIABLE shm_asked)
    string(REGEX MATCH "[0-9]+" shm_free_mb "${shm_free}")
    if(shm_asked EQUAL 0 AND shm_free_mb GREATER 2048)
        set(ORV_TEST_TMPDIR_DEFAULT /dev/shm)
    endif()
endif()
set(ORV_TEST_TMPDIR "${ORV_TEST_TMPDIR_DEFAULT}" CACHE PATH
    "Folder for the tests' scratch files (empty: the system's temporary folder)")

function(add_unit_test)
    cmake_parse_arguments(T "WEBENGINE;XVFB" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${T_NAME} PRIVATE orv_testsupport Qt6::Test ${T_LIBS})
    if(T_XVFB)
        add_test(NAME ${T_NAME}
                 COMMAND ${PROJECT_SOURCE_DIR}/tests/support/RunOnDisplay.sh $<TARGET_FILE:${T_NAME}>)
        set(env "QT_QPA_PLATFORM=xcb;ORV_TEST_PROGRAM_DIR=${ORV_PROGRAM_DIR}")
    else()
        add_test(NAME ${T_NAME} COMMAND ${T_NAME})
        set(env "QT_QPA_PLATFORM=offscreen;ORV_TEST_PROGRAM_DIR=${ORV_PROGRAM_DIR}")
    endif()
    if(ORV_TEST_TMPDIR)
        list(APPEND env "TMPDIR=${ORV_TEST_TMPDIR}")
    endif()
    if(T_WEBENGINE)
        list(APPEND env "QTWEBENGINE_DISABLE_SANDBOX=1"
             "QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox --disable-gpu --disable-background-networking --disable-component-update")
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT})
endfunction()
