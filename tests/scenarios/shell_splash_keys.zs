# A key on the opening screen ends the program at once: music closed, the hidden catalogue gone.
screen 12000 9000
start
expect frmSplash left "1605"
expect frmSplash top "1792"
expect window prodotti hidden
key frmSplash "q"
expect music "open play close"
expect window frmSplash unloaded
expect window prodotti unloaded
expect program ended
