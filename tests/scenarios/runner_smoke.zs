# The scenario runner against the data-entry window: start-up, a click that runs its rule,
# and the exit question answered both ways.
start
click frmSplash
expect menu caption "Zelmor: menu - immissione dati"
expect window menu visible
click menu.endemica(2)
expect menu.endemica(2) checked "1"
expect menu.passo text "scegliere la tipologia della situazione lineare"

answer question no
click menu.esci
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window menu visible

answer question yes
click menu.esci
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window menu unloaded
expect window frmSplash visible
key frmSplash "x"
expect program ended
expect no message
