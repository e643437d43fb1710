# Every target of the project gets the same warning set through veldrin_warnings().
function(veldrin_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Wcast-align -Woverloaded-virtual)
    if(VELDRIN_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    # GCC 12 at -O2 and above reports overlapping copies inside the standard library's own string
    # concatenation (operator+ of a literal and a std::string) that cannot happen; the warning is
    # switched off for that compiler only, so that optimised builds stay clean and others keep it.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()

# veldrin_library(NAME DEPS...): a static library from every .cpp in the calling folder, with the
# project root on its include path, so that headers are included as "folder/Header.h", and a
# precompiled header when it uses Qt (cmake/Precompiled.cmake).
function(veldrin_library name)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
         ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
    veldrin_warnings(${name})
    veldrin_precompile(${name})
endfunction()

# veldrin_test(NAME DEPS...): one GoogleTest binary from every .cpp in the calling folder, with a
# precompiled header of GoogleTest's and the other headers it uses most; each test case runs as its
# own CTest test on the offscreen Qt platform with a pinned time zone, and with a data folder in the
# build tree, so that what a test archives never lands in the user's own archive.
function(veldrin_test name)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    add_executable(${name} ${sources})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gmock GTest::gtest_main)
    veldrin_warnings(${name})
    veldrin_precompile(${name} TEST)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
    # gtest_discover_tests hands each element of a list-valued property on as a separate argument,
    # which keeps only the first variable of ENVIRONMENT; a script that runs after the discovery sets
    # the whole environment on the discovered tests instead.
    set(environment_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
    file(WRITE ${environment_script}
         "if(${name}_TESTS)\n"
         "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT "
         "\"QT_QPA_PLATFORM=offscreen;TZ=Asia/Shanghai;VELDRIN_SOURCE_DIR=${PROJECT_SOURCE_DIR};"
         "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data\")\n"
         "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${environment_script})
endfunction()
