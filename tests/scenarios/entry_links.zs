# Links: entered once each, kept when coming back, cleared by the correction buttons.
start
click frmSplash
click menu.endemica(3)
expect menu.Frame1 text "Tipologia situazione puntuale"
expect menu.passo text "scegliere la tipologia della situazione puntuale"
click menu.Option1(8)
expect menu.situazione text "angolo sud-est"
choose menu.valore "medio"
scroll menu.VScroll1 3
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
click menu.Option3(2)
choose menu.Combo1(2) "forte"
click menu.Check1(3)
click menu.Option3(3)
choose menu.Combo1(3) "forte"
expect menu.passo text "indicare i legami di ogni sottosistema"
expect menu.Frame3 visible "1"
expect menu.Frame3 enabled "0"
expect menu.legami(1) enabled "0"
expect menu.legami(2) enabled "1"
expect menu.legami(3) enabled "1"
expect menu.legami(4) enabled "0"
expect menu.Label3(1) enabled "1"
expect menu.correggo(3) enabled "1"
click menu.legami(2)
expect menu.Label3(1) text "con 2"
expect menu.legami(2) enabled "0"
click menu.dopo
expect menu.passo text "indicare i sottosistemi legati al sottosistema n. 2"
expect menu.Image1(1) visible "0"
expect menu.Image1(2) visible "1"
expect menu.legami(1) enabled "1"
expect menu.legami(2) enabled "0"
click menu.legami(1)
click menu.legami(3)
expect menu.Label3(2) text "con 1-3"
click menu.dopo
click menu.legami(1)
click menu.legami(2)
click menu.dopo
expect menu.Label3(3) text "con 1-2"
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
# Correcting subsystem 1, then moving on: subsystem 2 keeps its links, which cannot be
# entered again, nor can 2 itself.
click menu.correggo(1)
expect menu.Label3(1) text ""
expect menu.passo text "indicare i sottosistemi legati al sottosistema n. 1"
expect menu.Image1(1) visible "1"
expect menu.legami(1) enabled "0"
expect menu.legami(2) enabled "1"
expect menu.dopo enabled "1"
click menu.dopo
expect menu.Label3(1) text "con nessuno"
expect menu.Label3(2) text "con 1-3"
expect menu.legami(1) enabled "0"
expect menu.legami(2) enabled "0"
expect menu.legami(3) enabled "0"
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Scegliere tra le seguenti possibilità:\r- archiviare i dati per un uso futuro in un file del tipo Zelmor-dati...;\r- cliccare sul tasto 'Disegno' per visualizzare la composizione del modello;\r- digitare qualche dato diverso per modificare il disegno;\r- ricominciare daccapo azzerando tutto con il penultimo tasto della barra degli strumenti."
# A correction of the last one, with new links.
click menu.dopo
click menu.correggo(3)
click menu.legami(2)
click menu.dopo
expect menu.Label3(3) text "con 2"
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
