# Help prints: one page into a new document, left open and not saved; every print a document of
# its own.
start
click frmSplash
click menu.guida
click sommario.puls(4)
click guidastampa.cmdstampa
expect word
start
show
add document
font name "Century Gothic"
font size 20
type "Zelmor\r"
font size 16
type "composizioni di modelli logici aspaziali\r\r\r"
type "Guida: STAMPA\r\r"
font size 12
type "Si possono stampare liberamente tutte le finestre riguardanti la guida. Il tasto Stampa di ogni pagina la scrive in un nuovo documento di LibreOffice Writer, da cui stamparla su carta; il tasto Stampa del Sommario riunisce l'intera guida in un solo documento e lo salva come Zelmor-guida.doc nella cartella Zelmor dentro Documenti.\rAnche le finestre di lavoro si stampano tramite Writer. Nella finestra Menu il comando Stampa del menu File riporta i dati del modello, ma solo a immissione completa. Nella finestra Frontespizio il menu File, Stampa offre 'solo dati finestra', 'solo modello' e 'relazione e modello', cioè la relazione completa, ottenibile anche con il tasto Stampa. Le ultime due inseriscono il disegno, da visualizzare prima di stampare e dopo ogni modifica dei dati.\rLa relazione completa viene salvata nella stessa cartella con il nome del committente, per esempio RelazioneZelmor-Comune di Parma.doc, insieme a una copia PDF. Ristampandola, i due file vengono sostituiti; se però la precedente è aperta in Writer e modificata, resta com'è e la nuova prende un nome numerato, come RelazioneZelmor-Comune di Parma (2).doc.\rI colori stampati (CMYK) possono differire da quelli dello schermo (RGB).\r"
justify all
end
# Printed again: a second document, the same operations from the start.
click guidastampa.cmdstampa
expect word
start
show
add document
font name "Century Gothic"
font size 20
type "Zelmor\r"
font size 16
type "composizioni di modelli logici aspaziali\r\r\r"
type "Guida: STAMPA\r\r"
font size 12
type "Si possono stampare liberamente tutte le finestre riguardanti la guida. Il tasto Stampa di ogni pagina la scrive in un nuovo documento di LibreOffice Writer, da cui stamparla su carta; il tasto Stampa del Sommario riunisce l'intera guida in un solo documento e lo salva come Zelmor-guida.doc nella cartella Zelmor dentro Documenti.\rAnche le finestre di lavoro si stampano tramite Writer. Nella finestra Menu il comando Stampa del menu File riporta i dati del modello, ma solo a immissione completa. Nella finestra Frontespizio il menu File, Stampa offre 'solo dati finestra', 'solo modello' e 'relazione e modello', cioè la relazione completa, ottenibile anche con il tasto Stampa. Le ultime due inseriscono il disegno, da visualizzare prima di stampare e dopo ogni modifica dei dati.\rLa relazione completa viene salvata nella stessa cartella con il nome del committente, per esempio RelazioneZelmor-Comune di Parma.doc, insieme a una copia PDF. Ristampandola, i due file vengono sostituiti; se però la precedente è aperta in Writer e modificata, resta com'è e la nuova prende un nome numerato, come RelazioneZelmor-Comune di Parma (2).doc.\rI colori stampati (CMYK) possono differire da quelli dello schermo (RGB).\r"
justify all
end
# The manual, from the data-entry window's help, through the contents.
click menu.Toolbar1(14)
click sommario.puls(1)
click manuale.cmdstampa
expect word
start
show
add document
font name "Century Gothic"
font size 20
type "Zelmor\r"
font size 16
type "composizioni di modelli logici aspaziali\r\r\r"
type "Guida: MANUALE D'USO RAPIDO\r\r"
font size 12
type "ZELMOR è un programma che graficizza automaticamente modelli aspaziali di un territorio o di un progetto: basta descrivere la situazione generale dell'area e le sue parti, e il programma ne compone lo schema, lo archivia e ne scrive la relazione. I dati si immettono nella finestra Menu seguendo un ordine preciso, che il programma stesso guida passo per passo.\rPer prima cosa si sceglie la situazione endemica, cioè quella che riguarda l'intera area, cliccando su uno dei tre tasti in alto nel riquadro 'Situazione endemica': superficiale, lineare o puntuale. Compare allora l'elenco delle tipologie, dal quale si sceglie quella voluta (per esempio 'totale', 'lato nord' o 'croce centrale'); quindi, con la freccia della casella 'Valore', se ne indica l'importanza: debole, medio o forte. Un valore non indicato viene disegnato come debole. Si passa poi al numero dei sottosistemi, da 1 a 9, che si imposta con le frecce accanto a 'Numero dei sottosistemi'.\rPer ogni sottosistema si spunta la sua casella (n.1, n.2 e così via), si clicca sulla sua tipologia nel riquadro 'Tipologia situazione particolare' (centrale, un lato o un angolo) e se ne sceglie il valore con la freccia della sua riga. Completati tutti i sottosistemi, si immettono i legami, che compaiono sulla destra: per il sottosistema indicato dalla freccia si cliccano i tasti numerati dei sottosistemi con cui interagisce, poi il tasto con la freccia per passare al successivo. Sono attivi solo i numeri logicamente possibili: non quello del sottosistema stesso, né quelli già inseriti o superiori al numero dei sottosistemi. La gomma accanto a ogni riga cancella i legami di quel sottosistema. In ogni momento la casella gialla in basso dice che cosa fare; quando vi si legge \"correggere, archiviare i dati o disegnare il modello\", l'immissione è completa.\rI dati si archiviano con il comando Salva del menu File, in un file il cui nome inizia con \"Zelmor-dati-\"; per salvare occorre aver digitato almeno il progetto nella finestra Frontespizio. Il tasto 'Disegno' mostra la composizione del modello, che viene conservata come immagine per le relazioni. Il comando Stampa del menu File scrive i dati del modello in un nuovo documento di LibreOffice Writer, dal quale si possono stampare o salvare; la relazione completa si ottiene invece dalla finestra Frontespizio.\r"
justify all
end
# A page printed, closed, opened again from the title page's help item and printed: its texts as
# its window shows them.
click menu.fin3
click frontespizio.finestra
click guidafrontespizio.cmdstampa
expect word
start
show
add document
font name "Century Gothic"
font size 20
type "Zelmor\r"
font size 16
type "composizioni di modelli logici aspaziali\r\r\r"
type "Guida: FRONTESPIZIO PER LA RELAZIONE\r\r"
font size 12
type "L'ultima finestra riguarda i dati destinati al frontespizio della relazione. Si apre cliccando sul disegno del modello oppure dal menu Visualizza, con Finestra Frontespizio. Vi si digitano il progetto, che indica il tipo di lavoro e va scritto per primo, perché serve anche per archiviare i dati; la località, cioè i luoghi oggetto dello studio; la tipologia di studio, per esempio 'analisi situazione attuale' o 'ipotesi situazione di progetto'; il committente, che dà il nome anche al documento della relazione completa; il luogo e la data dell'elaborazione; gli allegati alla relazione, come grafici, disegni, planimetrie o foto.\rLa data viene impostata in automatico ma si può modificare: è importante, perché dà il riferimento temporale delle analisi e delle ipotesi formulate. Sulla destra, accanto alla tipologia di ogni sottosistema, se ne digita la denominazione, che comparirà nelle tabelle della relazione.\rNon conviene superare 60 caratteri per i dati di sinistra e 25 per le denominazioni. Il nome e l'indirizzo dello studio tecnico non si modificano in questa finestra: si impostano con il tasto Ufficio... della finestra Informazioni su Zelmor (menu ?). Il comando Controllo dati immessi del menu Modifica segnala i campi rimasti vuoti.\r"
justify all
end
click guidafrontespizio.cmdchiudi
click frontespizio.finestra
click guidafrontespizio.cmdstampa
expect word has "type \"Guida: FRONTESPIZIO PER LA RELAZIONE\\r\\r\""
expect no message
