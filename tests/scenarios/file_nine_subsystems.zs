# Nine subsystems, a lineare kind, accented Windows-1252 title page and a never-chosen typology:
# read and written back unchanged. The procedure waits for the missing typology.
start
click frmSplash
write "{dir}/Zelmor-dati-nove" "2,\"croce centrale\",9,\"forte\",\"9\"\r\n1,\"centrale\",\"forte\",\"con 2-3-4-5-6-7-8-9\"\r\n2,\"lato nord\",\"medio\",\"con 1\"\r\n3,\"lato sud\",\"debole\",\"con nessuno\"\r\n4,\"lato est\",\"medio\",\"con 5-1\"\r\n5,\"lato ovest\",\"forte\",\"con 1-2-3-4-6-7-8-9\"\r\n6,\"angolo nord-ovest\",\"debole\",\"con 7\"\r\n7,\"angolo nord-est\",\"medio\",\"con 6\"\r\n,\"\",\"\",\"\"\r\n9,\"angolo sud-ovest\",\"molto forte\",\"con 8\"\r\n\"Piano di recupero\",\"Località Pian dell'\xe8rba\",\"studio di fattibilit\xe0\"\r\n\"Comune di Sant'Andrea, ufficio\",\"Citt\xe0\",\"15/03/2026\",\"tavole 1-4\"\r\n\"centro storico\"\r\n\"borgo nord\"\r\n\"\"\r\n\"zona artigianale\"\r\n\"parco fluviale\"\r\n\"collina\"\r\n\"stazione\"\r\n\"\"\r\n\"cimitero\"\r\n"
answer file "{dir}/Zelmor-dati-nove"
click menu.Toolbar1(1)
expect no message
expect menu.passo text "scegliere la tipologia del sottosistema n. 8"
expect menu.endemica(2) checked "1"
expect menu.Frame2 visible "1"
expect menu.situazione text "croce centrale"
expect menu.sottosistemi text "9"
expect menu.Label3(5) text "con 1-2-3-4-6-7-8-9"
expect menu.tiposotto(8) text ""
expect menu.Label3(8) text ""
expect menu.Combo1(9) text "molto forte"
answer file "{dir}/Zelmor-dati-nove-copia"
click menu.Toolbar1(3)
expect dialog "Salva file con nome" "File Zelmor-dati- | Zelmor-dati-*" 1 "{dir}/Zelmor-dati-nove"
expect file "{dir}/Zelmor-dati-nove-copia" "2,\"croce centrale\",9,\"forte\",\"9\"\r\n1,\"centrale\",\"forte\",\"con 2-3-4-5-6-7-8-9\"\r\n2,\"lato nord\",\"medio\",\"con 1\"\r\n3,\"lato sud\",\"debole\",\"con nessuno\"\r\n4,\"lato est\",\"medio\",\"con 5-1\"\r\n5,\"lato ovest\",\"forte\",\"con 1-2-3-4-6-7-8-9\"\r\n6,\"angolo nord-ovest\",\"debole\",\"con 7\"\r\n7,\"angolo nord-est\",\"medio\",\"con 6\"\r\n,\"\",\"\",\"\"\r\n9,\"angolo sud-ovest\",\"molto forte\",\"con 8\"\r\n\"Piano di recupero\",\"Località Pian dell'\xe8rba\",\"studio di fattibilit\xe0\"\r\n\"Comune di Sant'Andrea, ufficio\",\"Citt\xe0\",\"15/03/2026\",\"tavole 1-4\"\r\n\"centro storico\"\r\n\"borgo nord\"\r\n\"\"\r\n\"zona artigianale\"\r\n\"parco fluviale\"\r\n\"collina\"\r\n\"stazione\"\r\n\"\"\r\n\"cimitero\"\r\n"
# Saving again goes to the same file, without a dialog.
remove "{dir}/Zelmor-dati-nove-copia"
click menu.Toolbar1(2)
expect file "{dir}/Zelmor-dati-nove-copia" "2,\"croce centrale\",9,\"forte\",\"9\"\r\n1,\"centrale\",\"forte\",\"con 2-3-4-5-6-7-8-9\"\r\n2,\"lato nord\",\"medio\",\"con 1\"\r\n3,\"lato sud\",\"debole\",\"con nessuno\"\r\n4,\"lato est\",\"medio\",\"con 5-1\"\r\n5,\"lato ovest\",\"forte\",\"con 1-2-3-4-6-7-8-9\"\r\n6,\"angolo nord-ovest\",\"debole\",\"con 7\"\r\n7,\"angolo nord-est\",\"medio\",\"con 6\"\r\n,\"\",\"\",\"\"\r\n9,\"angolo sud-ovest\",\"molto forte\",\"con 8\"\r\n\"Piano di recupero\",\"Località Pian dell'\xe8rba\",\"studio di fattibilit\xe0\"\r\n\"Comune di Sant'Andrea, ufficio\",\"Citt\xe0\",\"15/03/2026\",\"tavole 1-4\"\r\n\"centro storico\"\r\n\"borgo nord\"\r\n\"\"\r\n\"zona artigianale\"\r\n\"parco fluviale\"\r\n\"collina\"\r\n\"stazione\"\r\n\"\"\r\n\"cimitero\"\r\n"
