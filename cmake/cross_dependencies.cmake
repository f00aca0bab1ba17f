# What a cross-build for Windows needs from the build machine: the header-only
# JSON library and GoogleTest built from source with the cross compiler.

find_package(nlohmann_json 3.11 QUIET)
if(NOT nlohmann_json_FOUND)
  # The build machine's /usr/include cannot go on the cross compiler's path
  # (its C headers would shadow MinGW's), so only the library's folder is exposed.
  find_path(KELMAR_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(shim ${CMAKE_BINARY_DIR}/cross-include)
  file(MAKE_DIRECTORY ${shim})
  file(CREATE_LINK ${KELMAR_NLOHMANN_INCLUDE}/nlohmann ${shim}/nlohmann SYMBOLIC)
  add_library(nlohmann_json INTERFACE)
  target_include_directories(nlohmann_json SYSTEM INTERFACE ${shim})
  add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)
endif()

if(KELMAR_BUILD_TESTS)
  set(KELMAR_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources built with the cross compiler")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KELMAR_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  foreach(lib gtest gtest_main)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
  set(GTest_FOUND TRUE)
endif()
