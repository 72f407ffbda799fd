# The opening screen: where it stands, what it says, its music, and the round trip through a
# confirmed exit back to it, then to a fresh data-entry window.
screen 15360 11520
start
expect window frmSplash visible
expect window prodotti hidden
expect window menu unloaded
expect frmSplash caption ""
expect frmSplash backcolor "0,0,0"
expect frmSplash width "8790"
expect frmSplash height "5415"
expect frmSplash left "3285"
expect frmSplash top "3052"
expect frmSplash.label(1) text "software VELTRANO"
expect frmSplash.label(2) text "                        presenta"
expect frmSplash.label(3) text "Zelmor"
expect frmSplash.label(4) text "composizioni di modelli logici aspaziali"
expect frmSplash.label(5) text "EDIZIONE PROFESSIONALE - VERSIONE 4.04.05"
expect frmSplash.label(7) text "Avviso: ogni abuso del presente software, compreso il file audio, sarà perseguito a norma di legge"
expect frmSplash.label(8) text "(cliccare sulla finestra per iniziare; premere un tasto per uscire)"
expect frmSplash.label(9) backcolor "255,255,0"
expect frmSplash.Image1 left "480"
expect frmSplash.Image1 width "2295"
expect frmSplash.Shape1 top "3000"
expect music "open play"
expect music file "Internet.mid"

# A click on a label opens the data-entry window and parks the splash, music paused.
click frmSplash.label(7)
expect music "open play pause"
expect window menu visible
expect window frmSplash visible
expect menu.passo text "cliccare sul tasto della situazione endemica prescelta"
click menu.endemica(1)
click menu.Option1(3)

# Exit answered No changes nothing, music included.
answer question no
click menu.Toolbar1(21)
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window menu visible
expect menu.Option1(3) checked "1"
expect music "open play pause"

# A confirmed exit: every window goes but the splash, which comes back with the music resumed.
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window menu unloaded
expect window prodotti unloaded
expect window frmSplash visible
expect frmSplash.label(2) text "          elaborazione eseguita con"
expect frmSplash.label(3) text "Zelmor"
expect music "open play pause play"

# A click on the closing screen starts again with an empty model.
click frmSplash.Image1
expect music "open play pause play pause"
expect window menu visible
expect menu.passo text "cliccare sul tasto della situazione endemica prescelta"
expect menu.endemica(1) checked "0"
expect menu.Option1(3) checked "0"

# Out again, and a key on the closing screen ends the program.
answer question yes
click menu.esci
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect frmSplash.label(2) text "          elaborazione eseguita con"
key frmSplash "q"
expect music "open play pause play pause play close"
expect program ended
