# A lineare model with the central cross; two subsystems of one zone share its rectangle.
screen 12000 9000
start
click frmSplash
write "{dir}/Zelmor-dati-croce" "2,\"croce centrale\",9,\"medio\",\"2\"\r\n7,\"angolo nord-est\",\"forte\",\"con 2\"\r\n7,\"angolo nord-est\",\"debole\",\"con 1\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-croce"
click menu.apri
click menu.disegn
expect no message
expect disegno left "1500"
expect disegno top "1125"
expect disegno.Line1(7) visible "1"
expect disegno.Line1(8) visible "1"
expect disegno.Line1(7) borderwidth "7"
expect disegno.Line1(8) borderwidth "7"
expect disegno.Line1(7) x1 "8880"
expect disegno.Line1(7) y1 "5280"
expect disegno.Line1(7) x2 "840"
expect disegno.Line1(7) y2 "720"
expect disegno.Line1(8) x1 "600"
expect disegno.Line1(8) y2 "720"
expect disegno.Line1(1) visible "0"
expect disegno.Line1(6) visible "0"
expect disegno.Shape1(9) visible "0"
# Shown once, with the width of the later subsystem.
expect disegno.particolare(7) visible "1"
expect disegno.particolare(7) borderwidth "2"
# Both subsystems in "angolo nord-est", each listing the other: figure 34 twice.
expect drawn box 22
expect drawn box 5590 2700 5690 3500
expect drawn box 7990 2700 8090 3500
expect picture "{picture}" size 632 428
expect picture "{picture}" pixel 324 200 0 0 0
# The window grows: the figures stretch with it, the link figures keep their places.
resize disegno 18960 12840
expect disegno.Line1(7) x1 "17760"
expect disegno.Line1(7) y1 "10560"
expect disegno.particolare(7) left "10800"
expect disegno.particolare(7) width "5790"
expect drawn box 22
expect drawn box 5590 2700 5690 3500
# Drawing again replaces the window: the fixed size and the figures' own places come back.
click menu.disegn
expect disegno width "9600"
expect disegno height "6825"
expect disegno.particolare(7) left "5400"
expect disegno.Line1(7) x1 "8880"
