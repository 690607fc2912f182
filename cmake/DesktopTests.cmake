# pm_desktop_test(NAME SOURCES ... DEPS ... [SUPPORT file ...]): a test program that runs on a private desktop (a
# virtual X display with a real window manager, the CTest fixture pm_desktop of
# platform/win/desktop_tests). It is linked with the window system's test helpers and the desktop
# helpers (and the SUPPORT files, other platform test helpers); desktop tests run one at a time, since they share the display's focus and pointer.
set(PM_DESKTOP_STATE ${CMAKE_BINARY_DIR}/test-output/desktop.state)

function(pm_desktop_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS;SUPPORT" ${ARGN})
  file(GLOB support CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/platform/win/tests/support/*.cpp
       ${PROJECT_SOURCE_DIR}/platform/win/desktop_tests/support/*.cpp)
  # The helpers use Qt; a test outside the platform sees only their Qt-free headers.
  add_library(${name}_helpers OBJECT ${support} ${A_SUPPORT})
  target_link_libraries(${name}_helpers PRIVATE ${A_DEPS} platform_win Qt6::Widgets Qt6::Gui Qt6::Test GTest::gtest
                                                GTest::gmock)
  pm_test_definitions(${name}_helpers)
  add_executable(${name} ${A_SOURCES} $<TARGET_OBJECTS:${name}_helpers> ${PROJECT_SOURCE_DIR}/cmake/test_environment.cpp)
  target_link_libraries(${name} PRIVATE ${A_DEPS} platform_win pm_test_files GTest::gtest GTest::gmock Threads::Threads)
  foreach(qt Qt6::Widgets Qt6::Gui Qt6::Test)
    target_link_libraries(${name} PRIVATE $<LINK_ONLY:${qt}>)
  endforeach()
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  if(folder MATCHES "^platform/")
    # The platform's own desktop tests may drive Qt themselves.
    target_link_libraries(${name} PRIVATE Qt6::Widgets Qt6::Gui Qt6::Test)
  endif()
  pm_test_definitions(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "PM_DESKTOP_STATE=${PM_DESKTOP_STATE}"
    LABELS desktop
    FIXTURES_REQUIRED pm_desktop
    RESOURCE_LOCK pm_desktop
    TIMEOUT 120)
endfunction()
