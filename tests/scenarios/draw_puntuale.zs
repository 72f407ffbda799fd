# A puntuale model in the south-east corner, with the large circles between the southern corners.
start
click frmSplash
write "{dir}/Zelmor-dati-punti" "3,\"angolo sud-est\",8,\"debole\",\"3\"\r\n8,\"angolo sud-est\",\"debole\",\"con 2\"\r\n9,\"angolo sud-ovest\",\"medio\",\"con 1-3\"\r\n9,\"angolo sud-ovest\",\"forte\",\"con 2\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-punti"
click menu.apri
click menu.disegn
expect no message
expect disegno.punti(16) visible "1"
expect disegno.punti(17) visible "1"
expect disegno.punti(18) visible "1"
expect disegno.punti(22) visible "1"
expect disegno.punti(23) visible "1"
expect disegno.punti(24) visible "1"
expect disegno.punti(16) borderwidth "5"
expect disegno.punti(24) borderwidth "5"
expect disegno.punti(15) visible "0"
expect disegno.punti(21) visible "0"
expect disegno.punti(10) visible "0"
expect disegno.punti(16) left "5280"
expect disegno.punti(16) top "3360"
expect disegno.punti(16) width "375"
expect disegno.Shape1(8) visible "0"
expect disegno.particolare(8) borderwidth "2"
expect disegno.particolare(9) borderwidth "4"
# 8 with 9, listed by both; two subsystems of "angolo sud-ovest" draw nothing between them.
expect drawn circle 10
expect drawn circle 4218 4500 112
expect drawn circle 4466 4500 112
expect drawn circle 4714 4500 112
expect drawn circle 4962 4500 112
expect drawn circle 5210 4500 112
expect picture "{picture}" pixel 364 236 255 255 0
expect picture "{picture}" pixel 364 226 128 0 0
expect picture "{picture}" pixel 281 300 0 255 0
expect picture "{picture}" pixel 281 293 0 0 0
