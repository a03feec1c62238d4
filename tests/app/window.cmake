# GUI tests of the main window: moves entered with mouse clicks on the board, the computer's
# replies, undo and redo, Break calculation, the end of a game and the command states. They
# drive a real window on Qt's offscreen platform with waits shortened to nothing.
find_package(Qt6 REQUIRED COMPONENTS Test)

add_executable(window_tests
  ${CMAKE_CURRENT_LIST_DIR}/test_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lang_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_display_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_end_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_files_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_help_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_history_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_input_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_mode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_options_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_presets_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_setup_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_storage_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_think_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/russian_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soak_test.cpp
)
target_link_libraries(window_tests PRIVATE quorvin_app Qt6::Test GTest::gtest)
target_include_directories(window_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(window_tests PRIVATE QUORVIN_BUILD_DIR="${CMAKE_BINARY_DIR}"
  QUORVIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_dependencies(window_tests quorvin_data)
gtest_discover_tests(window_tests TEST_PREFIX "window."
  DISCOVERY_TIMEOUT 60
  PROPERTIES LABELS app ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# The options dialog on its own, without a main window: its controls over the live settings
# and what it reports.
add_executable(tune_form_tests
  ${CMAKE_CURRENT_LIST_DIR}/test_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tune_form_test.cpp
)
target_link_libraries(tune_form_tests PRIVATE quorvin_app Qt6::Test GTest::gtest)
target_compile_definitions(tune_form_tests PRIVATE QUORVIN_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(tune_form_tests quorvin_data)
gtest_discover_tests(tune_form_tests TEST_PREFIX "tune_form."
  DISCOVERY_TIMEOUT 60
  PROPERTIES LABELS app ENVIRONMENT QT_QPA_PLATFORM=offscreen)
