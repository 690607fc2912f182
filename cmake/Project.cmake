# Helpers shared by every folder's CMakeLists.txt.

# pm_library(NAME [DEPS ...] [PRIVATE_DEPS ...] [BACKEND_DEPS ...] [STARTUP symbol]): a static
# library of every .cpp directly in the calling folder (and in its subfolders named in SUBDIRS),
# public include root at the repository's top. DEPS are what its public headers need and pass on to
# its users; PRIVATE_DEPS stay its own, so no user sees their headers. BACKEND_DEPS (Qt, for the
# window system) are compiled into the library's backend files alone, those named in PM_QT_BACKEND
# (cmake/layers.cmake): they form an object library of their own inside it, and no other file of
# the library finds those headers. STARTUP names a symbol of a file that registers the library with
# a lower layer at start-up: every program that links the library keeps that file, though nothing
# calls into it.
function(pm_library name)
  cmake_parse_arguments(A "" "STARTUP" "DEPS;PRIVATE_DEPS;BACKEND_DEPS;SUBDIRS;EXCLUDE" ${ARGN})
  set(globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(sub ${A_SUBDIRS})
    list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cpp)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  foreach(ex ${A_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "/${ex}$")
  endforeach()
  if(NOT sources)
    # Headers only (so far).
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
    return()
  endif()
  pm_backend_sources(sources backend)
  if(backend AND NOT A_BACKEND_DEPS)
    message(FATAL_ERROR "${name}: backend files in a library without backend dependencies: ${backend}")
  endif()
  if(backend)
    add_library(${name}_backend OBJECT ${backend})
    target_include_directories(${name}_backend PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_backend PUBLIC ${A_DEPS} ${A_PRIVATE_DEPS} ${A_BACKEND_DEPS})
    list(APPEND sources $<TARGET_OBJECTS:${name}_backend>)
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS} PRIVATE ${A_PRIVATE_DEPS})
  foreach(dep ${A_BACKEND_DEPS})
    # Linked, but no compile flag or include folder of theirs reaches the library's other files.
    target_link_libraries(${name} PRIVATE $<LINK_ONLY:${dep}>)
  endforeach()
  if(A_STARTUP)
    target_link_options(${name} INTERFACE "LINKER:--undefined=${A_STARTUP}")
  endif()
endfunction()

# pm_backend_sources(SOURCES_VAR BACKEND_VAR): takes the files named in PM_QT_BACKEND out of the
# list in SOURCES_VAR into BACKEND_VAR.
function(pm_backend_sources sources_var backend_var)
  set(kept "")
  set(backend "")
  foreach(src ${${sources_var}})
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${src})
    if(rel IN_LIST PM_QT_BACKEND)
      list(APPEND backend ${src})
    else()
      list(APPEND kept ${src})
    endif()
  endforeach()
  set(${sources_var} ${kept} PARENT_SCOPE)
  set(${backend_var} ${backend} PARENT_SCOPE)
endfunction()

# pm_test_definitions(TARGET): where a test finds its data and writes its output and settings.
function(pm_test_definitions target)
  target_compile_definitions(${target} PRIVATE PM_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data"
                                               PM_TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output"
                                               PM_TEST_CONFIG_DIR="${CMAKE_BINARY_DIR}/test-config")
endfunction()

