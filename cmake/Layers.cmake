# Common compile settings and the helpers that declare a layer library, its test program and so on.
# Each layer lists its sources by glob so that adding a file never needs an edit here.

add_library(dfe_options INTERFACE)
target_compile_options(dfe_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                       -Wold-style-cast -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference
                       -Wimplicit-fallthrough)
# GCC 12 reports false -Wrestrict overlaps inside std::string concatenation at -O2 and above.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(dfe_options INTERFACE -Wno-restrict)
  # Inlining at -O2 and above also brings false maybe-uninitialized reports over engaged std::optional values
  # (GCC bug 80635) and false null dereferences inside std::string and Qt's containers: in the optimised
  # build they stay warnings instead of stopping it.
  target_compile_options(dfe_options INTERFACE
                         $<$<NOT:$<CONFIG:Debug>>:-Wno-error=maybe-uninitialized -Wno-error=null-dereference>)
endif()
if(DFE_WERROR)
  target_compile_options(dfe_options INTERFACE -Werror)
endif()
if(DFE_SANITIZE)
  target_compile_options(dfe_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=undefined
                         -fno-omit-frame-pointer)
  target_link_options(dfe_options INTERFACE -fsanitize=address,undefined)
endif()

# dfe_layer(<target> DIR <dir> [DEPS <targets>...] [PUBLIC_LIBS <libs>...])
function(dfe_layer target)
  cmake_parse_arguments(L "" "DIR" "DEPS;PUBLIC_LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${L_DIR}/*.cpp")
  # A folder's main.cpp is its program's entry (dfe_program), not part of the library.
  list(FILTER srcs EXCLUDE REGEX "/main\\.cpp$")
  if(srcs)
    add_library(${target} STATIC ${srcs})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${L_DEPS} ${L_PUBLIC_LIBS} PRIVATE dfe_options)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${L_DEPS} ${L_PUBLIC_LIBS})
  endif()
endfunction()

# dfe_test(<target> DIR <dir> DEPS <targets>... [EXCLUDE <regex>]): one GoogleTest program per folder, one
# CTest entry. EXCLUDE leaves out sources that belong to something else (a test package).
function(dfe_test target)
  cmake_parse_arguments(T "" "DIR;EXCLUDE" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${T_DIR}/*.cpp")
  if(T_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${T_EXCLUDE}")
  endif()
  if(NOT srcs)
    return()
  endif()
  add_executable(${target} ${srcs})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${T_DEPS} GTest::gtest GTest::gmock GTest::gtest_main dfe_options)
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${target} PROPERTIES ENVIRONMENT "DFE_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# dfe_program(<target> MAIN <file> DEPS <targets>...): an executable around a layer's main.cpp.
function(dfe_program target)
  cmake_parse_arguments(P "" "MAIN;OUTPUT_NAME" "DEPS" ${ARGN})
  add_executable(${target} ${P_MAIN})
  target_link_libraries(${target} PRIVATE ${P_DEPS} dfe_options)
  if(P_OUTPUT_NAME)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${P_OUTPUT_NAME})
  endif()
endfunction()

# dfe_package(<target> SOURCES <files>... DEPS <targets>... [OUTPUT_DIR <dir>]): a module package, the shared
# library lib<target>.so the host loads by name. It links the platform itself; only its own entry points are
# exported, so its copy of the platform never mixes with the host's (docs/architecture.md).
function(dfe_package target)
  cmake_parse_arguments(P "" "OUTPUT_DIR" "SOURCES;DEPS" ${ARGN})
  add_library(${target} SHARED ${P_SOURCES})
  target_link_libraries(${target} PRIVATE ${P_DEPS} dfe_options)
  target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL -Wl,--no-undefined)
  if(P_OUTPUT_DIR)
    set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${P_OUTPUT_DIR})
  endif()
endfunction()
