# The Qt parts: the library's GUI binding, the Qt side of the platform layer, the windows and the program.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
set(CMAKE_AUTOMOC ON)

add_folder_library(platform_qt PATTERNS src/platform/qt/*.cpp src/platform/qt/*.h DEPS platform Qt6::Widgets)
add_folder_library(workbook_gui PATTERNS src/workbook/gui/*.cpp src/workbook/gui/*.h
  DEPS workbook platform_qt Qt6::Widgets)
add_folder_library(app_ui PATTERNS src/app/ui/*.cpp src/app/ui/*.h
  DEPS statement workbook_gui platform_qt Qt6::Widgets)

if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
  add_executable(kvdph src/app/main.cpp)
  target_link_libraries(kvdph PRIVATE app_ui)
endif()

collect_sources(WORKBOOK_GUI_TEST_SRC tests/workbook/gui/*.cpp tests/platform/qt/*.cpp)
add_unit_tests(workbook_gui_tests SOURCES ${WORKBOOK_GUI_TEST_SRC} LIBS workbook_gui Qt6::Test)
collect_sources(APP_TEST_SRC tests/app/ui/*.cpp tests/support/*.cpp tests/workbook/formats/python_peer.cpp
  tests/app/statement/statement_fixture.cpp tests/app/statement/schema_check.cpp)
add_unit_tests(app_tests SOURCES ${APP_TEST_SRC} LIBS app_ui Qt6::Test)
