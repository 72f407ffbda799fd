# The tips file as it comes with the program, and the tip area when the file is missing or empty.
start
click frmSplash
click menu.sugger
expect frmTip.lblTipText text "Cliccare sulla schermata iniziale per cominciare a lavorare; premendo invece un tasto qualsiasi si esce subito dal programma."
click frmTip.cmdNextTip
expect frmTip.lblTipText text "La casella gialla in basso nella finestra Menu dice sempre che cosa fare subito dopo: seguirla passo per passo è il modo più rapido per immettere i dati."
click frmTip.cmdOK

# Without the file the tip area says so, and both buttons leave the message in place.
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
remove "{program}/SuggerimentiZelmor.TXT"
click frmSplash
click menu.sugger
expect frmTip.lblTipText text "Impossibile trovare il file SuggerimentiZelmor.TXT\r\n\r\nCreare un file di testo denominato SuggerimentiZelmor.TXT utilizzando il Blocco note e inserendo un suggerimento per ogni riga. Inserire il file nella stessa directory dell'applicazione. "
click frmTip.cmdNextTip
click frmTip.cmdprecedente
click frmTip.cmdNextTip
expect frmTip.lblTipText text "Impossibile trovare il file SuggerimentiZelmor.TXT\r\n\r\nCreare un file di testo denominato SuggerimentiZelmor.TXT utilizzando il Blocco note e inserendo un suggerimento per ogni riga. Inserire il file nella stessa directory dell'applicazione. "
expect no message

# A folder of that name is no tips file either.
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
write "{program}/SuggerimentiZelmor.TXT/x" "non un file"
click frmSplash
click menu.Toolbar1(15)
expect frmTip.lblTipText text "Impossibile trovare il file SuggerimentiZelmor.TXT\r\n\r\nCreare un file di testo denominato SuggerimentiZelmor.TXT utilizzando il Blocco note e inserendo un suggerimento per ogni riga. Inserire il file nella stessa directory dell'applicazione. "

# An empty file: an empty tip area and no message; the buttons change nothing.
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
remove "{program}/SuggerimentiZelmor.TXT/x"
remove "{program}/SuggerimentiZelmor.TXT"
write "{program}/SuggerimentiZelmor.TXT" ""
click frmSplash
click menu.sugger
expect frmTip.lblTipText text ""
click frmTip.cmdNextTip
click frmTip.cmdprecedente
expect frmTip.lblTipText text ""
expect no message
# The help contents' last entry opens the same window.
click frmTip.cmdOK
click menu.guida
click sommario.puls(8)
expect window frmTip visible
