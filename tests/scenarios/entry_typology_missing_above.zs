# Values and ticks on every row, and a typology for the last row only: the links wait until the
# first row has its typology, which comes by ticking that row again.
start
click frmSplash
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "debole"
scroll menu.VScroll1 2
click menu.Check1(1)
choose menu.Combo1(1) "forte"
expect menu.passo text "scegliere la tipologia del sottosistema n. 1"
click menu.Check1(2)
choose menu.Combo1(2) "medio"
click menu.Option3(5)
expect menu.tiposotto(2) text "lato ovest"
expect menu.tiposotto(1) text ""
expect menu.passo text "ri-spuntare il sottosistema n. 1 per inserire la tipologia"
expect menu.dopo enabled "0"
click menu.Check1(1)
click menu.Check1(1)
expect menu.passo text "cliccare sulla tipologia della situazione particolare"
click menu.Option3(2)
choose menu.Combo1(1) "forte"
expect menu.passo text "indicare i legami di ogni sottosistema"
