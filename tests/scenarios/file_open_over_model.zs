# Open shows the file alone, whatever the window showed before: a file that breaks part-way
# does not mix with the model it replaces, and a complete file reaches its final step.
start
click frmSplash
click menu.endemica(1)
click menu.Option1(3)
choose menu.valore "medio"
scroll menu.VScroll1 4
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
click menu.Option3(2)
choose menu.Combo1(2) "forte"
click menu.Check1(3)
click menu.Option3(3)
choose menu.Combo1(3) "forte"
click menu.Check1(4)
click menu.Option3(4)
choose menu.Combo1(4) "forte"
click menu.dopo
click menu.dopo
click menu.dopo
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
# The same kind and value, two subsystems, and the file stops on line 3.
write "{dir}/Zelmor-dati-rotto" "1,\"lato nord\",2,\"medio\",\"2\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con 2\"\r\n1,\"centrale\"\r\n"
answer file "{dir}/Zelmor-dati-rotto"
click menu.apri
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Impossibile leggere tutto il file \"{dir}/Zelmor-dati-rotto\".\rRiga 3: mancano dei campi.\rSono stati caricati solo i dati letti fino a quel punto: completarli seguendo le indicazioni nella casella gialla."
expect menu.sottosistemi text "2"
expect menu.VScroll1 value "2"
expect menu.Option1(3) checked "0"
expect menu.tiposotto(1) text "angolo nord-ovest"
expect menu.Label3(1) text "con 2"
expect menu.tiposotto(2) text ""
expect menu.Combo1(2) text ""
expect menu.Check1(3) checked "0"
expect menu.Check1(3) enabled "0"
expect menu.tiposotto(3) text ""
expect menu.Combo1(4) text ""
expect menu.Label3(4) text ""
expect menu.passo text "scegliere la tipologia del sottosistema n. 2"
click menu.controlla
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Inserire i dati seguendo le indicazioni nella casella gialla in basso nella finestra, o correggere quelli immessi.\rCliccare sul tasto AIUTO per avere una guida pertinente al contesto."
# A half-entered model with the kind, value and row values of the next file, but no row
# typologies: nothing the file sets differs from what the window shows, except the typologies.
click menu.cancelladati
click menu.endemica(1)
click menu.Option1(5)
choose menu.valore "medio"
scroll menu.VScroll1 2
click menu.Check1(1)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
choose menu.Combo1(2) "debole"
expect menu.Frame3 enabled "1"
write "{dir}/Zelmor-dati-intero" "1,\"lato nord\",2,\"medio\",\"2\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con 2\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"A\",\"B\",\"C\"\r\n\"D\",\"E\",\"F\",\"G\"\r\n\"H\"\r\n\"I\"\r\n"
answer file "{dir}/Zelmor-dati-intero"
click menu.apri
expect no message
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.Option1(5) checked "0"
expect menu.situazione text "lato nord"
expect menu.Frame3 enabled "0"
expect menu.Label3(1) enabled "1"
expect menu.Label3(2) enabled "1"
expect menu.correggo(1) visible "1"
expect menu.correggo(2) enabled "1"
expect menu.legami(1) enabled "0"
expect menu.dopo enabled "0"
