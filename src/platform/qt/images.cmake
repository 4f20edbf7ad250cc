# The built-in pictures, embedded with the Qt resource system (AUTORCC), and
# the loader that decodes them; the loader of the user's map pictures.
target_sources(lumivane_qt PRIVATE
  ${PROJECT_SOURCE_DIR}/res/lumivane.qrc
  ${CMAKE_CURRENT_LIST_DIR}/qt_builtin_images.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_map_image_loader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/regular_file.cpp)
