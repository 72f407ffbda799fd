# The drawing is the user's to take away: its context menu copies it to the clipboard and
# exports it as SVG, PDF, EMF or PNG, with the data file's all-or-nothing save and messages.
start
click frmSplash
# A drawing that stops part-way offers nothing to take.
write "{dir}/Zelmor-dati-buco" "1,\"lato est\",4,\"medio\",\"2\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con 2\"\r\n,\"\",\"debole\",\"con 1\"\r\n\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-buco"
click menu.apri
click menu.disegn
expect message critical "Zelmor: aiuto in linea" "Non sono stati immessi tutti i dati dei sottosistemi necessari per il disegno: tornare al Menu."
expect disegno.mnuCopia enabled "0"
expect disegno.mnuEsporta enabled "0"
expect clipboard empty
# A whole model; its project names the file the export proposes.
write "{dir}/Zelmor-dati-pieno" "1,\"lato sud\",3,\"debole\",\"2\"\r\n2,\"lato nord\",\"debole\",\"con 2\"\r\n8,\"angolo sud-est\",\"forte\",\"con 1\"\r\n\"Piano: via Roma / 2026\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-pieno"
click menu.apri
click menu.disegn
expect no message
expect disegno.mnuCopia text "&Copia disegno"
expect disegno.mnuEsporta text "&Esporta disegno..."
click disegno.mnuCopia
expect clipboard picture 632 428
answer file "{dir}/esportato.svg"
click disegno.mnuEsporta
expect dialog "Esporta disegno" "Disegno vettoriale SVG (*.svg)|*.svg|Documento PDF (*.pdf)|*.pdf|Metafile EMF (*.emf)|*.emf|Immagine PNG a 300 dpi (*.png)|*.png" 1 "{reports}/DisegnoZelmor-Piano- via Roma - 2026.svg"
expect file "{dir}/esportato.svg" begins "<?xml"
# The drawing's words go with it, its text alternative for a screen reader.
expect file "{dir}/esportato.svg" holds "<desc>Situazione endemica superficiale, tipologia lato sud, valore debole. 2 sottosistemi. Sottosistema n.1: zona lato nord, valore debole, legato al sottosistema n.2. Sottosistema n.2: zona angolo sud-est, valore forte, legato al sottosistema n.1.</desc>"
answer file "{dir}/esportato.pdf"
click disegno.mnuEsporta
expect file "{dir}/esportato.pdf" begins "%PDF-"
answer file "{dir}/esportato.EMF"
click disegno.mnuEsporta
expect file "{dir}/esportato.EMF" begins "\x01\x00\x00\x00"
answer file "{dir}/esportato.png"
click disegno.mnuEsporta
expect file "{dir}/esportato.png" begins "\x89PNG\r\n\x1a\n"
expect no message
# Cancelled: nothing happens.
answer file cancel
click disegno.mnuEsporta
expect no message
# A name of no picture type, and a file that cannot be written: told, and nothing is written;
# the file there before stays as it was.
answer file "{dir}/esportato.txt"
click disegno.mnuEsporta
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile salvare il file \"{dir}/esportato.txt\": il nome deve finire con .svg, .pdf, .emf o .png.\rIl file precedente, se esisteva, non è stato modificato."
expect file "{dir}/esportato.txt" absent
write "{dir}/occupato.png/dentro" "a file in a folder"
answer file "{dir}/occupato.png"
click disegno.mnuEsporta
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile salvare il file \"{dir}/occupato.png\": è una cartella.\rIl file precedente, se esisteva, non è stato modificato."
expect file "{dir}/occupato.png/dentro" "a file in a folder"
# The left click still opens the title page.
click disegno
expect window frontespizio visible
