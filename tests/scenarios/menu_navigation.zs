# The shared commands of the menu window: where am I, windows still to come, exit.
start
click frmSplash
click menu.fin1
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "E' questa la finestra 'Menu'."
click menu.Toolbar1(8)
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "E' questa la finestra 'Menu'."
expect window menu visible
click menu.endemica(2)
# Exit answered No changes nothing.
answer question no
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window menu visible
expect menu.passo text "scegliere la tipologia della situazione lineare"
answer question no
click menu.Toolbar1(21)
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window menu loaded
answer question yes
click menu.esci
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window menu unloaded
expect window frmSplash visible
key frmSplash "x"
expect program ended
