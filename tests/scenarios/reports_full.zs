# The full report ("&Stampa", "&relazione e modello", toolbar 6 of the title page): the title
# page, the explanatory texts, the picture, the two tables, the closing block with the page count
# taken before it, the whole justified, then saved beside the program folder.
setting officeName "Studio Rossi & Bianchi"
setting officeAddress "via Garibaldi 8, Parma"
today 2026-12-08
pages 3
start
click frmSplash
click menu.fin3
# No model: refused with the data-entry window brought forward; nothing is written.
click frontespizio.stampa
expect message critical "Zelmor: controllo dati immessi nella finestra attiva" "Non esistono dati del modello da stampare: immetterli nella finestra Menu o aprire un file archiviato."
expect window menu visible
expect frontespizio.passo text "digitare i dati in ogni campo"
# One subsystem, linked with none.
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "forte"
scroll menu.VScroll1 2
scroll menu.VScroll1 1
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "medio"
click menu.dopo
expect menu.Label3(1) text "con nessuno"
# Not drawn yet: the picture is missing, and the report is not started.
click frontespizio.Toolbar1(6)
expect message critical "Zelmor: stampa" "Il disegno del modello non è ancora stato salvato ({picture}).\rVisualizzare il disegno (Finestra Disegno), poi ripetere la stampa."
expect word
end
click menu.disegn
# Empty title-page fields print their labels with nothing after them; the empty client gives the
# name "RelazioneZelmor-.doc", in the Zelmor folder of the user's documents.
click frontespizio.stampa
expect no message
expect frontespizio.passo text "sto caricando WORD"
expect word
start
show
add document
font name "Century Gothic"
font size 24
type "Zelmor\r"
font size 14
type "composizioni di modelli logici aspaziali\r\r"
type "progetto: \r"
type "località: \r"
type "tipologia di studio: \r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "progettista: Studio Rossi & Bianchi\r"
type "committente: \r\r"
type ": martedì, 8 dic 2026\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "\r"
type "Studio Rossi & Bianchi\r"
type "via Garibaldi 8, Parma\x0c"
font size 16
type "Criteri di elaborazione\r\r"
font size 12
type "Il modello fenomelogico aspaziale è uno schema della situazione analizzata o progettata. E' un disegno fenomenologico perchè riguarda i fenomeni osservati con tutti i loro legami e la loro importanza. E' aspaziale perchè non contempla scale di riferimento alla grandezza naturale dei fatti, ma solo alla loro importanza.\r"
type "Per questi motivi la situazione viene indicata come endemica in quanto riferita a tutto l'insieme territoriale oggetto della elaborazione e con la specificazione di 'superficiale', 'lineare', 'puntuale, secondo che essa sia estesa su tutta la superficie o solo su una sua dimensione, o su un punto concentrato. A tale proposito sono state indicate le tipologie possibili ed il loro valore come forza del fenomeno.\r"
type "Nello schema territoriale sono stati individuati nove sottosistemi massimi: ciascuno che occupa una zona predefinita dividendo l'intera mappa in una tavola di quadranti (tre superiormente, tre centrali e tre inferiori, oppure tre sulla sinistra, tre al centro e tre sulla destra). Per ciascuno di essi sono stati indicati i legami e la loro natura rispetto agli altri sottosistemi in modo da ottenere, quantitativamente e qualitativamente, uno schema grafico che è riportato in questa relazione sulla elaborazione effettuata. Il modello è un mezzo di lettura o di progetto semplificato della situazione che consente, nello stesso tempo, di avere un'immagine precisa di dove intervenire, se necessario, ed anche come farlo urbanisticamente.\r\r\r\r"
append paragraph
add picture "{picture}"
type "\x0c"
font size 16
type "Analisi del grafico\r\r"
font size 12
type "Il grafico è strutturato come un insieme di rettangoli che possono anche intersecarsi tra loro quando hanno elementi di sovrapposizione. Rappresentano, in tal modo, le singole zone del territorio oggetto di studio. Tali aree possono caratterizzarsi anche come elementi concentrati lungo un asse o in singoli punti. In questi casi la rappresentazione prende la forma di segmenti o di cerchi. Anch'essi possono essere posizionati in un ambito specifico o nell'intera area, secondo i dati di input.\r"
type "I legami tra le parti possono essere di vario tipo, secondo la distanza tra gli elementi da collegare: una serie di segmenti paralelli, una serie di cerchi di dimensioni variabili, una serie di rettangoli paralleli di dimensioni pure variabili. In tutti i casi i legami sono posti tra le zone da collegare e strettamente connesse.\r"
type "Infine vi è da specificare l'aspetto qualitativo degli elementi rappresentati, sia in senso generale che come legami. In tutti i casi lo spessore della grafica simboleggia l'importanza come fenomeno: maggiore è lo spessore delle linee del contorno e maggiore sarà anche il valore all'interno dell'insieme studiato. Il colore serve solo a fornire una differenziazione delle parti ed evitare confusioni di lettura del grafico.\r"
type "Si riportano i dati inseriti nella elaborazione.\r\r"
append paragraph
add table 5 2
table font size 10
cell 1 1 "dati"
cell 1 2 "valori"
cell 2 1 "situazione endemica"
cell 2 2 "superficiale"
cell 3 1 "tipologia"
cell 3 2 "totale"
cell 4 1 "valore"
cell 4 2 "forte"
cell 5 1 "numero di sottosistemi"
cell 5 2 "1"
autoformat 9
append paragraph
add table 2 5
table font size 10
cell 1 1 "n. sottosistema"
cell 1 2 "tipologia"
cell 1 3 "denominazione"
cell 1 4 "valore"
cell 1 5 "legami tra sottosistemi"
cell 2 1 " 1"
cell 2 2 "centrale"
cell 2 3 ""
cell 2 4 "medio"
cell 2 5 "con nessuno"
autoformat 9
append paragraph
paragraph font size 12
count pages
paragraph text "\r\rLa presente relazione è composta di n. 3 pagine.\rSi allegano: \r\r: martedì, 8 dic 2026\r\ril progettista\r(Studio Rossi & Bianchi)"
justify all
save "{reports}/RelazioneZelmor-.doc"
end
# The status stays as the report set it at its start.
expect frontespizio.passo text "sto caricando WORD"
# A client that looks like a path still gives one file in the reports folder.
set frontespizio.committente "../studi/Rossi"
click frontespizio.stampatutto
expect word has "type \"committente: ../studi/Rossi\\r\\r\""
expect word has "save \"{reports}/RelazioneZelmor-..-studi-Rossi.doc\""
expect file "{dir}/studi/Rossi.doc" absent
expect file "{dir}/Documenti/studi/Rossi.doc" absent
# A save that cannot be done is told, and the status says that the report was not completed.
write "{reports}/RelazioneZelmor-bloccato.doc/segnaposto" ""
set frontespizio.committente "bloccato"
click frontespizio.stampa
expect message critical "Zelmor: stampa" "Il documento è stato scritto, ma non è stato possibile salvarlo.\rIl documento resta aperto in LibreOffice Writer: salvarlo da lì con il comando Salva con nome.\r({reports}/RelazioneZelmor-bloccato.doc)"
expect frontespizio.passo text "stampa non completata"
remove "{reports}/RelazioneZelmor-bloccato.doc/segnaposto"
remove "{reports}/RelazioneZelmor-bloccato.doc"
# Nine subsystems and a full title page, through toolbar button 6; run twice, saved twice under
# the same name.
write "{dir}/Zelmor-dati-nove" "2,\"croce centrale\",9,\"forte\",\"9\"\r\n1,\"centrale\",\"forte\",\"con 2-3\"\r\n2,\"lato nord\",\"medio\",\"con 1\"\r\n3,\"lato sud\",\"debole\",\"con nessuno\"\r\n4,\"lato est\",\"medio\",\"con 5\"\r\n5,\"lato ovest\",\"forte\",\"con 4\"\r\n6,\"angolo nord-ovest\",\"debole\",\"con 7\"\r\n7,\"angolo nord-est\",\"medio\",\"con 6\"\r\n8,\"angolo sud-est\",\"debole\",\"con 9\"\r\n9,\"angolo sud-ovest\",\"molto forte\",\"con 8\"\r\n\"Piano di recupero\",\"Borgo\",\"analisi\"\r\n\"Comune di Parma\",\"Parma\",\"15/03/2026\",\"tavole 1-4\"\r\n\"d1\"\r\n\"d2\"\r\n\"d3\"\r\n\"d4\"\r\n\"d5\"\r\n\"d6\"\r\n\"d7\"\r\n\"d8\"\r\n\"d9\"\r\n"
answer file "{dir}/Zelmor-dati-nove"
click frontespizio.apri
# The picture of the model opened: the one drawn before is another model's.
click frontespizio.Toolbar1(9)
pages 5
click frontespizio.Toolbar1(6)
click frontespizio.Toolbar1(6)
expect no message
expect word has "type \"progetto: Piano di recupero\\r\""
expect word has "type \"Parma: 15/03/2026\\r\""
expect word has "add table 10 5"
expect word has "cell 5 2 \"9\""
expect word has "cell 10 1 \" 9\""
expect word has "cell 10 3 \"d9\""
expect word has "cell 10 5 \"con 8\""
expect word has "cell 4 5 \"con nessuno\""
expect word has "paragraph text \"\\r\\rLa presente relazione è composta di n. 5 pagine.\\rSi allegano: tavole 1-4\\r\\rParma: 15/03/2026\\r\\ril progettista\\r(Studio Rossi & Bianchi)\""
expect word has "save \"{reports}/RelazioneZelmor-Comune di Parma.doc\""
