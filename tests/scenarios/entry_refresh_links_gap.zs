# A complete model whose first subsystem's links were erased: a new endemic value takes the
# procedure back to those links, the others kept.
start
click frmSplash
click menu.endemica(1)
click menu.Option1(3)
choose menu.valore "forte"
scroll menu.VScroll1 2
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
click menu.Option3(2)
choose menu.Combo1(2) "medio"
click menu.legami(2)
click menu.dopo
click menu.legami(1)
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
click menu.correggo(1)
expect menu.Label3(1) text ""
choose menu.valore "debole"
expect menu.passo text "indicare i sottosistemi legati al sottosistema n. 1"
expect menu.Image1(1) visible "1"
expect menu.Image1(2) visible "0"
expect menu.Label3(2) text "con 1"
expect menu.legami(2) enabled "1"
click menu.legami(2)
click menu.dopo
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
