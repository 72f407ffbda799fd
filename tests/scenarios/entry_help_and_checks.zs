# The context help names the first missing item; the data check reads the hint; the drawing
# is refused without a count and an endemic typology.
start
click frmSplash
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Aprire un file con i dati archiviati (Zelmor-dati-...) o iniziarne l'introduzione cliccando sulla situazione endemica prescelta."
click menu.controlla
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Inserire i dati seguendo le indicazioni nella casella gialla in basso nella finestra, o correggere quelli immessi.\rCliccare sul tasto AIUTO per avere una guida pertinente al contesto."
click menu.Toolbar1(19)
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Inserire i dati seguendo le indicazioni nella casella gialla in basso nella finestra, o correggere quelli immessi.\rCliccare sul tasto AIUTO per avere una guida pertinente al contesto."
click menu.disegn
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Per poter visualizzare il disegno di un modello bisogna immettere tutti i dati necessari."
click menu.endemica(2)
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Scegliere la tipologia di situazione endemica cliccando sull'opzione relativa."
click menu.Option2(3)
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Scegliere il valore della situazione endemica cliccando sull'apposita freccia."
click menu.fin2
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Per poter visualizzare il disegno di un modello bisogna immettere tutti i dati necessari."
choose menu.valore "medio"
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Inserire il numero dei sottosistemi (da 1 a 9)."
click menu.Toolbar1(9)
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Per poter visualizzare il disegno di un modello bisogna immettere tutti i dati necessari."
scroll menu.VScroll1 2
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Spuntare la casella relativa al sottosistema n. 1"
click menu.Check1(1)
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Cliccare sulla casella della 'Tipologia situazione particolare' relativa al sottosistema n. 1"
click menu.Option3(1)
choose menu.Combo1(1) "medio"
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Spuntare la casella relativa al sottosistema n. 2"
click menu.Check1(2)
click menu.Option3(2)
choose menu.Combo1(2) "medio"
# Links step, arrow on subsystem 1: the help does not ask for links yet.
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Scegliere tra le seguenti possibilità:\r- archiviare i dati per un uso futuro in un file del tipo Zelmor-dati...;\r- cliccare sul tasto 'Disegno' per visualizzare la composizione del modello;\r- digitare qualche dato diverso per modificare il disegno;\r- ricominciare daccapo azzerando tutto con il penultimo tasto della barra degli strumenti."
click menu.dopo
click menu.aiuto
expect message information "Zelmor: aiuto in linea" "Inserire i numeri dei sottosistemi interagenti con il sottosistema n. 2"
click menu.controlla
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Inserire i dati seguendo le indicazioni nella casella gialla in basso nella finestra, o correggere quelli immessi.\rCliccare sul tasto AIUTO per avere una guida pertinente al contesto."
# With a count and a typology the drawing is no longer refused.
click menu.disegn
expect no message
