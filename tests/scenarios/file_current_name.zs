# The current data file is only ever a file that was read whole or saved: a file that cannot be
# read, or a new start after the exit, never becomes the target of a save without a dialog.
today 2026-12-07
start
click frmSplash
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
answer file "{dir}/Zelmor-dati-a"
click frontespizio.salva
expect file "{dir}/Zelmor-dati-a" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"P\",\"\",\"\"\r\n\"\",\"\",\"luned\xec, 7 dic 2026\",\"\"\r\n\"\"\r\n"
# A letter picked by mistake, in either window: told, and the next save still goes to the file.
write "{dir}/lettera.txt" "Gentile signora,\r\nle scrivo per\r\n"
answer file "{dir}/lettera.txt"
click menu.apri
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile leggere il file \"{dir}/lettera.txt\".\rRiga 1: mancano dei campi.\rI dati nella finestra non sono stati modificati."
answer file "{dir}/lettera.txt"
click frontespizio.apri
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile leggere il file \"{dir}/lettera.txt\".\rRiga 1: mancano dei campi.\rI dati nella finestra non sono stati modificati."
set frontespizio.località "L"
click menu.salva
click frontespizio.salva
expect file "{dir}/lettera.txt" "Gentile signora,\r\nle scrivo per\r\n"
expect file "{dir}/Zelmor-dati-a" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"P\",\"L\",\"\"\r\n\"\",\"\",\"luned\xec, 7 dic 2026\",\"\"\r\n\"\"\r\n"
# A count the program cannot use is a read error like any other, in both windows.
write "{dir}/Zelmor-dati-piu" "1,\"totale\",1,\"medio\",\"+2\"\r\n1,\"centrale\",\"forte\",\"con 2\"\r\n1,\"centrale\",\"forte\",\"con 1\"\r\n\"Q\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-piu"
click menu.apri
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile leggere il file \"{dir}/Zelmor-dati-piu\".\rRiga 1: numero dei sottosistemi non valido (deve essere da 1 a 9).\rI dati nella finestra non sono stati modificati."
answer file "{dir}/Zelmor-dati-piu"
click frontespizio.apri
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile leggere il file \"{dir}/Zelmor-dati-piu\".\rRiga 1: numero dei sottosistemi non valido (deve essere da 1 a 9).\rI dati nella finestra non sono stati modificati."
expect menu.sottosistemi text "1"
expect frontespizio.progetto text "P"
# After the exit and a new start, the old file is not the new model's file.
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
click frmSplash
click menu.endemica(2)
click menu.Option2(1)
choose menu.valore "debole"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(5)
choose menu.Combo1(1) "debole"
click menu.dopo
click menu.fin3
set frontespizio.progetto "Nuovo"
answer file "{dir}/Zelmor-dati-b"
click menu.salva
expect dialog "Salva file" "File Zelmor-dati- | Zelmor-dati-*" 1 "Zelmor-dati-"
expect file "{dir}/Zelmor-dati-a" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"P\",\"L\",\"\"\r\n\"\",\"\",\"luned\xec, 7 dic 2026\",\"\"\r\n\"\"\r\n"
expect file "{dir}/Zelmor-dati-b" "2,\"longitudinale nord\",1,\"debole\",\"1\"\r\n5,\"lato ovest\",\"debole\",\"con nessuno\"\r\n\"Nuovo\",\"\",\"\"\r\n\"\",\"\",\"luned\xec, 7 dic 2026\",\"\"\r\n\"\"\r\n"
