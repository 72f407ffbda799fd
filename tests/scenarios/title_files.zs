# The title page's file commands: their checks, dialogs and the current file shared with the
# data-entry window; files saved from either window are the same bytes.
start
click frmSplash
click menu.fin3
# No model: refused even with a project, and the data-entry window comes forward.
type frontespizio.progetto "P"
click frontespizio.salva
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Non esistono dati da archiviare."
close menu
expect window menu unloaded
click frontespizio.Toolbar1(2)
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Non esistono dati da archiviare."
expect window menu visible
expect menu.passo text "cliccare sul tasto della situazione endemica prescelta"
# A one-subsystem model; the title page learns it with the next change of the project.
click menu.endemica(3)
click menu.Option1(5)
choose menu.valore "forte"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "debole"
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
set frontespizio.progetto ""
click frontespizio.salvanome
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Attenzione: immettere i dati del progetto."
# Accented letters are written as single Windows-1252 bytes.
set frontespizio.progetto "Variante è località"
set frontespizio.località "Sant'Ilario d'Enza"
set frontespizio.data "1/1/2027"
set frontespizio.denominazione(1) "piazza"
expect frontespizio.denominazione(2) enabled "0"
answer file cancel
click frontespizio.salva
expect dialog "Salva file (frontespizio)" "File Zelmor-dati- | Zelmor-dati-*" 1 "Zelmor-dati-"
expect file "{dir}/Zelmor-dati-T" absent
answer file "{dir}/Zelmor-dati-T"
click frontespizio.salva
expect file "{dir}/Zelmor-dati-T" "3,\"lato ovest\",5,\"forte\",\"1\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"Variante \xE8 localit\xE0\",\"Sant'Ilario d'Enza\",\"\"\r\n\"\",\"\",\"1/1/2027\",\"\"\r\n\"piazza\"\r\n"
# The same data saved from the data-entry window: the same bytes.
answer file "{dir}/Zelmor-dati-M"
click menu.salvanome
expect file "{dir}/Zelmor-dati-M" "3,\"lato ovest\",5,\"forte\",\"1\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"Variante \xE8 localit\xE0\",\"Sant'Ilario d'Enza\",\"\"\r\n\"\",\"\",\"1/1/2027\",\"\"\r\n\"piazza\"\r\n"
# The current file is shared: a save in the title page now goes to M without a dialog.
set frontespizio.luogo "Reggio"
click frontespizio.salva
expect file "{dir}/Zelmor-dati-M" "3,\"lato ovest\",5,\"forte\",\"1\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"Variante \xE8 localit\xE0\",\"Sant'Ilario d'Enza\",\"\"\r\n\"\",\"Reggio\",\"1/1/2027\",\"\"\r\n\"piazza\"\r\n"
# Save as always asks, offering the name this window chose last; cancelled, M stays current.
answer file cancel
click frontespizio.Toolbar1(3)
expect dialog "Salva file con nome (frontespizio)" "File Zelmor-dati- | Zelmor-dati-*" 1 "{dir}/Zelmor-dati-T"
set frontespizio.luogo "Modena"
click frontespizio.salva
expect file "{dir}/Zelmor-dati-M" "3,\"lato ovest\",5,\"forte\",\"1\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"Variante \xE8 localit\xE0\",\"Sant'Ilario d'Enza\",\"\"\r\n\"\",\"Modena\",\"1/1/2027\",\"\"\r\n\"piazza\"\r\n"
# Opened in the title page, a two-subsystem file fills both windows ...
write "{dir}/Zelmor-dati-due" "1,\"lato nord\",2,\"medio\",\"2\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con 2\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"A\",\"B\",\"C\"\r\n\"D\",\"E\",\"F\",\"G\"\r\n\"H\"\r\n\"I\"\r\n"
answer file "{dir}/Zelmor-dati-due"
click frontespizio.apri
expect dialog "Apri file (frontespizio)" "Tutti i file (*.*)|*.*|File Zelmor-dati- | Zelmor-dati-*" 2 ""
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.sottosistemi text "2"
expect menu.tiposotto(1) text "angolo nord-ovest"
expect frontespizio.progetto text "A"
expect frontespizio.allegati text "G"
expect frontespizio.tiposotto(1) text "angolo nord-ovest"
expect frontespizio.tiposotto(2) text "centrale"
expect frontespizio.denominazione(2) text "I"
expect frontespizio.denominazione(2) enabled "1"
# ... and becomes the current file of both: the data-entry window's save writes it back.
remove "{dir}/Zelmor-dati-due"
click menu.salva
expect file "{dir}/Zelmor-dati-due" "1,\"lato nord\",2,\"medio\",\"2\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con 2\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"A\",\"B\",\"C\"\r\n\"D\",\"E\",\"F\",\"G\"\r\n\"H\"\r\n\"I\"\r\n"
# Delete: the all-files entry first, the data files preselected; nothing else changes.
answer file "{dir}/Zelmor-dati-T"
click frontespizio.eliminare
expect dialog "Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo" "Tutti i file (*.*)|*.*|File Zelmor-dati- | Zelmor-dati-*" 2 "{dir}/Zelmor-dati-due"
expect file "{dir}/Zelmor-dati-T" absent
remove "{dir}/Zelmor-dati-due"
click frontespizio.salva
expect file "{dir}/Zelmor-dati-due" "1,\"lato nord\",2,\"medio\",\"2\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con 2\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"A\",\"B\",\"C\"\r\n\"D\",\"E\",\"F\",\"G\"\r\n\"H\"\r\n\"I\"\r\n"
# A file that cannot be deleted is told; a cancelled delete or open does nothing.
answer file "{dir}/Zelmor-dati-T"
click frontespizio.Toolbar1(4)
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile eliminare il file \"{dir}/Zelmor-dati-T\": il file non esiste."
answer file cancel
click frontespizio.eliminare
answer file cancel
click frontespizio.Toolbar1(1)
expect frontespizio.progetto text "A"
# A save that cannot be written is told with its reason, and the file before it stays.
answer file "{dir}/nessuna-cartella/Zelmor-dati-X"
click frontespizio.salvanome
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile salvare il file \"{dir}/nessuna-cartella/Zelmor-dati-X\": la cartella {dir}/nessuna-cartella non esiste.\rIl file precedente, se esisteva, non è stato modificato."
expect file "{dir}/nessuna-cartella/Zelmor-dati-X" absent
# Read back in Windows-1252: the accented letters come back as they were typed.
write "{dir}/Zelmor-dati-acc" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Variante \xE8 localit\xE0\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"citt\xE0\"\r\n"
answer file "{dir}/Zelmor-dati-acc"
click frontespizio.apri
expect frontespizio.progetto text "Variante è località"
expect frontespizio.denominazione(1) text "città"
expect frontespizio.denominazione(2) enabled "0"
expect frontespizio.tiposotto(2) text ""
expect no message
# Closed, the title page is lost with its window: the data-entry window's save finds no project
# and brings up a fresh title page.
close frontespizio
expect window frontespizio unloaded
click menu.salva
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Attenzione: immettere i dati del progetto."
expect window frontespizio visible
expect frontespizio.progetto text ""
expect frontespizio.passo text "digitare i dati in ogni campo"
# A file whose project reads the same as the window's still brings its own subsystems.
set frontespizio.progetto "A"
expect frontespizio.tiposotto(2) text ""
answer file "{dir}/Zelmor-dati-due"
click frontespizio.apri
expect frontespizio.tiposotto(1) text "angolo nord-ovest"
expect frontespizio.tiposotto(2) text "centrale"
expect frontespizio.denominazione(2) enabled "1"
answer file "{dir}/Zelmor-dati-acc"
set frontespizio.progetto "Variante è località"
click menu.apri
expect frontespizio.tiposotto(2) text ""
expect frontespizio.denominazione(2) enabled "0"
expect no message
