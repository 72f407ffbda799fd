# The title-page data report ("&solo dati finestra") and the model picture report ("solo
# &modello"): refused without a model or without a drawing, then the tables and the picture.
setting officeName "Studio Rossi & Bianchi"
setting officeAddress "via Garibaldi 8, Parma"
today 2026-12-08
start
click frmSplash
click menu.fin3
expect window frontespizio visible
# No model: nothing to size the subsystem table with. The data-entry window comes forward.
click frontespizio.stampadati
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Non esistono dati del modello da stampare: immetterli nella finestra Menu o aprire un file archiviato."
expect window menu visible
expect frontespizio.passo text "digitare i dati in ogni campo"
# No drawing yet: the picture report says what to do before Writer is started.
click frontespizio.stampamodello
expect message critical "Zelmor: stampa" "Il disegno del modello non è ancora stato salvato ({picture}).\rVisualizzare il disegno (Finestra Disegno), poi ripetere la stampa."
expect frontespizio.passo text "digitare i dati in ogni campo"
expect word
end
# One subsystem.
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "forte"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "medio"
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
# Empty fields print empty cells; the subsystem's type is the model's own.
click frontespizio.stampadati
expect no message
expect frontespizio.passo text "ho visualizzato i dati su WORD"
expect word
start
show
add document
font name "Century Gothic"
font size 20
type "Zelmor\r"
font size 16
type "composizioni di modelli logici aspaziali\r\r"
font size 12
type "Dati generali\r"
append paragraph
add table 10 2
table font size 10
cell 1 1 "tipologia"
cell 1 2 "dati"
cell 2 1 "progetto"
cell 2 2 ""
cell 3 1 "località"
cell 3 2 ""
cell 4 1 "tipologia di studio"
cell 4 2 ""
cell 5 1 "committente"
cell 5 2 ""
cell 6 1 "luogo di elaborazione"
cell 6 2 ""
cell 7 1 "data di elaborazione"
cell 7 2 "martedì, 8 dic 2026"
cell 8 1 "allegati alla relazione"
cell 8 2 ""
cell 9 1 "studio tecnico"
cell 9 2 "Studio Rossi & Bianchi"
cell 10 1 "indirizzo dello studio"
cell 10 2 "via Garibaldi 8, Parma"
autoformat 9
append paragraph
add table 2 3
table font size 10
cell 1 1 "n. sottosistema"
cell 1 2 "tipologia"
cell 1 3 "denominazione"
cell 2 1 " 1"
cell 2 2 "centrale"
cell 2 3 ""
autoformat 9
end
# The drawing writes the picture; the picture report puts it alone into a document.
click menu.disegn
expect picture "{picture}" size 632 428
click frontespizio.stampamodello
expect no message
expect frontespizio.passo text "ho visualizzato il modello su WORD"
expect word
start
show
add document
add picture "{picture}"
end
# Twice: two sessions, one document each.
click frontespizio.stampamodello
click frontespizio.stampamodello
expect word
start
show
add document
add picture "{picture}"
start
show
add document
add picture "{picture}"
end
# A change of the project opens the denominations; the fields stay empty.
type frontespizio.progetto "P"
set frontespizio.progetto ""
set frontespizio.denominazione(1) "centro storico"
click frontespizio.stampadati
expect word has "cell 2 2 \"centrale\""
expect word has "cell 2 3 \"centro storico\""
expect word has "cell 2 2 \"\""
# Nine subsystems from a file, with their denominations.
write "{dir}/Zelmor-dati-nove" "2,\"croce centrale\",9,\"forte\",\"9\"\r\n1,\"centrale\",\"forte\",\"con 2-3\"\r\n2,\"lato nord\",\"medio\",\"con 1\"\r\n3,\"lato sud\",\"debole\",\"con nessuno\"\r\n4,\"lato est\",\"medio\",\"con 5\"\r\n5,\"lato ovest\",\"forte\",\"con 4\"\r\n6,\"angolo nord-ovest\",\"debole\",\"con 7\"\r\n7,\"angolo nord-est\",\"medio\",\"con 6\"\r\n8,\"angolo sud-est\",\"debole\",\"con 9\"\r\n9,\"angolo sud-ovest\",\"molto forte\",\"con 8\"\r\n\"Piano di recupero\",\"Borgo\",\"analisi\"\r\n\"Comune\",\"Parma\",\"15/03/2026\",\"tavole 1-4\"\r\n\"d1\"\r\n\"d2\"\r\n\"d3\"\r\n\"d4\"\r\n\"d5\"\r\n\"d6\"\r\n\"d7\"\r\n\"d8\"\r\n\"d9\"\r\n"
answer file "{dir}/Zelmor-dati-nove"
click frontespizio.apri
click frontespizio.stampadati
expect word has "cell 2 2 \"Piano di recupero\""
expect word has "cell 7 2 \"15/03/2026\""
expect word has "add table 10 3"
expect word has "cell 10 1 \" 9\""
expect word has "cell 10 2 \"angolo sud-ovest\""
expect word has "cell 10 3 \"d9\""
expect word has "cell 9 3 \"d8\""
# A typology changed after the title page took its types: the report prints the model's own.
click menu.Check1(9)
click menu.Check1(9)
click menu.Option3(1)
choose menu.Combo1(9) "forte"
click frontespizio.stampadati
expect word has "cell 10 2 \"centrale\""
