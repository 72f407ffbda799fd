# The links never name the subsystem itself, a number twice or a subsystem above the count; no
# typology lands on a row above the count; the final step, and the data check's success, come
# only with a complete model.
today 2026-12-07
start
click frmSplash
click menu.endemica(1)
click menu.Option1(1)
choose menu.valore "medio"
scroll menu.VScroll1 3
# Rows 2 and 3 still empty: a new endemic value does not make the model complete.
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
choose menu.valore "forte"
expect menu.passo text "spuntare il sottosistema n. 2"
click menu.controlla
expect message exclamation "Zelmor: controllo dati immessi nella finestra attiva" "Inserire i dati seguendo le indicazioni nella casella gialla in basso nella finestra, o correggere quelli immessi.\rCliccare sul tasto AIUTO per avere una guida pertinente al contesto."
click menu.Check1(2)
click menu.Option3(2)
choose menu.Combo1(2) "forte"
click menu.Check1(3)
click menu.Option3(3)
choose menu.Combo1(3) "debole"
expect menu.passo text "indicare i legami di ogni sottosistema"
# Row 3 unticked and ticked again becomes the current subsystem: its own button is off.
click menu.Check1(3)
click menu.Check1(3)
expect menu.passo text "cliccare sulla tipologia della situazione particolare"
expect menu.legami(3) enabled "0"
click menu.Option3(4)
choose menu.Combo1(3) "medio"
expect menu.passo text "indicare i legami di ogni sottosistema"
click menu.legami(3)
click menu.legami(2)
expect menu.Label3(1) text "con 3-2"
click menu.dopo
click menu.dopo
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
# The links start again at subsystem 1 after a change of value: what it lists stays off.
choose menu.Combo1(2) "medio"
expect menu.passo text "indicare i legami di ogni sottosistema"
expect menu.legami(1) enabled "0"
expect menu.legami(2) enabled "0"
expect menu.legami(3) enabled "0"
click menu.dopo
click menu.dopo
click menu.dopo
click menu.controlla
expect message information "Zelmor: controllo dati immessi nella finestra attiva" "I dati sono stati immessi correttamente."
# Fewer subsystems: links to the ones that are gone go with them, indexes too.
scroll menu.VScroll1 2
expect menu.Label3(1) text "con 2"
scroll menu.VScroll1 1
expect menu.Label3(1) text "con nessuno"
scroll menu.VScroll1 2
click menu.fin3
set frontespizio.progetto "P"
answer file "{dir}/Zelmor-dati-meno"
click menu.salva
expect file "{dir}/Zelmor-dati-meno" "1,\"totale\",1,\"forte\",\"2\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n,\"\",\"\",\"\"\r\n\"P\",\"\",\"\"\r\n\"\",\"\",\"luned\xec, 7 dic 2026\",\"\"\r\n\"\"\r\n\"\"\r\n"
# A row ticked, then the count lowered below it: no typology goes to that row.
scroll menu.VScroll1 3
click menu.Check1(3)
expect menu.Frame3 enabled "1"
scroll menu.VScroll1 1
expect menu.Frame3 enabled "0"
expect menu.tiposotto(3) text ""
