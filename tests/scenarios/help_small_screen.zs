# On a small screen the help windows open at their own size too; the six narrow pages keep their
# fixed left edge.
screen 12000 9000
start
click frmSplash
click menu.Toolbar1(14)
expect sommario width "3975"
expect sommario left "1500"
expect sommario top "1125"
expect sommario.lbl(8) top "4440"
click sommario.puls(1)
expect manuale left "1500"
expect manuale top "1125"
expect manuale width "9600"
expect manuale.Label2 width "9135"
click sommario.puls(7)
expect guidafrontespizio left "5467"
expect guidafrontespizio top "1125"
