# The catalogue, the help contents and the tip of the day only hide themselves on "Chiudi". When
# one of them was the last window on the screen, the program ends, as when the last window is
# closed: nothing would be left to end it with. (A key on the splash takes it away first, since
# it otherwise stays on the screen behind the working windows.)
start
click frmSplash
key frmSplash "k"
click menu.supporto
click supportoclienti.listino
click supportoclienti.chiudi
close menu
expect window prodotti visible
click prodotti.chiudi
expect program ended

restart
click frmSplash
key frmSplash "k"
click menu.guida
close menu
expect window sommario visible
click sommario.cmdchiudi
expect program ended

restart
click frmSplash
key frmSplash "k"
click menu.sugger
close menu
expect window frmTip visible
click frmTip.cmdOK
expect program ended