# What every test program links (cmake/test_files.h): a file's bytes read and written, and the
# golden-file check, which writes what differs into the build tree's test output.
add_library(pm_test_files OBJECT ${CMAKE_CURRENT_LIST_DIR}/test_files.cpp)
target_include_directories(pm_test_files PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(pm_test_files PUBLIC GTest::gtest)
target_compile_definitions(pm_test_files PRIVATE PM_TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output")

# pm_tests(PREFIX DEPS ... [FIXTURE name [FIXTURE_TESTS base ...]] [SUPPORT dir ...]): one GoogleTest
# executable per
# tests/*_test.cpp of the calling folder, linked with tests/support/*.cpp when present and with the
# .cpp files of each SUPPORT folder (the window system's test helpers, for example). Each test
# program runs offscreen at scale factor 1, with the registry and settings in a private folder of
# the build tree (cmake/test_environment.cpp). With FIXTURE, every test requires that CTest fixture
# (FIXTURES_REQUIRED); with FIXTURE_TESTS as well, only the tests of the programs named there (by the
# file's base name, e.g. dump_test).
function(pm_tests prefix)
  cmake_parse_arguments(A "" "FIXTURE" "DEPS;SUPPORT;FIXTURE_TESTS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_test.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/support/*.cpp)
  set(shared "")
  foreach(dir ${A_SUPPORT})
    file(GLOB more CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND shared ${more})
  endforeach()
  if(NOT tests)
    return()
  endif()
  # The helpers are compiled once per folder and their objects linked into each of its programs.
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(MAKE_C_IDENTIFIER "test_support_${folder}" helpers)
  set(qt "")
  if(folder MATCHES "^platform/")
    # The platform's tests may drive input and read images through Qt themselves.
    set(qt Qt6::Widgets Qt6::Gui Qt6::Test)
  endif()
  add_library(${helpers} OBJECT ${support} ${PROJECT_SOURCE_DIR}/cmake/test_environment.cpp)
  target_link_libraries(${helpers} PUBLIC ${A_DEPS} ${qt} GTest::gtest GTest::gmock Threads::Threads)
  pm_test_definitions(${helpers})
  set(helper_objects $<TARGET_OBJECTS:${helpers}>)
  if(shared)
    # The window system's test helpers drive input and read window images through Qt; the tests
    # that use them see only their Qt-free headers, and link Qt.
    add_library(${helpers}_platform OBJECT ${shared})
    target_link_libraries(${helpers}_platform PRIVATE ${A_DEPS} Qt6::Widgets Qt6::Gui Qt6::Test GTest::gtest
                                                      GTest::gmock)
    pm_test_definitions(${helpers}_platform)
    list(APPEND helper_objects $<TARGET_OBJECTS:${helpers}_platform>)
  endif()
  foreach(src ${tests})
    get_filename_component(base ${src} NAME_WE)
    set(exe ${prefix}_${base})
    set(fixture_props)
    if(A_FIXTURE AND (NOT A_FIXTURE_TESTS OR base IN_LIST A_FIXTURE_TESTS))
      set(fixture_props FIXTURES_REQUIRED ${A_FIXTURE})
    endif()
    add_executable(${exe} ${src} ${helper_objects})
    target_link_libraries(${exe} PRIVATE ${A_DEPS} ${qt} pm_test_files GTest::gtest GTest::gmock GTest::gtest_main
                                         Threads::Threads)
    pm_test_definitions(${exe})
    if(shared)
      foreach(qt Qt6::Widgets Qt6::Gui Qt6::Test)
        target_link_libraries(${exe} PRIVATE $<LINK_ONLY:${qt}>)
      endforeach()
    endif()
    gtest_discover_tests(${exe}
      DISCOVERY_MODE PRE_TEST
      TEST_PREFIX "${exe}."
      DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        TIMEOUT 300
        ${fixture_props})
  endforeach()
endfunction()

# pm_program(NAME SOURCES ... DEPS ... DATA dir): an executable in its own program folder
# bin/NAME/, with the files of DATA copied beside it.
function(pm_program name)
  cmake_parse_arguments(A "" "DATA" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PM_PROGRAM_DIR}/${name})
  if(A_DATA)
    add_custom_command(TARGET ${name} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${A_DATA} ${PM_PROGRAM_DIR}/${name})
  endif()
endfunction()

# pm_collect_libraries(DIR OUT): every static library defined in DIR and below.
function(pm_collect_libraries dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  set(found "")
  foreach(t ${targets})
    get_target_property(type ${t} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      list(APPEND found ${t})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    pm_collect_libraries(${sub} sub_found)
    list(APPEND found ${sub_found})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
