# A value chosen on a row that is not ticked is kept, and a typology then chosen for another row
# asks for the ticks still missing.
start
click frmSplash
click menu.endemica(2)
click menu.Option2(4)
choose menu.valore "forte"
scroll menu.VScroll1 2
click menu.Check1(2)
expect menu.passo text "cliccare sulla tipologia della situazione particolare"
choose menu.Combo1(1) "forte"
expect menu.passo text "spuntare il sottosistema n. 1"
click menu.Option3(4)
expect menu.tiposotto(2) text "lato est"
expect menu.Combo1(1) text "forte"
expect menu.passo text "spuntare i rimanenti sottosistemi"
click menu.Check1(1)
expect menu.passo text "cliccare sulla tipologia della situazione particolare"
click menu.Option3(1)
expect menu.passo text "scegliere il valore del sottosistema n. 2"
choose menu.Combo1(2) "medio"
expect menu.passo text "indicare i legami di ogni sottosistema"
