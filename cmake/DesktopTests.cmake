# pm_desktop_test(NAME SOURCES ... DEPS ...): a test program that runs on a private desktop (a
# virtual X display with a real window manager, the CTest fixture pm_desktop of
# platform/win/desktop_tests). It is linked with the window system's test helpers and the desktop
# helpers; desktop tests run one at a time, since they share the display's focus and pointer.
set(PM_DESKTOP_STATE ${CMAKE_BINARY_DIR}/test-output/desktop.state)

function(pm_desktop_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  file(GLOB support CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/platform/win/tests/support/*.cpp
       ${PROJECT_SOURCE_DIR}/platform/win/desktop_tests/support/*.cpp)
  add_executable(${name} ${A_SOURCES} ${support} ${PROJECT_SOURCE_DIR}/cmake/test_environment.cpp)
  target_link_libraries(${name} PRIVATE ${A_DEPS} platform_win Qt6::Widgets Qt6::Gui Qt6::Test GTest::gtest GTest::gmock
                                        Threads::Threads)
  target_compile_definitions(${name} PRIVATE PM_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data"
                                             PM_TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output"
                                             PM_TEST_CONFIG_DIR="${CMAKE_BINARY_DIR}/test-config")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "PM_DESKTOP_STATE=${PM_DESKTOP_STATE}"
    LABELS desktop
    FIXTURES_REQUIRED pm_desktop
    RESOURCE_LOCK pm_desktop
    TIMEOUT 120)
endfunction()
