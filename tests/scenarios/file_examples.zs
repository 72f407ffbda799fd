# The classic example file: opened, it leaves the window on the final step; saved under another
# name it comes back byte for byte.
start
click frmSplash
write "{dir}/Zelmor-dati-esempio" "1,\"lato nord\",2,\"medio\",\"2\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con 2\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"A\",\"B\",\"C\"\r\n\"D\",\"E\",\"F\",\"G\"\r\n\"H\"\r\n\"I\"\r\n"
answer file "{dir}/Zelmor-dati-esempio"
click menu.apri
expect dialog "Apri file" "Tutti i file (*.*)|*.*|File Zelmor-dati- | Zelmor-dati-*" 2 ""
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.sottosistemi text "2"
expect menu.VScroll1 value "2"
expect menu.endemica(1) checked "1"
expect menu.situazione text "lato nord"
expect menu.Option1(2) checked "0"
expect menu.valore text "medio"
expect menu.tiposotto(1) text "angolo nord-ovest"
expect menu.Combo1(1) text "forte"
expect menu.Label3(1) text "con 2"
expect menu.tiposotto(2) text "centrale"
expect menu.Combo1(2) text "debole"
expect menu.Label3(2) text "con nessuno"
expect menu.Check1(1) checked "1"
expect menu.Check1(2) checked "1"
expect menu.Check1(3) enabled "0"
expect menu.correggo(1) visible "1"
expect menu.correggo(2) enabled "1"
expect menu.correggo(3) visible "0"
expect menu.Frame3 visible "1"
expect menu.Frame3 enabled "0"
expect menu.legami(1) enabled "0"
expect menu.legami(2) enabled "0"
expect menu.dopo enabled "0"
answer file "{dir}/Zelmor-dati-copia"
click menu.salvanome
expect dialog "Salva file con nome" "File Zelmor-dati- | Zelmor-dati-*" 1 "{dir}/Zelmor-dati-esempio"
expect file "{dir}/Zelmor-dati-copia" "1,\"lato nord\",2,\"medio\",\"2\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con 2\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"A\",\"B\",\"C\"\r\n\"D\",\"E\",\"F\",\"G\"\r\n\"H\"\r\n\"I\"\r\n"
expect no message
