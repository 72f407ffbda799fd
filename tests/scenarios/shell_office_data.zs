# The office's name and address, typed once in the program from the about window: the about
# window and the title page (read-only there) show them at once.
setting officeName "Ufficio tecnico di prova"
start
click frmSplash
click menu.fin3
expect frontespizio.Labelstudio text "Ufficio tecnico di prova"
expect frontespizio.labelindirizzo text ""
click frontespizio.informazioni
expect window informa visible
click informa.cmdufficio
expect window ufficio visible
expect ufficio caption "Zelmor: dati dell'ufficio tecnico"
expect ufficio.nome text "Ufficio tecnico di prova"
expect ufficio.indirizzo text ""
# "Annulla" changes nothing.
set ufficio.nome "Altro ufficio"
click ufficio.annulla
expect window ufficio unloaded
expect informa.ufficio text "Ufficio tecnico di prova"
# Pasted line breaks become blanks and the ends are trimmed: a setting holds one line.
click informa.cmdufficio
expect ufficio.nome text "Ufficio tecnico di prova"
set ufficio.nome "  Studio Łódź – Kraków\r\nsede di Parma  "
set ufficio.indirizzo "Via Roma 1, 00100 Città"
click ufficio.ok
expect no message
expect window ufficio unloaded
expect informa.ufficio text "Studio Łódź – Kraków sede di Parma"
expect informa.indirizzo text "Via Roma 1, 00100 Città"
expect frontespizio.Labelstudio text "Studio Łódź – Kraków sede di Parma"
expect frontespizio.labelindirizzo text "Via Roma 1, 00100 Città"
# Emptied: the about window says how to set them again.
click informa.cmdufficio
set ufficio.nome ""
set ufficio.indirizzo ""
click ufficio.ok
expect informa.ufficio text "Ufficio non indicato nelle impostazioni: vedere \"Ufficio...\""
expect frontespizio.Labelstudio text ""
# "Cancella dati finestra" brings back the boxes as they were at load, but the office as it is now.
click informa.cmdufficio
set ufficio.nome "Studio Rossi"
click ufficio.ok
click informa.ok
click frontespizio.cancella
expect frontespizio.Labelstudio text "Studio Rossi"
expect frontespizio.labelindirizzo text ""
# Enter keeps what was typed, Escape leaves it; in the about window both close it.
click frontespizio.informazioni
click informa.cmdufficio
set ufficio.nome "Studio Verdi"
key ufficio "\x1b"
expect window ufficio unloaded
expect informa.ufficio text "Studio Rossi"
click informa.cmdufficio
set ufficio.nome "Studio Verdi"
key ufficio "\r"
expect window ufficio unloaded
expect informa.ufficio text "Studio Verdi"
key informa "\x1b"
expect window informa unloaded
