# A data file named on the command line: the data-entry window opens it when it first appears,
# as "Apri..." opens a file chosen in its dialog, with the same messages and the same rule for
# which file a later "Salva" writes.
write "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# Relative: resolved against the folder the program starts in.
argument "Zelmor-dati-A"
start
# Nothing is read while the splash waits for its click.
expect window menu unloaded
click frmSplash
expect no message
expect menu.sottosistemi text "1"
expect menu.situazione text "totale"
expect menu.tiposotto(1) text "centrale"
expect menu.Label3(1) text "con nessuno"
expect frontespizio.progetto text "Progetto"
# It is the current file: Save writes back to it without a dialog.
remove "{dir}/Zelmor-dati-A"
click menu.salva
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# Opened once: after the exit, the closing screen's click brings an empty window.
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
click frmSplash
expect menu.sottosistemi text ""
expect menu.passo text "cliccare sul tasto della situazione endemica prescelta"
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
key frmSplash "x"
expect program ended

# A file that is not there: told as Open tells it, with the full path; the window stays empty.
argument "Zelmor-dati-nessuno"
restart
click frmSplash
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile aprire il file \"{dir}/Zelmor-dati-nessuno\": il file non esiste."
expect menu.sottosistemi text ""
key frmSplash "x"
close menu
expect program ended

# A letter picked by mistake: not read, and so not the file a later save writes.
write "{dir}/lettera.txt" "Gentile signora,\r\nle scrivo per\r\n"
argument "{dir}/lettera.txt"
restart
click frmSplash
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile leggere il file \"{dir}/lettera.txt\".\rRiga 1: mancano dei campi.\rI dati nella finestra non sono stati modificati."
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "medio"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.dopo
click menu.fin3
set frontespizio.progetto "P"
answer file cancel
click menu.salva
expect dialog "Salva file" "File Zelmor-dati- | Zelmor-dati-*" 1 "Zelmor-dati-"
expect file "{dir}/lettera.txt" "Gentile signora,\r\nle scrivo per\r\n"

# A folder is no data file either.
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
key frmSplash "x"
argument "{dir}"
restart
click frmSplash
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile aprire il file \"{dir}\": è una cartella."
