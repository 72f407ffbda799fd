# The periphery windows reached from the data-entry window: about and support from the "?" menu
# and the toolbar, the catalogue from the support window.
setting officeName "Ufficio tecnico di prova"
start
click frmSplash
click menu.informazioni
expect window informa visible
expect informa caption "Informazioni su Zelmor"
expect informa.versione text "Versione 4.04.05 del 14/02/99"
expect informa.copyright text "Copyright © 1999-2011"
expect informa.ufficio text "Ufficio tecnico di prova"
click informa.ok
expect window informa unloaded
click menu.Toolbar1(17)
expect window informa visible
click menu.Toolbar1(16)
expect window supportoclienti visible
expect supportoclienti caption "Zelmor: supporto prodotto"
click supportoclienti.chiudi
click menu.supporto
expect window supportoclienti visible
click supportoclienti.listino
expect window prodotti visible
expect prodotti caption "Zelmor: catalogo prodotti"
expect prodotti.nondisponibile visible "0"
click prodotti.chiudi
expect window prodotti hidden
# A confirmed exit unloads all of them and leaves the closing screen.
answer question yes
click menu.esci
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window informa unloaded
expect window supportoclienti unloaded
expect window prodotti unloaded
expect window frmSplash visible
