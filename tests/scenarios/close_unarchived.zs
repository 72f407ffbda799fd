# Closing a working window from its title bar asks first while the document holds data that no
# file holds (changed since it was last read or saved); "No" keeps the window and everything in
# it. A window whose own part is as freshly loaded discards nothing, and closes as it always did.
# The model goes with the data-entry window, and with it the current file.
write "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
start
click frmSplash
close menu
expect window menu unloaded
click frmSplash
click menu.endemica(1)
answer question no
close menu
expect message question "Attenzione: i dati non archiviati andranno persi !" "Chiudere la finestra Menu?"
expect window menu visible
expect menu.passo text "scegliere la tipologia della situazione superficiale"
# The title page with nothing typed in it loses nothing.
click menu.fin3
close frontespizio
expect window frontespizio unloaded
answer question yes
close menu
expect message question "Attenzione: i dati non archiviati andranno persi !" "Chiudere la finestra Menu?"
expect window menu unloaded
click frmSplash
expect menu.passo text "cliccare sul tasto della situazione endemica prescelta"

# A file opened and left as read: nothing is lost, nothing asked.
answer file "{dir}/Zelmor-dati-A"
click menu.apri
close menu
expect window menu unloaded
# Nor is the file current any more: a model entered in a fresh window is saved where the user
# says, not over the file.
click frmSplash
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "medio"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(2)
choose menu.Combo1(1) "debole"
click menu.dopo
answer file cancel
click menu.salva
expect dialog "Salva file" "File Zelmor-dati- | Zelmor-dati-*" 1 "Zelmor-dati-"

# "Cancella dati immessi" empties the model, and leaves no current file either.
answer file "{dir}/Zelmor-dati-A"
click menu.apri
click menu.cancelladati
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "medio"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(2)
choose menu.Combo1(1) "debole"
click menu.dopo
answer file cancel
click menu.salva
expect dialog "Salva file" "File Zelmor-dati- | Zelmor-dati-*" 1 "Zelmor-dati-"
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"

# A title page changed since the file was read: its close asks; so does the data-entry window's,
# whose model without it could not be saved back with the title page typed.
answer file "{dir}/Zelmor-dati-A"
click menu.apri
click menu.fin3
set frontespizio.progetto "Nuovo"
answer question no
close frontespizio
expect message question "Attenzione: i dati non archiviati andranno persi !" "Chiudere la finestra Frontespizio?"
expect frontespizio.progetto text "Nuovo"
expect frontespizio.denominazione(1) text "Den"
answer question no
close menu
expect message question "Attenzione: i dati non archiviati andranno persi !" "Chiudere la finestra Menu?"
expect window menu visible
answer question yes
close frontespizio
expect message question "Attenzione: i dati non archiviati andranno persi !" "Chiudere la finestra Frontespizio?"
expect window frontespizio unloaded
# What is left is the file's model as read.
close menu
expect window menu unloaded

# Saved, a changed model is archived: the close asks nothing.
click frmSplash
answer file "{dir}/Zelmor-dati-A"
click menu.apri
choose menu.Combo1(1) "medio"
click menu.salva
close menu
expect window menu unloaded
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"medio\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
expect no message
