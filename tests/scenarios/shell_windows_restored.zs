# A command that shows a window brings it back when the user had minimised it: a window left on
# the task bar would make the command seem to do nothing. Acting on the window afterwards proves
# it is on the screen again.
start
click frmSplash
click menu.fin3
expect window frontespizio visible
minimize frontespizio
click menu.fin3
type frontespizio.progetto "Ri"
expect frontespizio.progetto text "Ri"
# The help contents and a help page, shown again from the windows that open them.
click frontespizio.guidaonline
minimize sommario
click frontespizio.guidaonline
click sommario.puls(1)
minimize manuale
click sommario.puls(1)
click manuale.cmdchiudi
click sommario.cmdchiudi
expect window sommario hidden
