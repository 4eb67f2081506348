# Shared settings for every target of the project.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
endif()

if(WIN32)
    # Texts are Windows-1252 bytes on screen; the sources are UTF-8.
    add_compile_options(-fexec-charset=CP1252 -finput-charset=UTF-8)
    add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX)
    # Doubles in SSE registers as on x86-64, so that only the scoring's long double math is x87 extended.
    add_compile_options(-msse2 -mfpmath=sse)
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(KALKOMAT_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(KALKOMAT_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(BUILD_TESTING AND WIN32)
    # GoogleTest is built from Debian's sources for the cross compiler.
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    if(NOT TARGET GTest::gtest_main)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
elseif(BUILD_TESTING)
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()

# CLI11 is header-only. The cross compiler sees only CLI11's own folder, copied into the build tree,
# never the host's whole /usr/include.
set(KALKOMAT_CLI11_DIR ${CMAKE_BINARY_DIR}/cli11-include)
if(NOT EXISTS ${KALKOMAT_CLI11_DIR}/CLI/CLI.hpp)
    if(NOT EXISTS /usr/include/CLI/CLI.hpp)
        message(FATAL_ERROR "CLI11 is missing: run tools/setup")
    endif()
    file(COPY /usr/include/CLI DESTINATION ${KALKOMAT_CLI11_DIR})
endif()
add_library(cli11 INTERFACE)
target_include_directories(cli11 SYSTEM INTERFACE ${KALKOMAT_CLI11_DIR})

# kalkomat_add_test(NAME name SOURCES ... LIBS ... [ENVIRONMENT ...] [WINE_ONLY])
# Natively each GoogleTest case is its own CTest test; under Wine a test executable is one CTest test,
# as every process start there costs a noticeable fraction of a second.
function(kalkomat_add_test)
    cmake_parse_arguments(T "WINE_ONLY" "NAME;TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    if(T_WINE_ONLY AND NOT WIN32)
        return()
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    if(WIN32)
        add_test(NAME ${T_NAME} COMMAND ${T_NAME})
        set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${T_ENVIRONMENT}")
    else()
        gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST
            PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${T_ENVIRONMENT}")
    endif()
endfunction()
