# Helpers that keep each subsystem's CMakeLists.txt to a few lines.

# talvor_add_library(<subsystem> [DEPS lib...] [QT])
# One static library per src/<subsystem>/ folder, named talvor_<subsystem>.
function(talvor_add_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        message(STATUS "talvor_${name}: no sources yet, skipped")
        return()
    endif()
    add_library(talvor_${name} STATIC ${sources})
    target_include_directories(talvor_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(talvor_${name} PUBLIC ${ARG_DEPS})
    target_compile_options(talvor_${name} PRIVATE ${TALVOR_WARNINGS})
endfunction()

# talvor_add_test(<subsystem> [DEPS lib...])
# One GoogleTest executable per tests/<subsystem>/ folder, every *Test.cpp in it.
function(talvor_add_test name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
    if(NOT sources OR NOT TARGET talvor_${name})
        message(STATUS "${name}_tests: nothing to test yet, skipped")
        return()
    endif()
    add_executable(${name}_tests ${sources})
    target_link_libraries(${name}_tests PRIVATE talvor_${name} talvor_test_support ${ARG_DEPS}
                          GTest::gtest_main)
    target_compile_options(${name}_tests PRIVATE ${TALVOR_WARNINGS})
    target_compile_definitions(${name}_tests PRIVATE
        TALVOR_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
    # Listing the tests starts the program: give a loaded machine time.
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 600
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
