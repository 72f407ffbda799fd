# A later start with a file (`zelmor FILE`, a double click in the file manager) hands the file to
# the running copy; while the document holds data that no file holds, the copy asks before the
# file replaces them, and "No" keeps the work and forgets the file.
write "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
write "{dir}/Zelmor-dati-B" "2,\"croce centrale\",9,\"forte\",\"1\"\r\n3,\"lato sud\",\"debole\",\"con nessuno\"\r\n\"Strada\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n"
start
click frmSplash
click menu.endemica(3)
answer question no
handover "Zelmor-dati-A"
expect message question "Attenzione: i dati non archiviati andranno persi !" "Aprire il file \"{dir}/Zelmor-dati-A\"?"
expect menu.passo text "scegliere la tipologia della situazione puntuale"
expect menu.sottosistemi text ""
expect window frontespizio unloaded
answer question yes
handover "Zelmor-dati-A"
expect message question "Attenzione: i dati non archiviati andranno persi !" "Aprire il file \"{dir}/Zelmor-dati-A\"?"
expect menu.situazione text "totale"
expect frontespizio.progetto text "Progetto"
# A file as it was read is no work to lose: the next one opens without a question.
handover "{dir}/Zelmor-dati-B"
expect no message
expect menu.situazione text "croce centrale"
expect frontespizio.progetto text "Strada"

# Work in the title page alone counts too, with the data-entry window closed: the file shows
# that window, and asks there.
click menu.fin3
set frontespizio.progetto "Mio progetto"
answer question yes
close menu
expect message question "Attenzione: i dati non archiviati andranno persi !" "Chiudere la finestra Menu?"
answer question no
handover "Zelmor-dati-A"
expect message question "Attenzione: i dati non archiviati andranno persi !" "Aprire il file \"{dir}/Zelmor-dati-A\"?"
expect window menu visible
expect menu.sottosistemi text ""
expect frontespizio.progetto text "Mio progetto"

# After the exit nothing is left to lose: the file waits for the closing screen's click, and opens
# then without a question.
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
handover "Zelmor-dati-B"
expect window menu unloaded
click frmSplash
expect no message
expect menu.situazione text "croce centrale"
