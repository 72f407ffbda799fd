# Which link texts draw which figures.
start
click frmSplash
# "con 3-0-2": subsystem 3 (centrale) draws figure 1, 0 draws nothing, subsystem 2 (angolo
# nord-ovest) draws figure 5, which starts at its second box. "con nessuno" draws nothing.
write "{dir}/Zelmor-dati-legami" "2,\"longitudinale nord\",1,\"debole\",\"3\"\r\n1,\"centrale\",\"debole\",\"con 3-0-2\"\r\n6,\"angolo nord-ovest\",\"debole\",\"con nessuno\"\r\n1,\"centrale\",\"debole\",\"\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-legami"
click menu.apri
click menu.disegn
expect no message
expect disegno.Line1(1) visible "1"
expect disegno.Line1(1) borderwidth "5"
expect drawn box 13
expect drawn circle 0
expect drawn segment 0
expect drawn box 4190 2100 4290 2600
expect drawn box 5150 2100 5250 2600
expect drawn box 1530 2320 1580 3000
expect drawn box 3210 2320 3260 3000
# A link to a subsystem above the count draws nothing, though the window still holds the
# typology that subsystem had in the model before.
write "{dir}/Zelmor-dati-oltre" "2,\"longitudinale nord\",1,\"debole\",\"1\"\r\n5,\"lato ovest\",\"debole\",\"con 3\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-oltre"
click menu.apri
click menu.disegn
expect drawn box 0
expect drawn circle 0
expect drawn segment 0
expect picture "{picture}" size 632 428
# Segments where zones overlap along a side: lato est with angolo nord-est.
write "{dir}/Zelmor-dati-lati" "1,\"totale\",1,\"debole\",\"2\"\r\n4,\"lato est\",\"debole\",\"con 2\"\r\n7,\"angolo nord-est\",\"debole\",\"\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-lati"
click menu.apri
click menu.disegn
expect drawn segment 18
expect drawn segment 5330 1210 6080 1210
expect drawn segment 5330 2230 6080 2230
