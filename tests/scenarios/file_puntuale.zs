# A puntuale model: the area typologies under their own frame caption, the same indexes on file.
start
click frmSplash
write "{dir}/Zelmor-dati-punto" "3,\"angolo sud-est\",8,\"debole\",\"2\"\r\n5,\"lato ovest\",\"medio\",\"con 2\"\r\n4,\"lato est\",\"forte\",\"con 1\"\r\n\"Parco\",\"Valle\",\"indagine\"\r\n\"Ente parco\",\"Sede\",\"oggi\",\"\"\r\n\"bosco\"\r\n\"radura\"\r\n"
answer file "{dir}/Zelmor-dati-punto"
click menu.apri
expect menu.endemica(3) checked "1"
expect menu.Frame1 text "Tipologia situazione puntuale"
expect menu.Frame1 visible "1"
expect menu.situazione text "angolo sud-est"
expect menu.Label3(2) text "con 1"
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
# Loading does not select the typology option again: the help still asks for it.
expect menu.Option1(8) checked "0"
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Scegliere la tipologia di situazione endemica cliccando sull'opzione relativa."
click menu.Option1(8)
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Scegliere tra le seguenti possibilità:\r- archiviare i dati per un uso futuro in un file del tipo Zelmor-dati...;\r- cliccare sul tasto 'Disegno' per visualizzare la composizione del modello;\r- digitare qualche dato diverso per modificare il disegno;\r- ricominciare daccapo azzerando tutto con il penultimo tasto della barra degli strumenti."
answer file "{dir}/Zelmor-dati-punto-2"
click menu.salvanome
expect file "{dir}/Zelmor-dati-punto-2" "3,\"angolo sud-est\",8,\"debole\",\"2\"\r\n5,\"lato ovest\",\"medio\",\"con 2\"\r\n4,\"lato est\",\"forte\",\"con 1\"\r\n\"Parco\",\"Valle\",\"indagine\"\r\n\"Ente parco\",\"Sede\",\"oggi\",\"\"\r\n\"bosco\"\r\n\"radura\"\r\n"
