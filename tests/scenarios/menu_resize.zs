# Controls follow the window's drawing area in proportion, from their recorded places.
screen 19200 14400
start
click frmSplash
expect menu left "2400"
expect menu top "1800"
expect menu width "9600"
expect menu height "6825"
expect menu.legami(3) left "3960"
# Twice as wide, equally high.
resize menu 19020 6180
expect menu.legami(3) left "7920"
expect menu.legami(3) width "750"
expect menu.legami(3) top "4680"
expect menu.legami(3) height "375"
expect menu.Frame4 width "18030"
expect menu.passo left "5280"
minimize menu
restore menu
expect menu.legami(3) left "7920"
# Half as high and back: no rounding accumulates.
resize menu 9510 3090
expect menu.Check1(9) top "2160"
expect menu.Check1(9) height "128"
resize menu 9510 6180
expect menu.Check1(9) top "4320"
expect menu.Check1(9) height "255"
expect menu.legami(3) left "3960"
