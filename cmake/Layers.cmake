# The core's folders in the order they build on each other, and what each may include and link:
# base <- nmea <- kml, base <- nmea <- picture, base <- kmz, and run over them all; settings stands
# beside them for the front ends. The front ends (src/app) may use every core folder; src/app/window alone uses Qt.
set(TRACKMINT_CORE_FOLDERS base nmea kml picture kmz run settings)
set(TRACKMINT_LAYER_base "")
set(TRACKMINT_LAYER_nmea base)
set(TRACKMINT_LAYER_kml nmea base)
set(TRACKMINT_LAYER_picture nmea base)
set(TRACKMINT_LAYER_kmz base)
set(TRACKMINT_LAYER_run kml kmz picture nmea base)
set(TRACKMINT_LAYER_settings base)
set(TRACKMINT_LAYER_app ${TRACKMINT_CORE_FOLDERS} app)
set(TRACKMINT_LAYER_app/window ${TRACKMINT_CORE_FOLDERS} app app/window)

# The library of one core folder, trackmint_<folder>, from its sources, linked along the arrows.
function(trackmint_add_core_library folder)
  add_library(trackmint_${folder} STATIC ${ARGN})
  target_include_directories(trackmint_${folder} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(trackmint_${folder} PRIVATE trackmint_warnings)
  foreach(below IN LISTS TRACKMINT_LAYER_${folder})
    target_link_libraries(trackmint_${folder} PUBLIC trackmint_${below})
  endforeach()
endfunction()
