# A new endemic value or kind after a complete entry keeps every row and ends on the final step.
start
click frmSplash
click menu.endemica(1)
click menu.Option1(4)
choose menu.valore "medio"
scroll menu.VScroll1 2
click menu.Check1(1)
click menu.Option3(8)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
click menu.Option3(9)
choose menu.Combo1(2) "debole"
click menu.legami(2)
click menu.dopo
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
choose menu.valore "debole"
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.Label3(1) text "con 2"
expect menu.Label3(2) text "con nessuno"
expect menu.tiposotto(2) text "angolo sud-ovest"
expect menu.correggo(2) visible "1"
expect menu.dopo enabled "0"
# Another kind: back to its typology step, with the count and the rows kept.
click menu.endemica(2)
expect menu.passo text "scegliere la tipologia della situazione lineare"
expect menu.Frame2 visible "1"
expect menu.Frame1 visible "0"
expect menu.Frame3 visible "0"
expect menu.valore text ""
expect menu.valore enabled "0"
expect menu.sottosistemi text "2"
expect menu.situazione text "lato est"
expect menu.tiposotto(1) text "angolo sud-est"
expect menu.Label3(1) text "con 2"
expect menu.Check1(1) enabled "0"
expect menu.correggo(1) visible "0"
expect menu.VScroll1 enabled "0"
click menu.Option2(7)
expect menu.situazione text "trasversale nord-ovest/sud-est"
type menu.valore "forte"
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.Frame3 visible "1"
expect menu.Frame3 enabled "0"
expect menu.Check1(2) enabled "1"
expect menu.Label3(1) text "con 2"
click menu.controlla
expect message information "Zelmor: controllo dati immessi nella finestra attiva" "I dati sono stati immessi correttamente."
