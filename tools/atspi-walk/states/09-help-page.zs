# One help page (the data-entry window's), opened from the contents.
start
click frmSplash
click menu.guida
click sommario.puls(5)
expect window guidamenu visible
