# The title-page window: its load, its layout, the length warnings, the subsystem refresh, the
# check, the clear command, the colour and the help message.
setting officeName "Studio Verdi"
setting officeAddress "piazza Duomo 1, Milano"
today 2027-03-14
start
click frmSplash
click menu.Toolbar1(10)
expect window frontespizio visible
expect frontespizio caption "Zelmor: frontespizio per la relazione"
expect frontespizio width "9600"
expect frontespizio height "6825"
expect frontespizio.data text "domenica, 14 mar 2027"
expect frontespizio.Labelstudio text "Studio Verdi"
expect frontespizio.labelindirizzo text "piazza Duomo 1, Milano"
expect frontespizio.passo text "digitare i dati in ogni campo"
expect frontespizio.Label1 text "MODELLO FENOMENOLOGICO ASPAZIALE"
expect frontespizio.Label2 text " progetto....................:"
expect frontespizio.Label9 text " allegati alla relazione:"
expect frontespizio.Frame1 text "Denominazione dei sottosistemi"
expect frontespizio.Label5 text " tipologia"
expect frontespizio.Label5 tooltip "il tipo di progetto che si sta elaborando"
expect frontespizio.label7 tooltip "la data della elaborazione è importante per la formulazione di ipotesi e per il riferimento temporale delle analisi"
expect frontespizio.allegati top "3720"
expect frontespizio.allegati left "1920"
expect frontespizio.denominazione(9) top "2760"
expect frontespizio.denominazione(9) left "1440"
expect frontespizio.passo left "2640"
expect frontespizio.stampa tooltip "cliccare per avere la stampa completa della elaborazione eseguita"
expect frontespizio.Toolbar1(6) tooltip "stampa completa dell'elaborazione"
expect frontespizio.finestra text "                                                                                                                              Fi&nestra n.3 di 3"
expect frontespizio.fin3 checked "1"
expect frontespizio.stampatutto text "&relazione e modello"
# No model yet: the type labels stay empty and the denominations closed.
type frontespizio.progetto "Ri"
expect frontespizio.denominazione(1) enabled "0"
expect frontespizio.tiposotto(1) text ""
# Where the user is, and the windows on either side.
click frontespizio.fin3
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "E' questa la finestra Frontespizio."
click frontespizio.Toolbar1(10)
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "E' questa la finestra Frontespizio."
click frontespizio.fin2
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Per poter visualizzare il disegno di un modello bisogna immettere tutti i dati necessari."
expect window disegno unloaded
click frontespizio.finestra
# Without a model the reports refuse (and bring the data-entry window forward).
click frontespizio.stampa
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Non esistono dati del modello da stampare: immetterli nella finestra Menu o aprire un file archiviato."
click frontespizio.stampadati
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Non esistono dati del modello da stampare: immetterli nella finestra Menu o aprire un file archiviato."
# A 61st character warns at each keystroke from then on; the text keeps every character.
set frontespizio.committente "123456789012345678901234567890123456789012345678901234567890"
expect no message
type frontespizio.committente "ab"
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 60 spazi."
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 60 spazi."
expect frontespizio.committente text "123456789012345678901234567890123456789012345678901234567890ab"
set frontespizio.committente "Provincia"
# Three subsystems: their types beside denominations 1 to 3, the others closed.
click frontespizio.fin1
expect window menu visible
click menu.endemica(2)
click menu.Option2(3)
choose menu.valore "debole"
scroll menu.VScroll1 3
click menu.Check1(1)
click menu.Option3(2)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
click menu.Option3(3)
choose menu.Combo1(2) "forte"
click menu.Check1(3)
click menu.Option3(5)
choose menu.Combo1(3) "forte"
click menu.dopo
click menu.dopo
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
click menu.fin3
expect frontespizio.tiposotto(1) text ""
type frontespizio.progetto "o"
expect frontespizio.tiposotto(1) text "lato nord"
expect frontespizio.tiposotto(3) text "lato ovest"
expect frontespizio.denominazione(3) enabled "1"
expect frontespizio.denominazione(4) enabled "0"
expect frontespizio.tiposotto(4) text ""
# A 26th character warns and is cut off.
set frontespizio.denominazione(1) "abcdefghijklmnopqrstuvwxy"
expect no message
type frontespizio.denominazione(1) "z"
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 25 spazi."
expect frontespizio.denominazione(1) text "abcdefghijklmnopqrstuvwxy"
set frontespizio.denominazione(2) "abcdefghijklmnopqrstuvwxyz0123"
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 25 spazi."
expect frontespizio.denominazione(2) text "abcdefghijklmnopqrstuvwxy"
# Characters count as the user sees them: an emoji with its skin tone is one, and the cut never
# splits it.
set frontespizio.denominazione(3) "abcdefghijklmnopqrstuvwx👍🏽"
expect no message
expect frontespizio.denominazione(3) text "abcdefghijklmnopqrstuvwx👍🏽"
set frontespizio.denominazione(3) "abcdefghijklmnopqrstuvw👍🏽yz"
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 25 spazi."
expect frontespizio.denominazione(3) text "abcdefghijklmnopqrstuvw👍🏽y"
# Fewer subsystems: the next change of the project closes the boxes above the count; their
# texts stay.
click frontespizio.Toolbar1(8)
scroll menu.VScroll1 2
click menu.fin3
set frontespizio.progetto "Rio Secco"
expect frontespizio.denominazione(3) enabled "0"
expect frontespizio.tiposotto(3) text ""
expect frontespizio.denominazione(2) text "abcdefghijklmnopqrstuvwxy"
# With a drawable model "Finestra Disegno" draws afresh each time.
click menu.Toolbar1(8)
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "E' questa la finestra 'Menu'."
click menu.fin3
click frontespizio.fin2
expect window disegno visible
click frontespizio.Toolbar1(9)
expect window disegno visible
expect drawn box 0
click disegno
expect window frontespizio visible
# The check and its four outcomes.
click frontespizio.cancella
expect frontespizio.data text ""
expect frontespizio.denominazione(1) text ""
expect frontespizio.denominazione(1) enabled "1"
expect frontespizio.tiposotto(2) text "lato sud"
set frontespizio.data "oggi"
set frontespizio.luogo "Lodi"
click frontespizio.controllodati
expect message question "Zelmor: controllo dati immessi nella finestra attiva" "Non è stato immesso alcun dato."
set frontespizio.allegati "foto"
click frontespizio.Toolbar1(19)
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Inserire dati per ogni campo."
set frontespizio.progetto "P"
set frontespizio.località "L"
set frontespizio.tipostudio "T"
set frontespizio.committente "C"
set frontespizio.luogo ""
set frontespizio.denominazione(1) "uno"
click frontespizio.controllodati
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Mancano solo le denominazioni complete dei sottosistemi: digitarle se necessario."
set frontespizio.denominazione(2) "due"
click frontespizio.controllodati
expect message information "Zelmor: controllo dati immessi nella finestra attiva" "I dati sono stati immessi correttamente."
set frontespizio.data ""
click frontespizio.controllodati
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Inserire dati per ogni campo."
# The clear command empties every field without asking.
click frontespizio.Toolbar1(20)
expect frontespizio.progetto text ""
expect frontespizio.località text ""
expect frontespizio.allegati text ""
expect frontespizio.denominazione(2) text ""
expect frontespizio.tiposotto(1) text "lato nord"
# The colour dialog opens on this window's last choice (black at first).
answer colour 200 220 255
click frontespizio.colorare
expect frontespizio backcolor "200,220,255"
answer colour cancel
click frontespizio.Toolbar1(12)
expect frontespizio backcolor "200,220,255"
expect menu backcolor "192,192,192"
# Help.
click frontespizio.aiuto
expect message information "Zelmor: aiuto in linea" "- Digitare o correggere i dati spostandosi con il tasto TAB, o con il mouse, nei campi;\r- la data viene impostata in automatico, ma è modificabile;\r- lo studio tecnico non è modificabile: nome e indirizzo sono quelli registrati nelle impostazioni del programma;\r- aprire un file archiviato per prelevare, eventualmente, i dati registrati (Zelmor-dati-);\r- non digitare dati più lunghi di 60 spazi per i dati di sinistra;\r- non digitare dati più lunghi di 25 spazi per i dati di destra;\r- effettuare il controllo dei dati immessi cliccando sul tasto ABC."
# "Esci" asks; No leaves everything as it was.
answer question no
click frontespizio.esci
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window frontespizio visible
expect frontespizio backcolor "200,220,255"
