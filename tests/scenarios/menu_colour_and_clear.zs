# The background colour changes only the window; clearing recreates the window light grey.
start
click frmSplash
answer colour 0 0 128
click menu.colorare
expect menu backcolor "0,0,128"
expect menu.Frame4 backcolor "128,128,128"
expect menu.passo backcolor "255,255,0"
answer colour cancel
click menu.Toolbar1(12)
expect menu backcolor "0,0,128"
click menu.endemica(1)
click menu.Option1(6)
choose menu.valore "forte"
scroll menu.VScroll1 4
click menu.Toolbar1(20)
expect menu backcolor "192,192,192"
expect menu.passo text "cliccare sul tasto della situazione endemica prescelta"
expect menu.sottosistemi text ""
expect menu.situazione text ""
expect menu.valore text ""
expect menu.VScroll1 value "1"
expect menu.endemica(1) checked "0"
expect menu.Frame1 visible "0"
expect window menu visible
click menu.cancelladati
expect window menu visible
expect no message
