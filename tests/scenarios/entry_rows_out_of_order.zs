# Ticking row 3 while row 1 has no typology: the typology chosen next goes to row 3.
start
click frmSplash
click menu.endemica(2)
expect menu.Frame2 visible "1"
expect menu.Frame1 visible "0"
click menu.Option2(9)
expect menu.situazione text "croce centrale"
choose menu.valore "debole"
scroll menu.VScroll1 3
click menu.Check1(3)
expect menu.passo text "cliccare sulla tipologia della situazione particolare"
click menu.Option3(4)
expect menu.tiposotto(3) text "lato est"
expect menu.tiposotto(1) text ""
expect menu.passo text "scegliere il valore del sottosistema n. 1"
# A value for row 3, typed one character at a time: every character runs the rule.
type menu.Combo1(3) "forte"
expect menu.Combo1(3) text "forte"
expect menu.passo text "spuntare il sottosistema n. 1"
click menu.Check1(1)
click menu.Option3(2)
expect menu.tiposotto(1) text "lato nord"
expect menu.passo text "scegliere il valore del sottosistema n. 1"
choose menu.Combo1(1) "medio"
expect menu.passo text "spuntare il sottosistema n. 2"
click menu.Check1(2)
expect menu.passo text "cliccare sulla tipologia della situazione particolare"
click menu.Option3(9)
expect menu.passo text "scegliere il valore del sottosistema n. 2"
expect menu.dopo enabled "0"
set menu.Combo1(2) "importante"
expect menu.passo text "indicare i legami di ogni sottosistema"
expect menu.Combo1(2) text "importante"
click menu.legami(3)
click menu.legami(2)
expect menu.Label3(1) text "con 3-2"
expect menu.legami(2) enabled "0"
expect menu.legami(3) enabled "0"
click menu.dopo
click menu.dopo
click menu.dopo
expect menu.Label3(2) text "con nessuno"
expect menu.Label3(3) text "con nessuno"
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
