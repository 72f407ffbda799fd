# A denomination longer than 25 characters read from a file is kept whole (with the warning, as
# for the long fields), so that "Salva" writes back what was read; typing makes no denomination
# longer than 25 characters, nor a longer one read from a file longer still.
start
click frmSplash
write "{dir}/Zelmor-dati-nomi" "1,\"totale\",1,\"medio\",\"2\"\r\n1,\"centrale\",\"forte\",\"con 2\"\r\n2,\"lato nord\",\"debole\",\"con nessuno\"\r\n\"Piano\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"quartiere della stazione ferroviaria\"\r\n\"parco\"\r\n"
answer file "{dir}/Zelmor-dati-nomi"
click menu.apri
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 25 spazi."
expect no message
expect frontespizio.denominazione(1) text "quartiere della stazione ferroviaria"
click menu.salva
expect file "{dir}/Zelmor-dati-nomi" "1,\"totale\",1,\"medio\",\"2\"\r\n1,\"centrale\",\"forte\",\"con 2\"\r\n2,\"lato nord\",\"debole\",\"con nessuno\"\r\n\"Piano\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"quartiere della stazione ferroviaria\"\r\n\"parco\"\r\n"
# It prints whole too.
click menu.fin3
click frontespizio.stampadati
expect word has "cell 2 3 \"quartiere della stazione ferroviaria\""
# A character typed onto it is refused, with the warning; the text read stays.
type frontespizio.denominazione(1) "x"
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 25 spazi."
expect frontespizio.denominazione(1) text "quartiere della stazione ferroviaria"
# Shortened, it is kept as edited, with the warning while it is still long.
set frontespizio.denominazione(1) "quartiere della stazione FS"
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 25 spazi."
expect frontespizio.denominazione(1) text "quartiere della stazione FS"
set frontespizio.denominazione(1) "quartiere della stazione"
expect no message
# Typed past 25 characters, it is cut, as a short one is.
type frontespizio.denominazione(1) "FS"
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 25 spazi."
expect frontespizio.denominazione(1) text "quartiere della stazioneF"
type frontespizio.denominazione(2) " e giardini pubblici XY"
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 25 spazi."
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 25 spazi."
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Per una stampa corretta non digitare dati lunghi più di 25 spazi."
expect frontespizio.denominazione(2) text "parco e giardini pubblici"
click frontespizio.salva
expect file "{dir}/Zelmor-dati-nomi" "1,\"totale\",1,\"medio\",\"2\"\r\n1,\"centrale\",\"forte\",\"con 2\"\r\n2,\"lato nord\",\"debole\",\"con nessuno\"\r\n\"Piano\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"quartiere della stazioneF\"\r\n\"parco e giardini pubblici\"\r\n"
