# "Salva" without a dialog never overwrites unasked a file that another program has changed since
# the program read or last saved it (a colleague's correction in an editor, a second copy on a
# shared folder): either window asks, "No" leaves that program's file as it wrote it.
write "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
start
click frmSplash
answer file "{dir}/Zelmor-dati-A"
click menu.apri
# The colleague corrects the project.
write "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto corretto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
answer question no
click menu.salva
expect message question "Zelmor: controllo dati immessi nella finestra attiva" "Il file \"{dir}/Zelmor-dati-A\" è stato modificato da un altro programma dopo l'apertura.\rSovrascriverlo con i dati della finestra?"
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto corretto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# The title page's "Salva" asks the same; "Sì" writes the windows' data over it.
click menu.fin3
answer question yes
click frontespizio.salva
expect message question "Zelmor: controllo dati immessi nella finestra attiva" "Il file \"{dir}/Zelmor-dati-A\" è stato modificato da un altro programma dopo l'apertura.\rSovrascriverlo con i dati della finestra?"
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Citta\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# Saved by the program, it is the program's again: the next save of either window asks nothing.
set frontespizio.luogo "Parma"
click menu.salva
expect no message
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Parma\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# The same bytes written again by another program (a copy back from a backup): nothing of its
# own would be lost, so nothing is asked.
write "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Parma\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
click frontespizio.salva
expect no message
# A file deleted meanwhile is written again without a question.
remove "{dir}/Zelmor-dati-A"
click frontespizio.salva
expect no message
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Parma\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# After "Salva con nome..." the file watched is the new one; shortened by another program, it is
# changed too.
answer file "{dir}/Zelmor-dati-B"
click menu.salvanome
write "{dir}/Zelmor-dati-B" "1,\"totale\",1,\"medio\",\"1\"\r\n"
answer question no
click menu.salva
expect message question "Zelmor: controllo dati immessi nella finestra attiva" "Il file \"{dir}/Zelmor-dati-B\" è stato modificato da un altro programma dopo l'apertura.\rSovrascriverlo con i dati della finestra?"
expect file "{dir}/Zelmor-dati-B" "1,\"totale\",1,\"medio\",\"1\"\r\n"
# "Salva con nome..." over it asks nothing of the kind: the user chose that file in the dialog.
answer file "{dir}/Zelmor-dati-B"
click frontespizio.salvanome
expect no message
expect file "{dir}/Zelmor-dati-B" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Parma\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
# A file opened in the title page is watched as well.
answer file "{dir}/Zelmor-dati-A"
click frontespizio.apri
write "{dir}/Zelmor-dati-A" "garbage"
answer question yes
click frontespizio.salva
expect message question "Zelmor: controllo dati immessi nella finestra attiva" "Il file \"{dir}/Zelmor-dati-A\" è stato modificato da un altro programma dopo l'apertura.\rSovrascriverlo con i dati della finestra?"
expect file "{dir}/Zelmor-dati-A" "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n\"Progetto\",\"Luogo\",\"Studio\"\r\n\"Cliente\",\"Parma\",\"01/01/2026\",\"nessuno\"\r\n\"Den\"\r\n"
