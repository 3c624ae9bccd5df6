# Settings: catalogues, vehicle tables, the registry-backed settings and graph sets.
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/settings/ParameterCatalogue.cpp
  ${CMAKE_SOURCE_DIR}/settings/VehicleTables.cpp
  ${CMAKE_SOURCE_DIR}/settings/ColourSettings.cpp
  ${CMAKE_SOURCE_DIR}/settings/GraphSets.cpp
  ${CMAKE_SOURCE_DIR}/settings/VehicleSelection.cpp
  ${CMAKE_SOURCE_DIR}/settings/SettingsStore.cpp)
