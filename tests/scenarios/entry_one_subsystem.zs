# One subsystem: its own link button is never offered; the next button ends the procedure.
start
click frmSplash
click menu.endemica(1)
expect menu.passo text "scegliere la tipologia della situazione superficiale"
expect menu.Frame1 visible "1"
expect menu.Frame1 text "Tipologia situazione superficiale"
expect menu.Frame2 visible "0"
click menu.Option1(1)
expect menu.situazione text "totale"
expect menu.passo text "scegliere il valore della situazione endemica"
expect menu.valore enabled "1"
expect menu.VScroll1 enabled "0"
choose menu.valore "forte"
expect menu.passo text "indicare il numero dei sottosistemi"
expect menu.VScroll1 enabled "1"
# The bar starts at 1: a count of 1 is reached by going up and down again.
scroll menu.VScroll1 2
expect menu.sottosistemi text "2"
expect menu.passo text "spuntare il sottosistema da indicare"
expect menu.Frame3 visible "1"
expect menu.Frame3 enabled "0"
scroll menu.VScroll1 1
expect menu.sottosistemi text "1"
expect menu.Check1(1) enabled "1"
expect menu.Check1(2) enabled "0"
expect menu.Combo1(2) enabled "0"
click menu.Check1(1)
expect menu.passo text "cliccare sulla tipologia della situazione particolare"
expect menu.Frame3 enabled "1"
click menu.Option3(1)
expect menu.tiposotto(1) text "centrale"
expect menu.passo text "scegliere il valore del sottosistema n. 1"
choose menu.Combo1(1) "medio"
expect menu.passo text "indicare i legami di ogni sottosistema"
expect menu.Frame3 enabled "0"
expect menu.Image1(1) visible "1"
expect menu.legami(1) enabled "0"
expect menu.legami(2) enabled "0"
expect menu.correggo(1) visible "1"
expect menu.correggo(2) visible "0"
expect menu.dopo enabled "1"
click menu.dopo
expect menu.Label3(1) text "con nessuno"
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.dopo enabled "0"
expect menu.Image1(1) visible "0"
click menu.controlla
expect message information "Zelmor: controllo dati immessi nella finestra attiva" "I dati sono stati immessi correttamente."
