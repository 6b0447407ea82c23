# Compile options for our own targets only.
function(fv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(FV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# fv_library(<name> [FOLDERS ...] LIBS ...): one static library per subsystem,
# built from every .cpp file of the calling folder and of the subfolders named
# in FOLDERS, each of them on the include path.
function(fv_library name)
  cmake_parse_arguments(ARG "" "" "FOLDERS;LIBS" ${ARGN})
  set(dirs ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(folder ${ARG_FOLDERS})
    list(APPEND dirs ${CMAKE_CURRENT_SOURCE_DIR}/${folder})
  endforeach()
  set(sources)
  foreach(dir ${dirs})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources MATCHES "\\.cpp")
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/.. ${dirs})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  fv_warnings(${name})
endfunction()

# fv_test(<name> SOURCES ... LIBS ... ENV ...): one QtTest executable registered
# with CTest. Tests run offscreen under a C locale with a private HOME and
# runtime folder.
function(fv_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    FV_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
    FV_TESTS_DIR="${PROJECT_SOURCE_DIR}/tests"
    FV_TESTDATA_DIR="${FV_TESTDATA_DIR}"
    FV_RESOURCE_DIR="${FV_RESOURCE_DIR}"
    FV_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  fv_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set(home ${CMAKE_BINARY_DIR}/testhome/${name})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT 600
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_RUNTIME_DIR=${home}/run;XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_CACHE_HOME=${home}/cache;LC_ALL=C;LANG=C;${ARG_ENV}")
  file(MAKE_DIRECTORY ${home}/run)
  file(CHMOD ${home}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endfunction()
