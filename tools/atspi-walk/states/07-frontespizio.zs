# The title page opened from the drawing, its fields filled.
setting officeName "Studio Rossi & Bianchi"
setting officeAddress "via Garibaldi 8, Parma"
today 2026-12-07
start
click frmSplash
click menu.endemica(1)
click menu.Option1(2)
choose menu.valore "medio"
scroll menu.VScroll1 3
click menu.Check1(1)
click menu.Option3(1)
choose menu.Combo1(1) "forte"
click menu.Check1(2)
click menu.Option3(4)
choose menu.Combo1(2) "debole"
click menu.Check1(3)
click menu.Option3(9)
choose menu.Combo1(3) "medio"
click menu.legami(2)
click menu.legami(3)
click menu.dopo
click menu.legami(1)
click menu.dopo
click menu.dopo
expect menu.passo text "correggere, archiviare i dati o disegnare il modello"
click menu.disegn
expect window disegno visible
click disegno
expect window frontespizio visible
type frontespizio.progetto "Piano del verde"
set frontespizio.località "Collecchio, località Ozzano"
set frontespizio.tipostudio "analisi situazione attuale"
set frontespizio.committente "Comune di Collecchio"
set frontespizio.luogo "Parma"
set frontespizio.allegati "planimetrie e foto"
set frontespizio.denominazione(1) "centro abitato"
set frontespizio.denominazione(2) "torrente Baganza"
set frontespizio.denominazione(3) "zona produttiva"
