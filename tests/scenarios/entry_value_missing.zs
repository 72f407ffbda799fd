# A particular typology chosen while row 2 has no value: stored, and the links do not start.
start
click frmSplash
click menu.endemica(1)
click menu.Option1(3)
choose menu.valore "medio"
scroll menu.VScroll1 2
click menu.Check1(1)
click menu.Option3(5)
choose menu.Combo1(1) "forte"
expect menu.passo text "spuntare il sottosistema n. 2"
click menu.Check1(2)
click menu.Option3(7)
expect menu.tiposotto(2) text "angolo nord-est"
expect menu.passo text "scegliere il valore del sottosistema n. 2"
expect menu.dopo enabled "0"
expect menu.legami(1) enabled "0"
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Cliccare sull'apposito tasto per scegliere il valore del sottosistema n. 2"
# Unticking a row empties its typology and value.
click menu.Check1(1)
expect menu.tiposotto(1) text ""
expect menu.Combo1(1) text ""
expect menu.passo text "spuntare il sottosistema n. 1"
click menu.Check1(1)
expect menu.passo text "cliccare sulla tipologia della situazione particolare"
click menu.Option3(5)
expect menu.passo text "scegliere il valore del sottosistema n. 1"
choose menu.Combo1(1) "debole"
expect menu.passo text "scegliere il valore del sottosistema n. 2"
choose menu.Combo1(2) "debole"
expect menu.passo text "indicare i legami di ogni sottosistema"
