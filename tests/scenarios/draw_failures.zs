# A drawing that cannot be finished: the figures so far stay, the old picture file is kept.
start
click frmSplash
write "{picture}" "an earlier picture"
write "{dir}/Zelmor-dati-buco" "1,\"lato est\",4,\"medio\",\"2\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con 2\"\r\n,\"\",\"debole\",\"con 1\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-buco"
click menu.apri
click menu.disegn
expect message critical "Zelmor: aiuto in linea" "Non sono stati immessi tutti i dati dei sottosistemi necessari per il disegno: tornare al Menu."
expect window disegno visible
expect disegno.Shape1(4) visible "1"
expect disegno.Shape1(4) borderwidth "7"
expect disegno.particolare(6) visible "1"
expect disegno.particolare(6) borderwidth "4"
expect drawn circle 0
expect drawn box 0
expect file "{picture}" "an earlier picture"
# A complete model, with the picture folder missing: the folder is made and the file written.
write "{dir}/Zelmor-dati-pieno" "1,\"lato sud\",3,\"debole\",\"1\"\r\n2,\"lato nord\",\"debole\",\"\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-pieno"
click menu.apri
remove "{picture}"
remove "{dir}/Programmi"
click menu.disegn
expect no message
expect picture "{picture}" size 632 428
# A file where the folder should be: drawn on screen, then told where and why; no picture file.
remove "{picture}"
remove "{dir}/Programmi/schemaZelmor-stampa.emf"
remove "{dir}/Programmi"
write "{dir}/Programmi" "not a folder"
click menu.disegn
expect message critical "Zelmor: aiuto in linea" "Impossibile salvare il disegno del modello nel file \"{picture}\": {dir}/Programmi è un file, non una cartella.\rIl disegno resta visibile sullo schermo; il file precedente, se esisteva, non è stato modificato."
expect disegno.Shape1(3) visible "1"
expect disegno.particolare(2) visible "1"
expect file "{picture}" absent
expect file "{dir}/Programmi" "not a folder"
