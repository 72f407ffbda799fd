# Windows closed from their title bars. When the last window on the screen goes, a window that
# was only hidden (here the catalogue, hidden by its own button) goes too and the program ends,
# instead of living on with nothing on the screen to end it.
start
click frmSplash
key frmSplash "k"
expect window prodotti unloaded
expect window menu visible
click menu.supporto
click supportoclienti.listino
expect window prodotti visible
click prodotti.chiudi
expect window prodotti hidden
click supportoclienti.chiudi
expect window supportoclienti unloaded
close menu
expect window prodotti unloaded
expect program ended
