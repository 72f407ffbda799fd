# Lowering the count blanks the rows above it; the hint is the one the last untick left.
start
click frmSplash
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "forte"
scroll menu.VScroll1 5
click menu.Check1(1)
click menu.Option3(6)
choose menu.Combo1(1) "medio"
click menu.Check1(2)
click menu.Check1(3)
click menu.Check1(4)
click menu.Option3(2)
choose menu.Combo1(4) "debole"
click menu.Check1(5)
choose menu.Combo1(5) "forte"
expect menu.tiposotto(4) text "lato nord"
expect menu.Combo1(5) text "forte"
scroll menu.VScroll1 3
expect menu.sottosistemi text "3"
expect menu.passo text "spuntare il sottosistema n. 4"
expect menu.Check1(4) checked "0"
expect menu.Check1(4) enabled "0"
expect menu.Check1(5) checked "0"
expect menu.tiposotto(4) text ""
expect menu.Combo1(4) text ""
expect menu.Combo1(5) text ""
expect menu.Combo1(5) enabled "0"
expect menu.Label3(5) text ""
expect menu.correggo(5) visible "0"
expect menu.Image1(1) visible "0"
expect menu.Check1(3) checked "1"
expect menu.Check1(3) enabled "1"
# With one of the remaining rows unticked the hint asks for any row instead.
click menu.Check1(2)
scroll menu.VScroll1 2
expect menu.passo text "spuntare il sottosistema da indicare"
expect menu.Check1(3) checked "0"
