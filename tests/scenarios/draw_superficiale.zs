# Drawing a superficiale model: the window, the endemic rectangle, the zones and the picture file.
start
click frmSplash
write "{dir}/Zelmor-dati-totale" "1,\"totale\",1,\"forte\",\"2\"\r\n2,\"lato nord\",\"medio\",\"con 2\"\r\n3,\"lato sud\",\"debole\",\"con nessuno\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-totale"
click menu.apri
expect window disegno unloaded
click menu.disegn
expect no message
expect window disegno visible
expect disegno caption "Zelmor: disegno del modello fenomenologico aspaziale"
expect disegno backcolor "255,255,255"
# Opened at 75 % of the screen, centred, then given its fixed size from that corner.
expect disegno left "1920"
expect disegno top "1440"
expect disegno width "9600"
expect disegno height "6825"
expect disegno.Shape1(1) visible "1"
expect disegno.Shape1(1) borderwidth "9"
expect disegno.Shape1(1) left "240"
expect disegno.Shape1(1) top "240"
expect disegno.Shape1(1) width "9015"
expect disegno.Shape1(1) height "5655"
expect disegno.Shape1(2) visible "0"
expect disegno.Line1(1) visible "0"
expect disegno.punti(1) visible "0"
expect disegno.particolare(2) visible "1"
expect disegno.particolare(2) borderwidth "3"
expect disegno.particolare(3) visible "1"
expect disegno.particolare(3) borderwidth "2"
expect disegno.particolare(1) visible "0"
expect disegno.Picture1 visible "0"
# "lato nord" linked with "lato sud": four arcs of three circles, then two columns of twelve.
expect drawn circle 36
expect drawn box 0
expect drawn segment 0
expect drawn circle 620 2130 50
expect drawn circle 8640 3925 50
expect drawn circle 620 2260 50
expect drawn circle 8840 3690 50
# The picture file: the drawing area, 632 by 428 pixels.
expect picture "{picture}" size 632 428
expect picture "{picture}" pixel 0 0 255 255 255
expect picture "{picture}" pixel 16 300 0 0 0
expect picture "{picture}" pixel 24 300 0 0 0
expect picture "{picture}" pixel 25 300 255 255 255
expect picture "{picture}" pixel 41 151 0 255 0
expect picture "{picture}" pixel 300 40 255 0 0
expect picture "{picture}" pixel 300 42 255 0 0
# A click on the drawing leaves it open (the title page has no window yet).
click disegno
expect window disegno visible
expect no message
# Another model through the menu item: a new window, only its own figures.
write "{dir}/Zelmor-dati-est" "1,\"lato est\",4,\"debole\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-est"
click menu.apri
click menu.fin2
expect disegno.Shape1(1) visible "0"
expect disegno.Shape1(4) visible "1"
expect disegno.Shape1(4) borderwidth "5"
expect disegno.Shape1(4) left "5040"
expect disegno.Shape1(4) top "480"
expect disegno.Shape1(4) width "3975"
expect disegno.Shape1(4) height "5100"
expect disegno.particolare(1) borderwidth "4"
expect disegno.particolare(2) visible "0"
expect drawn circle 0
# A value that differs only in a letter's case is neither "forte" nor "medio".
write "{dir}/Zelmor-dati-ovest" "1,\"lato ovest\",5,\"Forte\",\"1\"\r\n9,\"angolo sud-ovest\",\"Forte\",\"\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-ovest"
click menu.apri
click menu.Toolbar1(9)
expect disegno.Shape1(5) visible "1"
expect disegno.Shape1(5) left "480"
expect disegno.Shape1(5) width "3975"
expect disegno.Shape1(5) borderwidth "5"
expect disegno.particolare(9) borderwidth "2"
expect no message
