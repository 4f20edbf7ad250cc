# The Linux program's shell: the world window, the setup dialog, the tray icon
# and start-up on Qt Widgets, in a library the program (src/programs/linux)
# and the tests link.
add_library(lumivane_qt_shell STATIC
  ${CMAKE_CURRENT_LIST_DIR}/clock_change_watch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_transient_parent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_units.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mouse_key_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_setup_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_sky_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_places_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_startup_platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_tray_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/session_end_signals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_world_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_icon_backdrop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_window_position.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_window_state.cpp)
set_target_properties(lumivane_qt_shell PROPERTIES AUTOMOC ON)
# libxcb for what Qt leaves out on X11: window states, where the server has
# the window, the window manager's name and the display check.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
target_link_libraries(lumivane_qt_shell PUBLIC lumivane_qt Qt6::Widgets PRIVATE PkgConfig::XCB)
