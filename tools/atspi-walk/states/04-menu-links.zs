# Three subsystems ticked with their typologies and values, during the links' entry.
start
click frmSplash
click menu.endemica(1)
click menu.Option1(2)
choose menu.valore "medio"
scroll menu.VScroll1 3
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
click menu.Option3(4)
choose menu.Combo1(2) "debole"
click menu.Check1(3)
click menu.Option3(9)
choose menu.Combo1(3) "medio"
click menu.legami(2)
expect menu.passo text "indicare i legami di ogni sottosistema"
