# The whole guide from the contents' "Stampa": the program's name, then the seven pages in order,
# each after a page break but the last, everything justified and saved beside the program folder.
# It works with no page open; afterwards the pages are loaded, unseen.
start
click frmSplash
click menu.guida
expect window manuale unloaded
click sommario.cmdstampa
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
type "ZELMOR è un programma che graficizza automaticamente modelli aspaziali di un territorio o di un progetto: basta descrivere la situazione generale dell'area e le sue parti, e il programma ne compone lo schema, lo archivia e ne scrive la relazione. I dati si immettono nella finestra Menu seguendo un ordine preciso, che il programma stesso guida passo per passo.\rPer prima cosa si sceglie la situazione endemica, cioè quella che riguarda l'intera area, cliccando su uno dei tre tasti in alto nel riquadro 'Situazione endemica': superficiale, lineare o puntuale. Compare allora l'elenco delle tipologie, dal quale si sceglie quella voluta (per esempio 'totale', 'lato nord' o 'croce centrale'); quindi, con la freccia della casella 'Valore', se ne indica l'importanza: debole, medio o forte. Un valore non indicato viene disegnato come debole. Si passa poi al numero dei sottosistemi, da 1 a 9, che si imposta con le frecce accanto a 'Numero dei sottosistemi'.\rPer ogni sottosistema si spunta la sua casella (n.1, n.2 e così via), si clicca sulla sua tipologia nel riquadro 'Tipologia situazione particolare' (centrale, un lato o un angolo) e se ne sceglie il valore con la freccia della sua riga. Completati tutti i sottosistemi, si immettono i legami, che compaiono sulla destra: per il sottosistema indicato dalla freccia si cliccano i tasti numerati dei sottosistemi con cui interagisce, poi il tasto con la freccia per passare al successivo. Sono attivi solo i numeri logicamente possibili: non quello del sottosistema stesso, né quelli già inseriti o superiori al numero dei sottosistemi. La gomma accanto a ogni riga cancella i legami di quel sottosistema. In ogni momento la casella gialla in basso dice che cosa fare; quando vi si legge \"correggere, archiviare i dati o disegnare il modello\", l'immissione è completa.\rI dati si archiviano con il comando Salva del menu File, in un file il cui nome inizia con \"Zelmor-dati-\"; per salvare occorre aver digitato almeno il progetto nella finestra Frontespizio. Il tasto 'Disegno' mostra la composizione del modello, che viene conservata come immagine per le relazioni. Il comando Stampa del menu File scrive i dati del modello in un nuovo documento di LibreOffice Writer, dal quale si possono stampare o salvare; la relazione completa si ottiene invece dalla finestra Frontespizio.\r\x0c"
type "Guida: FUNZIONAMENTO DEL PROGRAMMA\r\r"
type "ZELMOR funziona in maniera molto semplice: dai dati immessi nella finestra Menu compone un modello fenomenologico aspaziale, cioè uno schema che rappresenta i fenomeni di un territorio o di un progetto, la loro importanza e i loro legami, senza alcuna scala di grandezza reale.\rLa situazione endemica, che riguarda tutta l'area, è disegnata in nero come un rettangolo, come una o due linee oppure come una serie di punti gialli, secondo che sia superficiale, lineare o puntuale. Ogni sottosistema diventa un rettangolo, di dimensioni diverse secondo la zona, collocato in una delle 9 posizioni possibili: al centro, su uno dei quattro lati o in uno dei quattro angoli; colori e tratteggi servono solo a distinguere le parti. Il valore si legge nel contorno: più il fenomeno è forte, più il bordo è spesso. I legami sono disegnati tra i rettangoli con figure scelte secondo la distanza logica tra le zone da collegare.\rCombinando situazioni endemiche, sottosistemi, valori e legami si possono ottenere 4'428'675 modelli diversi. Se si cambia la situazione endemica, i dati già immessi per i sottosistemi restano al loro posto: basta scegliere la nuova tipologia e il suo valore per ritrovare il modello completo, pronto per essere ridisegnato.\r\x0c"
type "Guida: ARCHIVIO DATI\r\r"
type "E' possibile memorizzare in appositi files i dati immessi per ogni finestra, per riprenderli in seguito, correggerli o stamparli di nuovo. Un unico file contiene sia il modello della finestra Menu sia i dati della finestra Frontespizio: per questo entrambe le finestre archiviano tutti i dati, e aprendo un file da una qualsiasi delle due si riempiono tutte e due. I dati non archiviati vanno persi uscendo dal programma o chiudendo la finestra Menu o Frontespizio: in entrambi i casi viene chiesta conferma.\rNella finestra di salvataggio il nome del file è già impostato con la parte iniziale \"Zelmor-dati-\": per non cancellarla, premere il tasto freccia a destra e digitare il resto del nome, come Zelmor-dati-Parma. Gli elenchi dei file per l'apertura e l'eliminazione mostrano in partenza solo i file di questo tipo; per vederli tutti si sceglie 'Tutti i file (*.*)'.\rI comandi si trovano nel menu File di ciascuna finestra e nelle prime quattro icone della barra degli strumenti: Apri... (apri file), Salva (salva file), Salva con nome... (salva file con nome) ed Elimina... (elimina file). Salva riscrive il file in uso, e chiede conferma solo se un altro programma lo ha modificato; Salva con nome... chiede sempre un nuovo nome. Per archiviare occorrono il numero dei sottosistemi e il progetto del frontespizio. Elimina... cancella subito il file scelto, senza chiedere conferma.\r\x0c"
type "Guida: STAMPA\r\r"
type "Si possono stampare liberamente tutte le finestre riguardanti la guida. Il tasto Stampa di ogni pagina la scrive in un nuovo documento di LibreOffice Writer, da cui stamparla su carta; il tasto Stampa del Sommario riunisce l'intera guida in un solo documento e lo salva come Zelmor-guida.doc nella cartella Zelmor dentro Documenti.\rAnche le finestre di lavoro si stampano tramite Writer. Nella finestra Menu il comando Stampa del menu File riporta i dati del modello, ma solo a immissione completa. Nella finestra Frontespizio il menu File, Stampa offre 'solo dati finestra', 'solo modello' e 'relazione e modello', cioè la relazione completa, ottenibile anche con il tasto Stampa. Le ultime due inseriscono il disegno, da visualizzare prima di stampare e dopo ogni modifica dei dati.\rLa relazione completa viene salvata nella stessa cartella con il nome del committente, per esempio RelazioneZelmor-Comune di Parma.doc, insieme a una copia PDF. Ristampandola, i due file vengono sostituiti; se però la precedente è aperta in Writer e modificata, resta com'è e la nuova prende un nome numerato, come RelazioneZelmor-Comune di Parma (2).doc.\rI colori stampati (CMYK) possono differire da quelli dello schermo (RGB).\r\x0c"
type "Guida: MENU\r\r"
type "La finestra Menu è quella riguardante praticamente l'intera immissione dati: vi si descrivono la situazione endemica, i sottosistemi con le loro tipologie e i loro valori, e i legami tra di essi. Ogni passo è spiegato nella casella gialla in basso, che indica sempre che cosa fare subito dopo.\rI comandi si attivano soltanto nell'ordine giusto: finché un dato non è stato immesso, quelli che ne dipendono restano disattivati. Se non si sa come proseguire, il tasto AIUTO dice qual è il primo dato mancante e come immetterlo; il comando Controllo dati immessi del menu Modifica verifica invece se l'immissione è completa.\rSi comincia sempre dalla situazione endemica, con i tasti superficiale, lineare e puntuale in alto; le correzioni si fanno alla fine, quando la casella gialla riporta \"correggere, archiviare i dati o disegnare il modello\". Si possono allora cambiare i valori, ridare la tipologia a un sottosistema togliendo e rimettendo la sua spunta, rifare i legami con la gomma accanto alla riga, oppure ripartire da zero con Cancella dati immessi del menu Modifica.\rI dati si archiviano con il menu File in files che conviene chiamare con il nome già proposto, \"Zelmor-dati-\", completato da una parola che ricordi il lavoro, come il luogo o il committente.\r\x0c"
type "Guida: DISEGNO MODELLO FENOMENOLOGICO\r\r"
type "Una volta impostati tutti i dati con la finestra Menu, il tasto 'Disegno' apre la finestra \"Zelmor: disegno del modello fenomenologico aspaziale\" con la composizione del modello. La situazione endemica è disegnata in nero; ogni sottosistema è il rettangolo della sua zona, con colore e tratteggio propri e un contorno tanto più spesso quanto maggiore è il suo valore.\rLe posizioni possibili sono nove: centrale, lato nord, lato sud, lato est, lato ovest e i quattro angoli nord-ovest, nord-est, sud-est e sud-ovest. I legami sono disegnati sotto i rettangoli con quattro tipi di figura, scelti secondo le zone da collegare: sottili linee orizzontali parallele quando le due zone si sovrappongono lungo un lato; piccoli rettangoli verdi affiancati quando si toccano o si incastrano; catene di cerchietti verdi quando sono lontane e il legame deve girare attorno al disegno o attraversarlo; pochi cerchi verdi più grandi quando si fronteggiano da una parte all'altra del disegno.\rOgni disegno completo viene salvato come immagine del modello, che le relazioni inseriscono. Allargando la finestra le zone si adattano alle nuove dimensioni, mentre le figure dei legami restano al loro posto. Cliccando sul disegno si apre la finestra Frontespizio.\r\x0c"
type "Guida: FRONTESPIZIO PER LA RELAZIONE\r\r"
type "L'ultima finestra riguarda i dati destinati al frontespizio della relazione. Si apre cliccando sul disegno del modello oppure dal menu Visualizza, con Finestra Frontespizio. Vi si digitano il progetto, che indica il tipo di lavoro e va scritto per primo, perché serve anche per archiviare i dati; la località, cioè i luoghi oggetto dello studio; la tipologia di studio, per esempio 'analisi situazione attuale' o 'ipotesi situazione di progetto'; il committente, che dà il nome anche al documento della relazione completa; il luogo e la data dell'elaborazione; gli allegati alla relazione, come grafici, disegni, planimetrie o foto.\rLa data viene impostata in automatico ma si può modificare: è importante, perché dà il riferimento temporale delle analisi e delle ipotesi formulate. Sulla destra, accanto alla tipologia di ogni sottosistema, se ne digita la denominazione, che comparirà nelle tabelle della relazione.\rNon conviene superare 60 caratteri per i dati di sinistra e 25 per le denominazioni. Il nome e l'indirizzo dello studio tecnico non si modificano in questa finestra: si impostano con il tasto Ufficio... della finestra Informazioni su Zelmor (menu ?). Il comando Controllo dati immessi del menu Modifica segnala i campi rimasti vuoti."
justify all
save "{reports}/Zelmor-guida.doc"
end
expect no message
expect window manuale hidden
expect window guidafunzionamento hidden
expect window guidaarchivio hidden
expect window guidastampa hidden
expect window guidamenu hidden
expect window guidadisegno hidden
expect window guidafrontespizio hidden
expect window sommario visible
# A page loaded by the print shows when asked, as it was loaded.
click sommario.puls(5)
expect window guidamenu visible
expect guidamenu left "5467"
# A page already open stays open and in its place, and the guide is written again the same way.
click sommario.cmdstampa
expect window guidamenu visible
expect word has "type \"Guida: MENU\\r\\r\""
expect word has "save \"{reports}/Zelmor-guida.doc\""
expect word has "justify all"

# A guide that cannot be saved: the document stays open in the word processor, and the user is
# told where it could not go.
remove "{reports}/Zelmor-guida.doc"
write "{reports}/Zelmor-guida.doc/occupato" "x"
click sommario.cmdstampa
expect message critical "Zelmor: stampa" "Il documento è stato scritto, ma non è stato possibile salvarlo.\rIl documento resta aperto in LibreOffice Writer: salvarlo da lì con il comando Salva con nome.\r({reports}/Zelmor-guida.doc)"
