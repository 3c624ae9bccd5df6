# Catalogues, vehicle tables, the registry-backed settings and graph sets, the
# colour window.
motoskop_sources(settings
  CORE
    ParameterCatalogue.cpp
    VehicleTables.cpp
    ColourSettings.cpp
    GraphSets.cpp
    VehicleSelection.cpp
    PortChoice.cpp
    SettingsStore.cpp
    ColourWindowLogic.cpp
    ReportSettings.cpp
  WINDOWS
    TForm6.cpp
)
