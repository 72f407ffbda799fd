# The user's own copy of the tips, in the program's data folder for this user, comes before the
# tips that come with the program; a folder of that name there is passed over.
start
click frmSplash
click menu.sugger
expect frmTip.lblTipText text "Cliccare sulla schermata iniziale per cominciare a lavorare; premendo invece un tasto qualsiasi si esce subito dal programma."
click frmTip.cmdOK
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
write "{dir}/SuggerimentiZelmor.TXT" "il mio suggerimento, caff\xe8 compreso\r\n"
click frmSplash
click menu.sugger
expect frmTip.lblTipText text "il mio suggerimento, caffè compreso"
click frmTip.cmdOK
answer question yes
click menu.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
remove "{dir}/SuggerimentiZelmor.TXT"
write "{dir}/SuggerimentiZelmor.TXT/x" "una cartella"
click frmSplash
click menu.sugger
expect frmTip.lblTipText text "Cliccare sulla schermata iniziale per cominciare a lavorare; premendo invece un tasto qualsiasi si esce subito dal programma."
