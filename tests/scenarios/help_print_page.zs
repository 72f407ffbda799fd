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
type "Si possono stampare liberamente tutte le finestre riguardanti la guida. Il tasto Stampa di ogni pagina scrive il titolo e il testo della pagina in un nuovo documento dell'elaboratore di testi LibreOffice Writer, dal quale si può stampare su carta; il tasto Stampa del Sommario riunisce invece l'intera guida in un solo documento, una pagina per argomento, e lo salva in formato .doc accanto alla cartella del programma.\rAnche le finestre di lavoro si stampano tramite LibreOffice Writer. Nella finestra Menu il comando Stampa del menu File, o l'icona 'stampa dati finestra', riporta i dati del modello, ma solo quando l'immissione è completa. Nella finestra Frontespizio il menu File, Stampa offre tre possibilità: 'solo dati finestra', con i dati del frontespizio e le denominazioni dei sottosistemi; 'solo modello', con il disegno, che va quindi visualizzato prima; 'relazione e modello', cioè la relazione completa, ottenibile anche con il tasto Stampa, che viene salvata come documento .doc con il nome del committente.\rSi tenga presente che i colori dello schermo sono formati da luce (RGB), mentre quelli della stampante da inchiostri (CMYK): le tinte stampate possono quindi differire da quelle visualizzate.\r"
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
type "Si possono stampare liberamente tutte le finestre riguardanti la guida. Il tasto Stampa di ogni pagina scrive il titolo e il testo della pagina in un nuovo documento dell'elaboratore di testi LibreOffice Writer, dal quale si può stampare su carta; il tasto Stampa del Sommario riunisce invece l'intera guida in un solo documento, una pagina per argomento, e lo salva in formato .doc accanto alla cartella del programma.\rAnche le finestre di lavoro si stampano tramite LibreOffice Writer. Nella finestra Menu il comando Stampa del menu File, o l'icona 'stampa dati finestra', riporta i dati del modello, ma solo quando l'immissione è completa. Nella finestra Frontespizio il menu File, Stampa offre tre possibilità: 'solo dati finestra', con i dati del frontespizio e le denominazioni dei sottosistemi; 'solo modello', con il disegno, che va quindi visualizzato prima; 'relazione e modello', cioè la relazione completa, ottenibile anche con il tasto Stampa, che viene salvata come documento .doc con il nome del committente.\rSi tenga presente che i colori dello schermo sono formati da luce (RGB), mentre quelli della stampante da inchiostri (CMYK): le tinte stampate possono quindi differire da quelle visualizzate.\r"
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
type "L'ultima finestra riguarda i dati destinati al frontespizio della relazione. Si apre cliccando sul disegno del modello oppure dal menu Visualizza, con Finestra Frontespizio. Vi si digitano il progetto, che indica il tipo di lavoro e va scritto per primo, perché serve anche per archiviare i dati; la località, cioè i luoghi oggetto dello studio; la tipologia di studio, per esempio 'analisi situazione attuale' o 'ipotesi situazione di progetto'; il committente, che dà il nome anche al documento della relazione completa; il luogo e la data dell'elaborazione; gli allegati alla relazione, come grafici, disegni, planimetrie o foto.\rLa data viene impostata in automatico ma si può modificare: è importante, perché dà il riferimento temporale delle analisi e delle ipotesi formulate. Sulla destra, accanto alla tipologia di ogni sottosistema, se ne digita la denominazione, che comparirà nelle tabelle della relazione.\rNon conviene superare 60 caratteri per i dati di sinistra e 25 per le denominazioni. Il nome e l'indirizzo dello studio tecnico provengono dalle impostazioni del programma e non si possono modificare in questa finestra. Il comando Controllo dati immessi del menu Modifica segnala i campi rimasti vuoti.\r"
justify all
end
click guidafrontespizio.cmdchiudi
click frontespizio.finestra
click guidafrontespizio.cmdstampa
expect word has "type \"Guida: FRONTESPIZIO PER LA RELAZIONE\\r\\r\""
expect no message
