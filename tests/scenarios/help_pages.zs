# The help pages: their windows, titles and bodies, where they open, the per-window help item of
# both working windows, and their buttons.
start
click frmSplash
click menu.guida
click sommario.puls(1)
expect manuale caption "Guida in linea"
expect manuale backcolor "255,255,192"
expect manuale width "9600"
expect manuale height "6825"
expect manuale left "1920"
expect manuale top "1440"
expect manuale.Label1 text "MANUALE D'USO RAPIDO"
expect manuale.Label1 backcolor "255,255,192"
expect manuale.Label1 bold "1"
expect manuale.Label1 top "600"
expect manuale.Label1 height "375"
expect manuale.Label2 left "120"
expect manuale.Label2 top "840"
expect manuale.Label2 width "9135"
expect manuale.Label2 height "5520"
expect manuale.Label2 bold "0"
expect manuale.Label2 backcolor "255,255,192"
expect manuale.cmdSommario text "&Sommario"
expect manuale.cmdstampa text "S&tampa"
expect manuale.cmdchiudi text "&Chiudi"
expect manuale.cmdchiudi left "2520"
expect manuale.cmdSommario tooltip "cliccare per tornare al sommario"
expect manuale.cmdstampa tooltip "cliccare per avere la copia su carta del MANUALE D'USO RAPIDO"
expect manuale.cmdchiudi tooltip "cliccare per chiudere la finestra"

# The six other pages open against the right part of the screen, narrower, without tooltips.
click sommario.puls(2)
expect guidafunzionamento caption "Guida in linea"
expect guidafunzionamento left "5467"
expect guidafunzionamento top "1440"
expect guidafunzionamento width "5640"
expect guidafunzionamento height "6825"
expect guidafunzionamento.Label1 text "FUNZIONAMENTO DEL PROGRAMMA"
expect guidafunzionamento.Label1 width "4095"
expect guidafunzionamento.Label1 height "255"
expect guidafunzionamento.Label2 top "960"
expect guidafunzionamento.Label2 width "5175"
expect guidafunzionamento.Label2 height "5280"
expect guidafunzionamento.cmdstampa tooltip ""
click sommario.puls(3)
expect guidaarchivio.Label1 text "ARCHIVIO DATI"
expect guidaarchivio.Label1 width "3615"
expect guidaarchivio.Label2 height "5415"
click sommario.puls(4)
expect guidastampa.Label1 text "STAMPA"
expect guidastampa.Label2 height "5295"
click sommario.puls(6)
expect guidadisegno.Label1 text "DISEGNO MODELLO FENOMENOLOGICO"
expect guidadisegno.Label2 height "5415"
expect guidadisegno left "5467"

# The data-entry window's own help item shows the page on its window.
click menu.finestra
expect window guidamenu visible
expect guidamenu.Label1 text "MENU"
expect guidamenu.Label2 width "5295"
expect guidamenu.Label2 height "5295"
expect guidamenu left "5467"
# The title page's shows the page on the title page.
click menu.fin3
click frontespizio.finestra
expect window guidafrontespizio visible
expect guidafrontespizio.Label1 text "FRONTESPIZIO PER LA RELAZIONE"
expect guidafrontespizio.Label2 height "5295"

# "Chiudi" discards a page; it opens afresh, where it opened before, even if it was moved.
resize guidadisegno 6000 7000
click guidadisegno.cmdchiudi
expect window guidadisegno unloaded
click sommario.puls(6)
expect guidadisegno width "5640"
expect guidadisegno left "5467"
expect guidadisegno.Label2 width "5175"

# "Sommario" brings the contents forward and leaves the page open.
click sommario.cmdchiudi
click guidamenu.cmdSommario
expect window sommario visible
expect window guidamenu visible

# A page keeps its body in proportion when the user makes it larger (twice as large here).
resize guidastampa 11100 12930
expect guidastampa.Label2 width "10350"
expect guidastampa.Label2 height "10590"
expect guidastampa.Label1 text "STAMPA"

answer question yes
click sommario.uscita
expect message question "Attenzione: i dati non archiviati andranno persi !" "Vuoi uscire da Zelmor?"
key frmSplash "x"
expect program ended
