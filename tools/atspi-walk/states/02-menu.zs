# The data-entry window fresh after the click on the opening screen.
start
click frmSplash
