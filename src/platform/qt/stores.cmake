# The settings store and the start-at-logon entry on Linux.
target_sources(lumivane_qt PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/atomic_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_screening.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_profile_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xdg_autostart.cpp)
