# The picture and full reports print the picture only beside the model it was drawn from: a
# picture left by an earlier run, one of another model (a file opened, a value changed after the
# drawing) or one rewritten by another program is refused, and once drawn again it prints.
setting officeName "Studio Rossi"
today 2026-12-08
# A valid one-pixel bitmap, as an earlier run might have left it.
write "{picture}" "BM\x3A\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00\x04\x00\x00\x00\xC4\x0E\x00\x00\xC4\x0E\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\x00"
start
click frmSplash
write "{dir}/Zelmor-dati-A" "1,\"lato nord\",2,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto A\",\"\",\"\"\r\n\"Cliente\",\"\",\"\",\"\"\r\n\"\"\r\n"
write "{dir}/Zelmor-dati-B" "2,\"croce centrale\",9,\"forte\",\"2\"\r\n6,\"angolo nord-ovest\",\"debole\",\"con 2\"\r\n8,\"angolo sud-est\",\"medio\",\"con 1\"\r\n\"Progetto B\",\"\",\"\"\r\n\"Cliente\",\"\",\"\",\"\"\r\n\"\"\r\n\"\"\r\n"
answer file "{dir}/Zelmor-dati-A"
click menu.apri
click menu.fin3
# The picture of an earlier run: nothing is written, not even the status.
click frontespizio.stampamodello
expect message critical "Zelmor: stampa" "Il disegno del modello non corrisponde ai dati attuali ({picture}).\rVisualizzare il disegno (Finestra Disegno), poi ripetere la stampa."
click frontespizio.stampa
expect message critical "Zelmor: stampa" "Il disegno del modello non corrisponde ai dati attuali ({picture}).\rVisualizzare il disegno (Finestra Disegno), poi ripetere la stampa."
expect frontespizio.passo text "digitare i dati in ogni campo"
expect word
end
# Drawn from A: both reports print it.
click frontespizio.fin2
expect picture "{picture}" size 632 428
click frontespizio.stampamodello
expect no message
expect word
start
show
add document
add picture "{picture}"
end
# Another model opened: A's picture is not B's.
answer file "{dir}/Zelmor-dati-B"
click frontespizio.apri
click frontespizio.stampamodello
expect message critical "Zelmor: stampa" "Il disegno del modello non corrisponde ai dati attuali ({picture}).\rVisualizzare il disegno (Finestra Disegno), poi ripetere la stampa."
click frontespizio.stampa
expect message critical "Zelmor: stampa" "Il disegno del modello non corrisponde ai dati attuali ({picture}).\rVisualizzare il disegno (Finestra Disegno), poi ripetere la stampa."
expect word
end
click menu.disegn
click frontespizio.stampamodello
expect no message
expect word
start
show
add document
add picture "{picture}"
end
# A change after the drawing: refused; the same data again match the same picture.
choose menu.valore "debole"
click frontespizio.stampamodello
expect message critical "Zelmor: stampa" "Il disegno del modello non corrisponde ai dati attuali ({picture}).\rVisualizzare il disegno (Finestra Disegno), poi ripetere la stampa."
expect word
end
choose menu.valore "forte"
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
click frontespizio.stampamodello
expect no message
expect word
start
show
add document
add picture "{picture}"
end
# Rewritten by another program after the drawing.
write "{picture}" "BM\x3A\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00\x04\x00\x00\x00\xC4\x0E\x00\x00\xC4\x0E\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\x00"
click frontespizio.stampa
expect message critical "Zelmor: stampa" "Il disegno del modello non corrisponde ai dati attuali ({picture}).\rVisualizzare il disegno (Finestra Disegno), poi ripetere la stampa."
expect word
end
# Drawn again, the full report prints B's picture beside B's tables.
click frontespizio.Toolbar1(9)
click frontespizio.stampa
expect no message
expect word has "add picture \"{picture}\""
expect word has "cell 2 2 \"lineare\""
expect word has "cell 3 2 \"croce centrale\""
expect word has "save \"{reports}/RelazioneZelmor-Cliente.doc\""
# A missing picture is still told as not saved yet.
remove "{picture}"
click frontespizio.stampamodello
expect message critical "Zelmor: stampa" "Il disegno del modello non è ancora stato salvato ({picture}).\rVisualizzare il disegno (Finestra Disegno), poi ripetere la stampa."
