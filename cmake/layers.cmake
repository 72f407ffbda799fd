# The libraries of src/, one folder each, from the bottom layer up: "folder: the folders whose
# headers it may include". A folder may include only folders listed before it, so the graph has
# no cycle; the CTest "layers" (check_layers.cmake) holds every source file to this list.
#
#   model           the model, the document, the data file and its code page, safe file access
#   toolkit         the form runtime: controls, forms, the window registry, platform services
#   geometry        the drawing without a window: layout, link figures, picture file
#   toolkit/qt      the form runtime's Qt Widgets display
#   toolkit/testing queued and recording services for tests and the scenario runner
#   music           the splash music: player interface and FluidSynth player
#   reports         the word-processor interface, the reports, the office plug-in's loader (which
#                   lays out the picture's print twin)
#   reports/office  the LibreOffice Writer plug-in
#   shared          what every window shares: ModZelmor, window names, rescaling, WorkWindow
#   drawing .. periphery   the windows, one folder per subsystem
#   app             registers the windows, starts up; main.cpp wires Qt, music and office
set(ZELMOR_LAYERS
  "model:"
  "toolkit:"
  "geometry: model toolkit"
  "toolkit/qt: toolkit"
  "toolkit/testing: toolkit"
  "music:"
  "reports: model geometry"
  "reports/office: reports"
  "shared: model toolkit music reports"
  "drawing: shared geometry model toolkit"
  "entry: shared drawing model toolkit"
  "titlepage: shared entry drawing model toolkit reports"
  "help: shared model toolkit reports"
  "periphery: shared model toolkit"
  "app: shared drawing entry titlepage help periphery music reports model toolkit toolkit/qt")
