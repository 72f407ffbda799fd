# Save, save as, open and delete: their checks, dialogs and the current file.
start
click frmSplash
click menu.salva
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Non esistono dati da archiviare."
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "medio"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.dopo
# No title page yet: refused.
click menu.salva
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Attenzione: immettere i dati del progetto."
click menu.Toolbar1(3)
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Attenzione: immettere i dati del progetto."
# A cancelled open changes nothing.
answer file cancel
click menu.apri
expect menu.Label3(1) text "con nessuno"
# An opened file brings its title page; Save then writes back to it without a dialog.
write "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
answer file "{dir}/Zelmor-dati-A"
click menu.apri
remove "{dir}/Zelmor-dati-A"
click menu.salva
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
click menu.salva
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# Save as always asks; cancelled, the current file stays current.
answer file cancel
click menu.salvanome
expect dialog "Salva file con nome" "File Zelmor-dati- | Zelmor-dati-*" 1 "{dir}/Zelmor-dati-A"
remove "{dir}/Zelmor-dati-A"
click menu.salva
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# Deleting B, then saving: the model goes to B, the name last chosen in the dialog.
write "{dir}/Zelmor-dati-B" "qualcosa"
answer file "{dir}/Zelmor-dati-B"
click menu.eliminare
expect dialog "Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo" "Tutti i file (*.*)|*.*|File Zelmor-dati- | Zelmor-dati-*" 2 "{dir}/Zelmor-dati-A"
expect file "{dir}/Zelmor-dati-B" absent
expect menu.Label3(1) text "con nessuno"
click menu.Toolbar1(2)
expect file "{dir}/Zelmor-dati-B" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# A cancelled delete deletes nothing; deleting the current file keeps it current.
answer file cancel
click menu.Toolbar1(4)
expect file "{dir}/Zelmor-dati-B" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
answer file "{dir}/Zelmor-dati-B"
click menu.Toolbar1(4)
expect file "{dir}/Zelmor-dati-B" absent
click menu.salva
expect file "{dir}/Zelmor-dati-B" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# A cleared window offers "Zelmor-dati-" again the first time; the title page is kept.
click menu.cancelladati
expect menu.passo text "cliccare sul tasto della situazione endemica prescelta"
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "medio"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.dopo
answer file "{dir}/Zelmor-dati-C"
click menu.salvanome
expect dialog "Salva file con nome" "File Zelmor-dati- | Zelmor-dati-*" 1 "Zelmor-dati-"
expect file "{dir}/Zelmor-dati-C" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# A partial model is saved all the same: typologies never chosen are empty numbers.
click menu.endemica(2)
click menu.Option2(1)
choose menu.valore "debole"
scroll menu.VScroll1 3
answer file "{dir}/Zelmor-dati-D"
click menu.salvanome
expect file "{dir}/Zelmor-dati-D" "2,\"longitudinale nord\",1,\"debole\",\"3\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n,\"\",\"\",\"\"\r\n,\"\",\"\",\"\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n\"\"\r\n\"\"\r\n"
expect no message
