# Local time for the places: the system's time zones through QTimeZone.
target_sources(lumivane_qt PRIVATE ${CMAKE_CURRENT_LIST_DIR}/qt_time_zones.cpp)
target_link_libraries(lumivane_qt PUBLIC lumivane_places)
