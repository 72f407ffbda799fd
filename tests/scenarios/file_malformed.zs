# Broken data files: the user is told, nothing crashes, and the procedure can go on.
start
click frmSplash
click menu.endemica(2)
click menu.Option2(5)
# A count outside 1..9: nothing of the window changes.
write "{dir}/Zelmor-dati-dodici" "1,\"totale\",1,\"medio\",\"12\"\r\n"
answer file "{dir}/Zelmor-dati-dodici"
click menu.apri
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile leggere il file \"{dir}/Zelmor-dati-dodici\".\rRiga 1: numero dei sottosistemi non valido (deve essere da 1 a 9).\rI dati nella finestra non sono stati modificati."
expect menu.passo text "scegliere il valore della situazione endemica"
expect menu.situazione text "trasversale centro"
expect menu.sottosistemi text ""
# Not text at all.
write "{dir}/immagine.png" "\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\x00\x00\x00\x01"
answer file "{dir}/immagine.png"
click menu.Toolbar1(1)
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile leggere il file \"{dir}/immagine.png\".\rRiga 1: mancano dei campi.\rI dati nella finestra non sono stati modificati."
# A file that does not exist.
answer file "{dir}/Zelmor-dati-nessuno"
click menu.apri
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile aprire il file \"{dir}/Zelmor-dati-nessuno\": il file non esiste."
# Line 1 says 3 but only two subsystem lines follow: the title-page line is taken for the third
# one and the read stops there; what was read stays, and the procedure goes on from it.
write "{dir}/Zelmor-dati-corto" "1,\"lato nord\",2,\"medio\",\"3\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con 2\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"A\",\"B\",\"C\"\r\n\"D\",\"E\",\"F\",\"G\"\r\n\"H\"\r\n\"I\"\r\n"
answer file "{dir}/Zelmor-dati-corto"
click menu.apri
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile leggere tutto il file \"{dir}/Zelmor-dati-corto\".\rRiga 4: mancano dei campi.\rSono stati caricati solo i dati letti fino a quel punto: completarli seguendo le indicazioni nella casella gialla."
expect menu.sottosistemi text "3"
expect menu.situazione text "lato nord"
expect menu.tiposotto(2) text "centrale"
expect menu.tiposotto(3) text ""
expect menu.passo text "scegliere la tipologia del sottosistema n. 3"
click menu.Check1(3)
click menu.Check1(3)
click menu.Option3(9)
choose menu.Combo1(3) "forte"
expect menu.passo text "indicare i legami di ogni sottosistema"
click menu.dopo
click menu.dopo
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
# No title page came with it, so there is still nothing to save it under.
click menu.salva
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Attenzione: immettere i dati del progetto."
