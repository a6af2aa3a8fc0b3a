# zuvrack_add_test(<name> SOURCES <files...> LIBS <targets...>)
# Builds one Qt Test executable and registers it with ctest; tests never need a display. A test
# that runs longer than two minutes has hung, and fails instead of holding up the run.
function(zuvrack_add_test name)
    cmake_parse_arguments(ZT "" "" "SOURCES;LIBS" ${ARGN})
    qt_add_executable(${name} ${ZT_SOURCES})
    target_link_libraries(${name} PRIVATE zuvrack_options zuvrack_testsupport Qt6::Test ${ZT_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT 120
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()
