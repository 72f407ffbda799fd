# The model-data report ("S&tampa" of the data-entry window, toolbar 6): refused while the model
# is incomplete, then one heading and two tables; the hint box comes back to its final text so
# that the checks keep working.
start
click frmSplash
click menu.solodati
expect message information "Zelmor: aiuto in linea" "I dati immessi sono incompleti: seguire le indicazioni della casella gialla prima di stamparli."
expect word
end
# One subsystem, linked with none.
click menu.endemica(3)
click menu.Option1(4)
choose menu.valore "debole"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(5)
choose menu.Combo1(1) "forte"
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
expect menu.Label3(1) text "con nessuno"
click menu.solodati
expect no message
expect word
start
show
add document
font name "Century Gothic"
font size 20
type "Zelmor\r"
font size 16
type "composizioni di modelli logici aspaziali\r\r"
font size 12
type "DATI\r"
append paragraph
add table 5 2
table font size 10
cell 1 1 "dati"
cell 1 2 "valori"
cell 2 1 "situazione endemica"
cell 2 2 "puntuale"
cell 3 1 "tipologia"
cell 3 2 "lato est"
cell 4 1 "valore"
cell 4 2 "debole"
cell 5 1 "numero di sottosistemi"
cell 5 2 "1"
autoformat 9
append paragraph
add table 2 4
table font size 10
cell 1 1 "n. sottosistema"
cell 1 2 "tipologia"
cell 1 3 "valore"
cell 1 4 "legami tra sottosistemi"
cell 2 1 " 1"
cell 2 2 "lato ovest"
cell 2 3 "forte"
cell 2 4 "con nessuno"
autoformat 9
end
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
click menu.controlla
expect message information "Zelmor: controllo dati immessi nella finestra attiva" "I dati sono stati immessi correttamente."
# Toolbar 6 runs the same report again, in a new session of its own.
click menu.Toolbar1(6)
expect word has "start"
expect word has "add table 2 4"
expect word has "cell 2 4 \"con nessuno\""
expect word typed "Zelmor\rcomposizioni di modelli logici aspaziali\r\rDATI\r"
# Nine subsystems from a file: ten rows, the links as the window shows them.
write "{dir}/Zelmor-dati-nove" "2,\"croce centrale\",9,\"forte\",\"9\"\r\n1,\"centrale\",\"forte\",\"con 2-3\"\r\n2,\"lato nord\",\"medio\",\"con 1\"\r\n3,\"lato sud\",\"debole\",\"con nessuno\"\r\n4,\"lato est\",\"medio\",\"con 5\"\r\n5,\"lato ovest\",\"forte\",\"con 4\"\r\n6,\"angolo nord-ovest\",\"debole\",\"con 7\"\r\n7,\"angolo nord-est\",\"medio\",\"con 6\"\r\n8,\"angolo sud-est\",\"debole\",\"con 9\"\r\n9,\"angolo sud-ovest\",\"molto forte\",\"con 8\"\r\n\"Piano\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-nove"
click menu.apri
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
click menu.Toolbar1(6)
expect word has "cell 2 2 \"lineare\""
expect word has "cell 3 2 \"croce centrale\""
expect word has "cell 5 2 \"9\""
expect word has "add table 10 4"
expect word has "cell 4 4 \"con nessuno\""
expect word has "cell 10 1 \" 9\""
expect word has "cell 10 2 \"angolo sud-ovest\""
expect word has "cell 10 3 \"molto forte\""
expect word has "cell 10 4 \"con 8\""
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
