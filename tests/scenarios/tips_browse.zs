# The tip of the day: read once from the tips file beside the program, browsed forward with a
# wrap and back down to the first tip; "Chiudi" only hides it.
write "{program}/SuggerimentiZelmor.TXT" "prima riga\r\n\r\nterza: un caff\xe8 & un'idea\r\n"
start
click frmSplash
click menu.sugger
expect window frmTip visible
expect frmTip caption "Suggerimento del giorno"
# The client area is 6195 x 3285 twips inside a fixed frame.
expect frmTip width "6285"
expect frmTip height "3645"
expect frmTip.Picture1 backcolor "255,255,192"
expect frmTip.Picture1 left "120"
expect frmTip.Picture1 width "4455"
expect frmTip.Label1 text "Non tutti sanno che..."
expect frmTip.Label1 left "540"
expect frmTip.lblTipText top "840"
expect frmTip.lblTipText width "4095"
expect frmTip.lblTipText backcolor "255,255,192"
expect frmTip.cmdOK text "&Chiudi"
expect frmTip.cmdNextTip text "&Successivo"
expect frmTip.cmdNextTip top "600"
expect frmTip.cmdprecedente text "&Precedente"
expect frmTip.cmdprecedente left "4800"

# It opens on the file's first line; nothing comes before it.
expect frmTip.lblTipText text "prima riga"
click frmTip.cmdprecedente
expect frmTip.lblTipText text "prima riga"
# An empty line is an empty tip in its turn; the file's code page is read as such.
click frmTip.cmdNextTip
expect frmTip.lblTipText text ""
click frmTip.cmdNextTip
expect frmTip.lblTipText text "terza: un caffè & un'idea"
# After the last tip the first comes again.
click frmTip.cmdNextTip
expect frmTip.lblTipText text "prima riga"
click frmTip.cmdNextTip
click frmTip.cmdNextTip
click frmTip.cmdprecedente
expect frmTip.lblTipText text ""
click frmTip.cmdprecedente
expect frmTip.lblTipText text "prima riga"
click frmTip.cmdprecedente
expect frmTip.lblTipText text "prima riga"

# Closed and opened again: the same tip, and the list as it was read, though the file changed.
click frmTip.cmdNextTip
click frmTip.cmdNextTip
click frmTip.cmdOK
expect window frmTip hidden
write "{program}/SuggerimentiZelmor.TXT" "nuovo\r\n"
click menu.Toolbar1(15)
expect window frmTip visible
expect frmTip.lblTipText text "terza: un caffè & un'idea"
click frmTip.cmdNextTip
expect frmTip.lblTipText text "prima riga"
click frmTip.cmdOK
# The title page's menu item and toolbar button show the same window.
click menu.fin3
click frontespizio.sugger
expect window frmTip visible
expect frmTip.lblTipText text "prima riga"
click frmTip.cmdOK
click frontespizio.Toolbar1(15)
expect window frmTip visible
click frmTip.cmdOK

# Only after the window was unloaded (here by the exit) is the file read again.
answer question yes
click frontespizio.esci
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
expect window frmTip unloaded
click frmSplash
click menu.sugger
expect frmTip.lblTipText text "nuovo"
click frmTip.cmdNextTip
expect frmTip.lblTipText text "nuovo"
