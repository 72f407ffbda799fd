# A link can go only to a subsystem within the count: when the subsystem whose links are being
# entered is unticked and the count then falls below it, the link buttons still open add nothing
# to a row that no longer exists, and the model stays as the rows show it.
start
click frmSplash
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "forte"
scroll menu.VScroll1 3
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
click menu.Option3(2)
choose menu.Combo1(2) "medio"
click menu.Check1(3)
click menu.Option3(3)
choose menu.Combo1(3) "debole"
click menu.dopo
click menu.dopo
expect menu.passo text "indicare i sottosistemi legati al sottosistema n. 3"
expect menu.Image1(3) visible "1"
click menu.Check1(3)
expect menu.passo text "spuntare il sottosistema n. 3"
scroll menu.VScroll1 2
expect menu.sottosistemi text "2"
expect menu.legami(1) enabled "1"
click menu.legami(1)
expect menu.Label3(3) text ""
expect menu.legami(1) enabled "1"
# The rows within the count take their links again as before.
click menu.correggo(2)
click menu.legami(1)
expect menu.Label3(2) text "con 1"
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.Label3(3) text ""
