# The data-entry window at the typology step: the endemic kind chosen.
start
click frmSplash
click menu.endemica(1)
