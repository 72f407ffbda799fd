# Enter and Space are the keyboard's click on the opening screen: they begin, as the click does,
# so that work can start without a mouse; any other key still closes the screen.
start
key frmSplash "\r"
expect window menu visible
expect music "open play pause"
expect menu.passo text "cliccare sul tasto della situazione endemica prescelta"
# The parked screen brought forward: Space shows the same menu again.
key frmSplash " "
expect window menu visible
expect music "open play pause pause"
key frmSplash "q"
expect window frmSplash unloaded
expect window menu visible
expect music "open play pause pause close"
