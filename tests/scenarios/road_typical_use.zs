# The typical road from the splash to the exit: a three-subsystem model is entered, drawn,
# given its title page and saved, then read back by a new run of the program.
setting officeName "Studio Rossi & Bianchi"
setting officeAddress "via Garibaldi 8, Parma"
today 2026-12-07
start
expect music "open play"
# 1. A click on the splash opens the data-entry window on its first hint.
click frmSplash
expect music "open play pause"
expect menu.passo text "cliccare sul tasto della situazione endemica prescelta"
# 2. The endemic situation, three subsystems and their links, in the procedure's order.
click menu.endemica(1)
click menu.Option1(2)
choose menu.valore "medio"
scroll menu.VScroll1 3
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
click menu.Option3(4)
choose menu.Combo1(2) "debole"
click menu.Check1(3)
click menu.Option3(9)
choose menu.Combo1(3) "medio"
expect menu.passo text "indicare i legami di ogni sottosistema"
click menu.legami(2)
click menu.legami(3)
click menu.dopo
click menu.legami(1)
click menu.dopo
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.Label3(1) text "con 2-3"
expect menu.Label3(2) text "con 1"
expect menu.Label3(3) text "con nessuno"
# 3. The drawing, saved as the picture file.
click menu.disegn
expect window disegno visible
expect picture "{picture}" size 632 428
# 4. A click on the drawing opens the title page; the drawing stays.
click disegno
expect window frontespizio visible
expect window disegno visible
expect frontespizio.data text "lunedì, 7 dic 2026"
expect frontespizio.Labelstudio text "Studio Rossi & Bianchi"
expect frontespizio.labelindirizzo text "via Garibaldi 8, Parma"
type frontespizio.progetto "Piano del verde"
expect frontespizio.tiposotto(1) text "centrale"
expect frontespizio.tiposotto(2) text "lato est"
expect frontespizio.tiposotto(3) text "angolo sud-ovest"
expect frontespizio.denominazione(3) enabled "1"
expect frontespizio.denominazione(4) enabled "0"
set frontespizio.località "Collecchio, località Ozzano"
set frontespizio.tipostudio "analisi situazione attuale"
set frontespizio.committente "Comune di Collecchio"
set frontespizio.luogo "Parma"
set frontespizio.allegati "planimetrie e foto"
set frontespizio.denominazione(1) "centro abitato"
set frontespizio.denominazione(2) "torrente Baganza"
set frontespizio.denominazione(3) "zona produttiva"
click frontespizio.controllodati
expect message information "Zelmor: controllo dati immessi nella finestra attiva" "I dati sono stati immessi correttamente."
# 5. Saved from the title page, as Windows-1252 text.
answer file "{dir}/Zelmor-dati-verde"
click frontespizio.salva
expect dialog "Salva file (frontespizio)" "File Zelmor-dati- | Zelmor-dati-*" 1 "Zelmor-dati-"
expect file "{dir}/Zelmor-dati-verde" "1,\"lato nord\",2,\"medio\",\"3\"\r\n1,\"centrale\",\"forte\",\"con 2-3\"\r\n4,\"lato est\",\"debole\",\"con 1\"\r\n9,\"angolo sud-ovest\",\"medio\",\"con nessuno\"\r\n\"Piano del verde\",\"Collecchio, localit\xE0 Ozzano\",\"analisi situazione attuale\"\r\n\"Comune di Collecchio\",\"Parma\",\"luned\xEC, 7 dic 2026\",\"planimetrie e foto\"\r\n\"centro abitato\"\r\n\"torrente Baganza\"\r\n\"zona produttiva\"\r\n"
# 7. The exit, confirmed: the closing screen, then a key ends the program.
answer question yes
click frontespizio.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window menu unloaded
expect window frontespizio unloaded
expect window disegno unloaded
expect frmSplash.label(2) text "          elaborazione eseguita con"
key frmSplash "x"
expect program ended
# A new run reads the file back: model in the data-entry window, title page in its own.
restart
click frmSplash
answer file "{dir}/Zelmor-dati-verde"
click menu.apri
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.situazione text "lato nord"
expect menu.sottosistemi text "3"
expect menu.tiposotto(3) text "angolo sud-ovest"
expect menu.Label3(1) text "con 2-3"
expect window frontespizio hidden
click menu.fin3
expect frontespizio.progetto text "Piano del verde"
expect frontespizio.località text "Collecchio, località Ozzano"
expect frontespizio.data text "lunedì, 7 dic 2026"
expect frontespizio.denominazione(2) text "torrente Baganza"
expect frontespizio.tiposotto(2) text "lato est"
# Saved again from the data-entry window: the very same bytes.
remove "{dir}/Zelmor-dati-verde"
click menu.salva
expect file "{dir}/Zelmor-dati-verde" "1,\"lato nord\",2,\"medio\",\"3\"\r\n1,\"centrale\",\"forte\",\"con 2-3\"\r\n4,\"lato est\",\"debole\",\"con 1\"\r\n9,\"angolo sud-ovest\",\"medio\",\"con nessuno\"\r\n\"Piano del verde\",\"Collecchio, localit\xE0 Ozzano\",\"analisi situazione attuale\"\r\n\"Comune di Collecchio\",\"Parma\",\"luned\xEC, 7 dic 2026\",\"planimetrie e foto\"\r\n\"centro abitato\"\r\n\"torrente Baganza\"\r\n\"zona produttiva\"\r\n"
answer question yes
click menu.Toolbar1(21)
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
key frmSplash "x"
expect program ended
