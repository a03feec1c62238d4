# The main window, its game flow, move input and display, sounds and settings file, added to
# quorvin_app; and quorvin, the game's executable, built into the build folder's root beside
# the copied pictures and sounds (data/Sound is copied with the rest of data/).
find_package(Qt6 REQUIRED COMPONENTS Multimedia)

target_sources(quorvin_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/file_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/human_move.cpp
  ${CMAKE_CURRENT_LIST_DIR}/language_setup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_flow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_panels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_presets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_setup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_storage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/move_display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/think_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/waits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form.h
)
target_link_libraries(quorvin_app PUBLIC Qt6::Multimedia)

add_executable(quorvin ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(quorvin PRIVATE quorvin_app)
set_target_properties(quorvin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# quorvin_sounds: the generator of the six sounds in data/Sound. The sounds are committed;
# `cmake --build <dir> --target sounds` writes them again.
add_executable(quorvin_sounds ${PROJECT_SOURCE_DIR}/tools/sounds/main.cpp)
add_custom_target(sounds
  COMMAND $<TARGET_FILE:quorvin_sounds> ${PROJECT_SOURCE_DIR}/data/Sound
  DEPENDS quorvin_sounds
  COMMENT "Writing the sounds into data/Sound"
  VERBATIM)
