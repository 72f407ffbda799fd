# The help contents: reached from both working windows, laid out in its groups, opening a window
# per entry, a highlight that follows the mouse, the pressed look, and "Chiudi" that only hides
# it, so that it comes back as it was left.
start
click frmSplash
click menu.guida
expect window sommario visible
expect sommario caption "Zelmor: guida in linea"
expect sommario backcolor "255,255,192"
# Opened at its own size where a window of three quarters of the screen would stand centred.
expect sommario width "3975"
expect sommario height "6825"
expect sommario left "1920"
expect sommario top "1440"
expect sommario.Label1 text "Argomenti della guida"
expect sommario.Label1 backcolor "0,255,255"
expect sommario.Label1 bold "1"
expect sommario.Label1 left "240"
expect sommario.Label1 width "3375"
# Eight entries in three groups: a wider gap after the fourth and the seventh.
expect sommario.lbl(1) text "  Manuale d'uso rapido"
expect sommario.lbl(2) text "  Funzionamento del programma"
expect sommario.lbl(3) text "  Archivio dati"
expect sommario.lbl(4) text " Stampa"
expect sommario.lbl(5) text " Finestra Menu"
expect sommario.lbl(6) text " Finestra Disegno modello"
expect sommario.lbl(7) text " Finestra Frontespizio"
expect sommario.lbl(8) text "  Suggerimento del giorno"
expect sommario.lbl(1) top "960"
expect sommario.lbl(4) top "2040"
expect sommario.lbl(5) top "2760"
expect sommario.lbl(7) top "3480"
expect sommario.lbl(8) top "4440"
expect sommario.puls(8) top "4440"
expect sommario.puls(8) text "--->"
expect sommario.puls(1) left "240"
expect sommario.lbl(1) left "720"
expect sommario.lbl(1) width "2895"
expect sommario.lbl(3) backcolor "0,255,255"
expect sommario.lbl(3) border "1"
expect sommario.lbl(6) bold "0"
expect sommario.cmdstampa text "&Stampa"
expect sommario.cmdstampa tooltip "cliccare per avere la copia su carta del sommario"
expect sommario.cmdchiudi tooltip "cliccare per chiudere la finestra"
expect sommario.uscita text "&USCITA"
expect sommario.uscita tooltip "cliccare per uscire da Zelmor"
expect sommario.uscita top "5880"
expect sommario.uscita left "2520"

# Each arrow opens its page; the last one the tip of the day.
click sommario.puls(1)
expect window manuale visible
click sommario.puls(2)
expect window guidafunzionamento visible
click sommario.puls(3)
expect window guidaarchivio visible
click sommario.puls(4)
expect window guidastampa visible
click sommario.puls(5)
expect window guidamenu visible
click sommario.puls(6)
expect window guidadisegno visible
click sommario.puls(7)
expect window guidafrontespizio visible
click sommario.puls(8)
expect window frmTip visible
# Pages stay open beside each other and beside the working window.
expect window manuale visible
expect window menu visible
click manuale.cmdchiudi
click guidafunzionamento.cmdchiudi
click guidaarchivio.cmdchiudi
click guidastampa.cmdchiudi
click guidamenu.cmdchiudi
click guidadisegno.cmdchiudi
click guidafrontespizio.cmdchiudi
click frmTip.cmdOK

# The highlight follows the pointer: one entry at a time, none over the background.
mouse sommario.lbl(2) move
expect sommario.lbl(2) bold "1"
expect sommario.lbl(1) bold "0"
mouse sommario.lbl(7) move
expect sommario.lbl(7) bold "1"
expect sommario.lbl(2) bold "0"
mouse sommario move
expect sommario.lbl(7) bold "0"
expect sommario.lbl(2) bold "0"
mouse sommario.lbl(8) move
mouse sommario.lbl(8) move
expect sommario.lbl(8) bold "1"
# Over a button nothing changes.
mouse sommario.puls(1) move
expect sommario.lbl(8) bold "1"

# Pressing an entry makes it look pressed and opens its window at once; releasing it gives the
# border back.
mouse sommario.lbl(3) down
expect sommario.lbl(3) border "0"
expect window guidaarchivio visible
expect sommario.lbl(2) border "1"
mouse sommario.lbl(3) up
expect sommario.lbl(3) border "1"
mouse sommario.lbl(8) down
expect window frmTip visible
mouse sommario.lbl(8) up
# A click alone on an entry (without the mouse gestures) opens nothing.
click sommario.lbl(1)
expect window manuale unloaded

# "Chiudi" hides the contents; it comes back as it was, highlight included, from the page's
# "Sommario", from the menu of either working window and from toolbar button 14.
mouse sommario.lbl(5) move
click sommario.cmdchiudi
expect window sommario hidden
click guidaarchivio.cmdSommario
expect window sommario visible
expect sommario.lbl(5) bold "1"
click sommario.cmdchiudi
click menu.guidainlinea
expect window sommario visible
click sommario.cmdchiudi
click menu.Toolbar1(14)
expect window sommario visible
click sommario.cmdchiudi
click menu.fin3
click frontespizio.guidaonline
expect window sommario visible
click sommario.cmdchiudi
click frontespizio.guida
expect window sommario visible
click sommario.cmdchiudi
click frontespizio.Toolbar1(14)
expect window sommario visible
# A page opened while the contents are hidden stays open when they come back.
click sommario.puls(4)
click sommario.cmdchiudi
click guidastampa.cmdSommario
expect window guidastampa visible
expect window sommario visible

# "USCITA": the exit question; No leaves everything as it was.
answer question no
click sommario.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window sommario visible
expect window guidastampa visible
expect window frmTip visible
answer question yes
click sommario.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window sommario unloaded
expect window guidastampa unloaded
expect window guidaarchivio unloaded
expect window frmTip unloaded
expect window frontespizio unloaded
expect window frmSplash visible
