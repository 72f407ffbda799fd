# A model saved after a change of kind: the typology caption of the earlier kind is no typology
# of the new one. The window asks for the typology, refuses the drawing and the data check, and
# the file opened again gives the same: only once a typology of the kind is chosen does the
# model come back complete.
today 2026-12-08
start
click frmSplash
click menu.endemica(1)
click menu.Option1(6)
expect menu.situazione text "angolo nord-ovest"
choose menu.valore "medio"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
click menu.disegn
click menu.endemica(2)
expect menu.passo text "scegliere la tipologia della situazione lineare"
expect menu.situazione text "angolo nord-ovest"
click menu.fin3
set frontespizio.progetto "Argine"
answer file "{dir}/Zelmor-dati-argine"
click menu.salva
expect file "{dir}/Zelmor-dati-argine" "2,\"angolo nord-ovest\",6,\"\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Argine\",\"\",\"\"\r\n\"\",\"\",\"marted\xEC, 8 dic 2026\",\"\"\r\n\"\"\r\n"
click menu.controlla
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Inserire i dati seguendo le indicazioni nella casella gialla in basso nella finestra, o correggere quelli immessi.\rCliccare sul tasto AIUTO per avere una guida pertinente al contesto."
click menu.disegn
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Per poter visualizzare il disegno di un modello bisogna immettere tutti i dati necessari."
# Opened again: the same step, the lineare typologies to choose from, nothing further open.
answer file "{dir}/Zelmor-dati-argine"
click menu.apri
expect no message
expect menu.endemica(2) checked "1"
expect menu.passo text "scegliere la tipologia della situazione lineare"
expect menu.Frame2 visible "1"
expect menu.Frame3 visible "0"
expect menu.Option2(6) checked "0"
expect menu.situazione text "angolo nord-ovest"
expect menu.valore enabled "0"
expect menu.VScroll1 enabled "0"
expect menu.Check1(1) enabled "0"
expect menu.legami(1) enabled "0"
expect menu.dopo enabled "0"
expect menu.correggo(1) visible "0"
click menu.controlla
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Inserire i dati seguendo le indicazioni nella casella gialla in basso nella finestra, o correggere quelli immessi.\rCliccare sul tasto AIUTO per avere una guida pertinente al contesto."
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Scegliere la tipologia di situazione endemica cliccando sull'opzione relativa."
click menu.disegn
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Per poter visualizzare il disegno di un modello bisogna immettere tutti i dati necessari."
click frontespizio.Toolbar1(9)
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Per poter visualizzare il disegno di un modello bisogna immettere tutti i dati necessari."
click menu.solodati
expect message information "Zelmor: aiuto in linea" "I dati immessi sono incompleti: seguire le indicazioni della casella gialla prima di stamparli."
# The superficiale drawing is no picture of this model.
click frontespizio.stampa
expect message critical "Zelmor: stampa" "Il disegno del modello non corrisponde ai dati attuali ({picture}).\rVisualizzare il disegno (Finestra Disegno), poi ripetere la stampa."
expect word
end
# A lineare typology and a value: the model is complete again, and saved as such.
click menu.Option2(6)
expect menu.situazione text "trasversale est"
choose menu.valore "forte"
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
click menu.controlla
expect message information "Zelmor: controllo dati immessi nella finestra attiva" "I dati sono stati immessi correttamente."
click menu.salva
expect file "{dir}/Zelmor-dati-argine" "2,\"trasversale est\",6,\"forte\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Argine\",\"\",\"\"\r\n\"\",\"\",\"marted\xEC, 8 dic 2026\",\"\"\r\n\"\"\r\n"
click menu.disegn
expect window disegno visible
click frontespizio.stampa
expect no message
expect word has "cell 2 2 \"lineare\""
expect word has "cell 3 2 \"trasversale est\""
