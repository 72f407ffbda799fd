# The help contents, opened from the data-entry window.
start
click frmSplash
click menu.guida
expect window sommario visible
