# The parked splash brought forward: a click shows the menu again (keeping its data), a key
# closes only the splash and its music; the working windows stay. A later exit loads the splash
# afresh, which opens and starts the music again before the resume.
start
click frmSplash
click menu.endemica(2)
click frmSplash.label(3)
expect window menu visible
expect menu.endemica(2) checked "1"
expect music "open play pause pause"
key frmSplash "\x1b"
expect window frmSplash unloaded
expect window prodotti unloaded
expect window menu visible
expect music "open play pause pause close"
answer question yes
click menu.Toolbar1(21)
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window frmSplash visible
expect frmSplash.label(2) text "          elaborazione eseguita con"
expect music "open play pause pause close open play play"
key frmSplash "x"
expect program ended
