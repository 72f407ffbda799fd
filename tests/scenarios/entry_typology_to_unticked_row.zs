# A typology chosen while the row it goes to is unticked stays with that row: ticking it again
# then opens the links, though a value is still missing; once the links are done, the procedure
# goes back to that value.
start
click frmSplash
click menu.endemica(1)
click menu.Option1(2)
choose menu.valore "medio"
scroll menu.VScroll1 2
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
expect menu.passo text "cliccare sulla tipologia della situazione particolare"
click menu.Check1(2)
expect menu.passo text "spuntare il sottosistema n. 2"
click menu.Option3(3)
expect menu.tiposotto(2) text "lato sud"
expect menu.passo text "scegliere il valore del sottosistema n. 2"
click menu.Check1(2)
expect menu.passo text "indicare i legami di ogni sottosistema"
expect menu.Image1(1) visible "1"
click menu.legami(2)
click menu.dopo
click menu.dopo
expect menu.Label3(2) text "con nessuno"
expect menu.passo text "scegliere il valore del sottosistema n. 2"
choose menu.Combo1(2) "debole"
expect menu.passo text "indicare i legami di ogni sottosistema"
click menu.dopo
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.Label3(1) text "con 2"
