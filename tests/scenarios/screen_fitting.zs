# A screen smaller than the windows (1024 x 768 at twice the size: 512 x 384 points): every window
# opens inside it. The working windows take the whole screen and their controls shrink with them;
# the others keep their size where they can, or are made as large as the screen.
screen 7680 5760
start
expect frmSplash width "7680"
expect frmSplash left "0"
expect frmSplash top "172"
click frmSplash
expect menu left "0"
expect menu top "0"
expect menu width "7680"
expect menu height "5760"
# The bottom bar keeps its place at the lower edge, its buttons inside it.
expect menu.Frame5 top "4569"
expect menu.Frame5 height "509"
expect menu.Frame5 width "7578"
expect menu.uscita left "6513"
expect menu.uscita top "199"
expect menu.uscita width "970"
expect menu.legami(3) left "3161"
# Made larger by the user up to the design size, the controls are back at their places.
resize menu 9510 6180
expect menu.legami(3) left "3960"
expect menu.Frame5 top "5520"
click menu.Toolbar1(14)
expect sommario top "0"
expect sommario left "960"
expect sommario height "5760"
click menu.sugger
expect frmTip left "697"
expect frmTip top "1057"
click frmTip.cmdOK
click menu.informazioni
expect informa left "690"
expect informa top "780"
