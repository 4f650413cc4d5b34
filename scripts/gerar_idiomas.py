#!/usr/bin/env python3
"""Writes the six language files and the initial language choice.

    scripts/gerar_idiomas.py           write resources/idiomas/*.ini
    scripts/gerar_idiomas.py --check   exit 1 when a file differs from the table

One table holds every text in all six languages, so the files always have the
same sections and keys. The files are Windows-1252 with CR LF line ends, like
every settings file of the program. To add a text, add one row to its section
here (and its key to tests/data/idiomas_chaves.txt), then run the script.
"""

import os
import sys

LINGUAS = [
    # file,       name shown in the comment line
    ("portugues", "Português"),
    ("ingles", "English"),
    ("frances", "Français"),
    ("alemao", "Deutsch"),
    ("italiano", "Italiano"),
    ("espanhol", "Español"),
]

# Texts used by more than one key.
INSERIR_GRUPO = ("> > Inserir Grupo > >", "> > Insert Group > >", "> > Insérer le groupe > >",
                 "> > Gruppe einfügen > >", "> > Inserisci gruppo > >", "> > Insertar grupo > >")
ESCOLHA_LABIRINTO = ("Escolha um labirinto.", "Please choose a maze.",
                     "Veuillez choisir un labyrinthe.", "Bitte wählen Sie ein Labyrinth.",
                     "Scegliere un labirinto.", "Elija un laberinto.")
LABIRINTO = ("Labirinto", "Maze", "Labyrinthe", "Labyrinth", "Labirinto", "Laberinto")
TIPO = ("Tipo", "Type", "Type", "Typ", "Tipo", "Tipo")
DISTANCIA = ("Distância (cm)", "Distance (cm)", "Distance (cm)", "Abstand (cm)",
             "Distanza (cm)", "Distancia (cm)")
SESSAO = ("Sessão", "Session", "Séance", "Sitzung", "Sessione", "Sesión")
DURACAO = ("Duração (s)", "Duration (s)", "Durée (s)", "Dauer (s)", "Durata (s)",
           "Duración (s)")
INICIOS = ("Inícios:", "Start points:", "Points de départ :", "Startpunkte:",
           "Punti di partenza:", "Puntos de inicio:")
SALVAR_CONFIG = ("Salvar Configurações", "Save Settings", "Enregistrer les paramètres",
                 "Einstellungen speichern", "Salva impostazioni", "Guardar configuración")
EXPERIMENTO_DOIS_PONTOS = ("Experimento:", "Experiment:", "Expérience :", "Experiment:",
                           "Esperimento:", "Experimento:")
FECHAR = ("Fechar", "Close", "Fermer", "Schließen", "Chiudi", "Cerrar")
LIMPAR = ("Limpar", "Clear", "Vider", "Leeren", "Svuota", "Vaciar")
COMPACTA = ("Compacta", "Compact", "Compacte", "Kompakt", "Compatta", "Compacta")
COMPACTA_BRACO = ("Compacta Por Braço", "Compact by Arm", "Compacte par bras",
                  "Kompakt nach Arm", "Compatta per braccio", "Compacta por brazo")
POR_QUADRADO = ("Por Quadrado", "By Square", "Par case", "Nach Feld", "Per casella",
                "Por casilla")
RENOMEAR_ARQUIVO = ("Renomear Arquivo", "Rename File", "Renommer un fichier",
                    "Datei umbenennen", "Rinomina file", "Renombrar archivo")
# Arrow-key mode: button that switches on / off, state label on / off, and the
# main window's status panel on / off.
ATIVAR = ("Ativar", "Switch On", "Activer", "Einschalten", "Attiva", "Activar")
DESATIVAR = ("Desativar", "Switch Off", "Désactiver", "Ausschalten", "Disattiva", "Desactivar")
ESTADO_ON = ("ATIVADO", "ON", "ACTIVÉ", "EIN", "ATTIVATO", "ACTIVADO")
ESTADO_OFF = ("DESATIVADO", "OFF", "DÉSACTIVÉ", "AUS", "DISATTIVATO", "DESACTIVADO")
PAINEL_ON = ("Teclas de edição: ATIVADAS", "Arrow keys: ON", "Touches fléchées : ACTIVÉES",
             "Pfeiltasten: EIN", "Tasti freccia: ATTIVI", "Teclas de flecha: ACTIVADAS")
PAINEL_OFF = ("Teclas de edição: DESATIVADAS", "Arrow keys: OFF",
              "Touches fléchées : DÉSACTIVÉES", "Pfeiltasten: AUS", "Tasti freccia: DISATTIVATI",
              "Teclas de flecha: DESACTIVADAS")


def k(chave, *textos):
    if len(textos) == 1:
        textos = textos[0]
    assert len(textos) == len(LINGUAS), chave
    return (chave, tuple(textos))


# Sections in the order of the windows; keys as each window reads them.
TEXTOS = [
    ("UnitMain", [
        k("FormMainCaption",
          "Trevalin 2005 - Programa para Registro Comportamental",
          "Trevalin 2005 - Behavioural Recording Program",
          "Trevalin 2005 - Programme d'enregistrement comportemental",
          "Trevalin 2005 - Programm zur Verhaltensaufzeichnung",
          "Trevalin 2005 - Programma per la registrazione comportamentale",
          "Trevalin 2005 - Programa para el registro conductual"),
        # Menu bar: Opes1, Ajuda1, Sobre1, Sair1.
        k("Opes1", "&Opções", "&Options", "&Options", "&Optionen", "&Opzioni", "&Opciones"),
        k("Ajuda1", "Ajuda", "Help", "Aide", "Hilfe", "Aiuto", "Ayuda"),
        k("Sobre1", "Sobre...", "About...", "À propos...", "Über...", "Informazioni...",
          "Acerca de..."),
        k("Sair1", "&Sair", "E&xit", "&Quitter", "&Beenden", "&Esci", "&Salir"),
        # "Opções": Experimento1, Labirinto1, Analise1, Video1, ConfigurarTeclado1, Idioma1.
        k("Experimento1", "&Experimento", "&Experiment", "&Expérience", "&Experiment",
          "&Esperimento", "&Experimento"),
        k("Labirinto1", "&Labirintos", "&Mazes", "&Labyrinthes", "&Labyrinthe", "&Labirinti",
          "&Laberintos"),
        k("Analise1", "&Dados", "&Data", "&Données", "&Daten", "&Dati", "&Datos"),
        k("Visualizar1", "&Visualizar Arquivos", "&View Files", "&Afficher les fichiers",
          "Dateien &anzeigen", "&Visualizza file", "&Ver archivos"),
        k("Excluir2", "&Gerenciador de Arquivos", "&File Manager", "&Gestionnaire de fichiers",
          "Datei&verwaltung", "&Gestione file", "&Administrador de archivos"),
        k("Video1", "Vídeo", "Video", "Vidéo", "Video", "Video", "Vídeo"),
        k("ConfigurarTeclado1", "Configurar Teclado", "Keyboard Settings",
          "Configurer le clavier", "Tastatur einrichten", "Configura tastiera",
          "Configurar teclado"),
        k("Idioma1", "Mudar Idioma", "Change Language", "Changer de langue", "Sprache ändern",
          "Cambia lingua", "Cambiar idioma"),
        k("StatusBar1.Panels3", "Trevalin 2005 versão 1.1.0", "Trevalin 2005 version 1.1.0",
          "Trevalin 2005 version 1.1.0", "Trevalin 2005 Version 1.1.0",
          "Trevalin 2005 versione 1.1.0", "Trevalin 2005 versión 1.1.0"),
        # "Experimento": Inserir1, Excluir1.
        k("Inserir1", "&Novo", "&New", "&Nouvelle", "&Neu", "&Nuovo", "&Nuevo"),
        k("Excluir1", "&Excluir", "&Delete", "&Supprimer", "&Löschen", "&Elimina", "&Eliminar"),
        k("CriarNovoLabirinto1", "Criar Novo Labirinto", "Create New Maze",
          "Créer un nouveau labyrinthe", "Neues Labyrinth erstellen", "Crea nuovo labirinto",
          "Crear nuevo laberinto"),
        # Deleting an experiment: message 1 + " " + name (question);
        # message 2 + " " + name + " " + message 3; then message 4.
        k("TFormMainExcluir1ClickMessage1",
          "Confirme a exclusão do experimento:",
          "Confirm the deletion of the experiment:",
          "Confirmer la suppression de l'expérience :",
          "Löschen des folgenden Experiments bestätigen:",
          "Confermare l'eliminazione dell'esperimento:",
          "Confirme la eliminación del experimento:"),
        k("TFormMainExcluir1ClickMessage2",
          "O experimento", "The experiment", "L'expérience", "Das Experiment",
          "L'esperimento", "El experimento"),
        k("TFormMainExcluir1ClickMessage3",
          "foi excluído.", "has been deleted.", "a été supprimée.", "wurde gelöscht.",
          "è stato eliminato.", "ha sido eliminado."),
        k("TFormMainExcluir1ClickMessage4",
          "A pasta do experimento e os seus arquivos de registro foram mantidos. Use o "
          "Gerenciador de Arquivos para excluí-los.",
          "The experiment's folder and its record files have been kept. Use the File Manager "
          "to delete them.",
          "Le dossier de l'expérience et ses fichiers d'enregistrement ont été conservés. "
          "Utilisez le Gestionnaire de fichiers pour les supprimer.",
          "Der Ordner des Experiments und seine Aufzeichnungsdateien bleiben erhalten. "
          "Verwenden Sie die Dateiverwaltung, um sie zu löschen.",
          "La cartella dell'esperimento e i suoi file di registrazione sono stati conservati. "
          "Usare Gestione file per eliminarli.",
          "La carpeta del experimento y sus archivos de registro se han conservado. Utilice "
          "el Administrador de archivos para eliminarlos."),
        # Refusal while the experiment's session window is open: message 5 + " " + name.
        k("TFormMainExcluir1ClickMessage5",
          "Este experimento está aberto na janela de registro e não pode ser excluído agora. "
          "Feche essa janela antes:",
          "This experiment is open in the recording window and cannot be deleted now. Close "
          "that window first:",
          "Cette expérience est ouverte dans la fenêtre d'enregistrement et ne peut pas être "
          "supprimée maintenant. Fermez d'abord cette fenêtre :",
          "Dieses Experiment ist im Aufzeichnungsfenster geöffnet und kann jetzt nicht "
          "gelöscht werden. Schließen Sie zuerst dieses Fenster:",
          "Questo esperimento è aperto nella finestra di registrazione e non può essere "
          "eliminato ora. Chiudere prima quella finestra:",
          "Este experimento está abierto en la ventana de registro y no se puede eliminar "
          "ahora. Cierre antes esa ventana:"),
        # A recording journal left behind, found at start-up or login: %1
        # identification, %2 experiment, %3 recorded time, %4 session length
        # (mm:ss), %5 date and %6 time of the stop.
        k("TFormMainRecuperacaoMessage1",
          "Uma gravação foi interrompida: %1, experimento %2, parada em %3 de %4 em %5 às "
          "%6. Salvar o que foi gravado?",
          "A recording was interrupted: %1, experiment %2, stopped at %3 of %4 on %5 at %6. "
          "Save what was recorded?",
          "Un enregistrement a été interrompu : %1, expérience %2, arrêté à %3 sur %4 le %5 "
          "à %6. Sauvegarder ce qui a été enregistré ?",
          "Eine Aufzeichnung wurde unterbrochen: %1, Experiment %2, angehalten bei %3 von %4 "
          "am %5 um %6. Das Aufgezeichnete speichern?",
          "Una registrazione è stata interrotta: %1, esperimento %2, fermata a %3 di %4 il "
          "%5 alle %6. Salvare ciò che è stato registrato?",
          "Se interrumpió una grabación: %1, experimento %2, detenida en %3 de %4 el %5 a "
          "las %6. ¿Guardar lo que se grabó?"),
        # Saved: the record file names follow.
        k("TFormMainRecuperacaoMessage2",
          "O que foi gravado está salvo em:",
          "What was recorded is saved in:",
          "Ce qui a été enregistré est sauvegardé dans :",
          "Das Aufgezeichnete ist gespeichert in:",
          "Ciò che è stato registrato è salvato in:",
          "Lo grabado se guardó en:"),
        # Not saved: the reason follows; the journal is kept.
        k("TFormMainRecuperacaoMessage3",
          "A gravação interrompida não pôde ser salva; o seu diário foi mantido:",
          "The interrupted recording could not be saved; its journal was kept:",
          "L'enregistrement interrompu n'a pas pu être sauvegardé ; son journal a été "
          "conservé :",
          "Die unterbrochene Aufzeichnung konnte nicht gespeichert werden; ihr Journal "
          "wurde behalten:",
          "La registrazione interrotta non è stata salvata; il suo diario è stato "
          "conservato:",
          "La grabación interrumpida no se pudo guardar; su diario se conservó:"),
        # A damaged journal: its name and the damage follow; it is kept.
        k("TFormMainRecuperacaoMessage4",
          "Um diário de gravação está danificado e foi mantido como está:",
          "A recording journal is damaged and was kept as it is:",
          "Un journal d'enregistrement est endommagé et a été conservé tel quel :",
          "Ein Aufzeichnungsjournal ist beschädigt und wurde unverändert behalten:",
          "Un diario di registrazione è danneggiato ed è stato conservato così com'è:",
          "Un diario de grabación está dañado y se conservó tal cual:"),
    ]),
    ("UnitInicio", [
        k("FormInicioCaption", "Identificação", "Login", "Identification", "Anmeldung",
          "Identificazione", "Identificación"),
        k("ListBoxUsuariosHint", "Clique no seu nome de usuário", "Click your user name",
          "Cliquez sur votre nom d'utilisateur", "Klicken Sie auf Ihren Benutzernamen",
          "Fare clic sul proprio nome utente", "Haga clic en su nombre de usuario"),
        k("BitBtnLogar", "Entrar", "Log In", "Connexion", "Anmelden", "Accedi", "Entrar"),
        k("SpeedButtonNovoUsuario", "Novo Usuário", "New User", "Nouvel utilisateur",
          "Neuer Benutzer", "Nuovo utente", "Nuevo usuario"),
        k("LabelCitar", "Ao publicar, cite:", "When publishing, please cite:",
          "En cas de publication, veuillez citer :", "Bei Veröffentlichung bitte zitieren:",
          "In caso di pubblicazione, citare:", "Al publicar, cite:"),
    ]),
    ("UnitNovoUsuario", [
        k("FormNovoUsuarioCaption", "Cadastrar Usuário...", "Register User...",
          "Nouvel utilisateur...", "Benutzer anlegen...", "Registra utente...",
          "Registrar usuario..."),
        k("LabeledEditNome", "Nome do Novo Usuário:", "New user name:",
          "Nom du nouvel utilisateur :", "Name des neuen Benutzers:", "Nome del nuovo utente:",
          "Nombre del nuevo usuario:"),
        k("TFormNovoUsuarioBitBtnOKClickMessage1",
          "Digite o nome do novo usuário.",
          "Please enter the new user's name.",
          "Veuillez saisir le nom du nouvel utilisateur.",
          "Bitte geben Sie den Namen des neuen Benutzers ein.",
          "Inserire il nome del nuovo utente.",
          "Escriba el nombre del nuevo usuario."),
        k("TFormNovoUsuarioBitBtnOKClickMessage2",
          "Já existe um usuário com este nome. Escolha outro nome.",
          "A user with this name already exists. Please choose another name.",
          "Un utilisateur portant ce nom existe déjà. Veuillez choisir un autre nom.",
          "Ein Benutzer mit diesem Namen existiert bereits. Bitte wählen Sie einen anderen "
          "Namen.",
          "Esiste già un utente con questo nome. Sceglierne un altro.",
          "Ya existe un usuario con este nombre. Elija otro nombre."),
    ]),
    ("UnitNovoExperimento", [
        k("FormNovoExperimentoCaption", "Novo Experimento", "New Experiment",
          "Nouvelle expérience", "Neues Experiment", "Nuovo esperimento", "Nuevo experimento"),
        k("LabeledEdit", "Nome do Experimento", "Experiment name", "Nom de l'expérience",
          "Name des Experiments", "Nome dell'esperimento", "Nombre del experimento"),
        k("BitBtnOK", "OK", "OK", "OK", "OK", "OK", "Aceptar"),
        k("GroupBoxLabirinto", LABIRINTO),
        k("LabelTipo", TIPO),
        k("LabelDistancia", DISTANCIA),
        k("GroupBoxSecao", SESSAO),
        k("LabelDuracao", DURACAO),
        k("LabelInicios", INICIOS),
        k("BitBtn1", SALVAR_CONFIG),
        k("TFormNovoExperimentoBitBtnOKClickMessage1",
          "O nome está vazio ou já é usado por outro experimento. Digite outro nome.",
          "The name is empty or already used by another experiment. Please enter another "
          "name.",
          "Le nom est vide ou déjà utilisé par une autre expérience. Veuillez saisir un autre "
          "nom.",
          "Der Name ist leer oder wird bereits von einem anderen Experiment verwendet. Bitte "
          "geben Sie einen anderen Namen ein.",
          "Il nome è vuoto o è già usato da un altro esperimento. Inserire un altro nome.",
          "El nombre está vacío o ya lo usa otro experimento. Escriba otro nombre."),
        k("TFormNovoExperimentoBitBtnOKClickMessage2",
          "Este nome não pode ser usado: é reservado pelo programa ou longo demais para o nome "
          "de uma pasta. Digite outro nome.",
          "This name cannot be used: it is reserved by the program or too long for a folder "
          "name. Please enter another name.",
          "Ce nom ne peut pas être utilisé : il est réservé par le programme ou trop long pour "
          "un nom de dossier. Veuillez saisir un autre nom.",
          "Dieser Name kann nicht verwendet werden: Er ist vom Programm reserviert oder zu "
          "lang für einen Ordnernamen. Bitte geben Sie einen anderen Namen ein.",
          "Questo nome non può essere usato: è riservato dal programma o troppo lungo per il "
          "nome di una cartella. Inserire un altro nome.",
          "Este nombre no se puede usar: está reservado por el programa o es demasiado largo "
          "para el nombre de una carpeta. Escriba otro nombre."),
        k("TFormNovoExperimentoBitBtn1ClickMessage1", ESCOLHA_LABIRINTO),
    ]),
    ("UnitConf", [
        k("FormConfCaption", "Configurações do Experimento", "Experiment Settings",
          "Paramètres de l'expérience", "Einstellungen des Experiments",
          "Impostazioni dell'esperimento", "Configuración del experimento"),
        k("Label2", EXPERIMENTO_DOIS_PONTOS),
        k("GroupBoxLabirinto", LABIRINTO),
        k("LabelTipo", TIPO),
        k("LabelDistancia", DISTANCIA),
        k("GroupBoxSecao", SESSAO),
        k("LabelDuracao", DURACAO),
        k("LabelInicios", INICIOS),
        k("BitBtnOK", SALVAR_CONFIG),
        k("TFormConfBitBtnOKClickMessage1", ESCOLHA_LABIRINTO),
    ]),
    ("UnitShowConf", [
        k("FormShowConfCaption", "Configurações", "Settings", "Paramètres", "Einstellungen",
          "Impostazioni", "Configuración"),
        k("GroupBoxLabirinto", LABIRINTO),
        k("LabelTipoTitulo", "Tipo:", "Type:", "Type :", "Typ:", "Tipo:", "Tipo:"),
        k("LabelDistanciaTitulo", "Distância (cm):", "Distance (cm):", "Distance (cm) :",
          "Abstand (cm):", "Distanza (cm):", "Distancia (cm):"),
        k("GroupBoxSessao", SESSAO),
        k("LabelDuracaoTitulo", "Duração (s):", "Duration (s):", "Durée (s) :", "Dauer (s):",
          "Durata (s):", "Duración (s):"),
        k("LabelIniciosTitulo", INICIOS),
        k("GroupBoxComportamento", "Comportamentos", "Behaviours", "Comportements",
          "Verhaltensweisen", "Comportamenti", "Comportamientos"),
        k("LabelPadraoTitulo", "Padrão:", "Catalogue:", "Catalogue :", "Katalog:",
          "Catalogo:", "Catálogo:"),
        k("ValueListEditor.TitleCaptions.Strings0", "Tecla", "Key", "Touche", "Taste",
          "Tasto", "Tecla"),
        k("ValueListEditor.TitleCaptions.Strings1", "Comportamento", "Behaviour",
          "Comportement", "Verhalten", "Comportamento", "Comportamiento"),
        k("StaticTextAtencao", "Experimento Não Configurado", "Experiment Not Configured",
          "Expérience non configurée", "Experiment nicht eingerichtet",
          "Esperimento non configurato", "Experimento no configurado"),
        k("SpeedButtonConfigurar", "Configurar", "Configure", "Configurer", "Einrichten",
          "Configura", "Configurar"),
    ]),
    ("UnitComp", [
        k("FormCompCaption", "Comportamentos", "Behaviours", "Comportements",
          "Verhaltensweisen", "Comportamenti", "Comportamientos"),
        k("RadioGroup", "Padrões", "Catalogues", "Catalogues", "Kataloge", "Cataloghi",
          "Catálogos"),
        k("BitBtnSalvar", "Salvar", "Save", "Enregistrer", "Speichern", "Salva", "Guardar"),
        k("TFormCompBitBtnSalvarClickMessage1",
          "Escolha um dos padrões (1 a 4) antes de salvar.",
          "Please choose one of the catalogues (1 to 4) before saving.",
          "Veuillez choisir l'un des catalogues (1 à 4) avant d'enregistrer.",
          "Bitte wählen Sie vor dem Speichern einen der Kataloge (1 bis 4).",
          "Scegliere uno dei cataloghi (da 1 a 4) prima di salvare.",
          "Elija uno de los catálogos (1 a 4) antes de guardar."),
        k("TFormCompBitBtnSalvarClickMessage2",
          "ENTRADA não pode ser o nome de um comportamento: os registros usam esta palavra "
          "para as entradas nos quadrados.",
          "ENTRADA cannot be a behaviour name: the records use this word for entries into "
          "squares.",
          "ENTRADA ne peut pas être le nom d'un comportement : les enregistrements utilisent "
          "ce mot pour les entrées dans les cases.",
          "ENTRADA kann kein Verhaltensname sein: Die Aufzeichnungen verwenden dieses Wort "
          "für das Betreten der Felder.",
          "ENTRADA non può essere il nome di un comportamento: le registrazioni usano questa "
          "parola per gli ingressi nelle caselle.",
          "ENTRADA no puede ser el nombre de un comportamiento: los registros usan esta "
          "palabra para las entradas en las casillas."),
        # Message 3 + " " + the repeated name.
        k("TFormCompBitBtnSalvarClickMessage3",
          "Duas letras têm o mesmo comportamento; dê a cada uma um nome diferente:",
          "Two letters have the same behaviour; please give each a different name:",
          "Deux lettres ont le même comportement ; donnez à chacune un nom différent :",
          "Zwei Buchstaben haben dasselbe Verhalten; geben Sie jedem einen anderen Namen:",
          "Due lettere hanno lo stesso comportamento; dare a ciascuna un nome diverso:",
          "Dos letras tienen el mismo comportamiento; dé a cada una un nombre distinto:"),
    ]),
    ("UnitListExp", [
        k("FormListExpCaption", "Experimentos", "Experiments", "Expériences", "Experimente",
          "Esperimenti", "Experimentos"),
        k("ListBoxExpHint",
          "Um clique para ver as configurações do experimento e dois para registrar os "
          "comportamentos.",
          "Click once to see the experiment's settings, twice to record behaviours.",
          "Un clic pour voir les paramètres de l'expérience, deux clics pour enregistrer les "
          "comportements.",
          "Einmal klicken zeigt die Einstellungen des Experiments, zweimal klicken startet "
          "die Verhaltensaufzeichnung.",
          "Un clic per vedere le impostazioni dell'esperimento, due clic per registrare i "
          "comportamenti.",
          "Un clic para ver la configuración del experimento y dos para registrar los "
          "comportamientos."),
        k("SpeedButtonAnalise", "Análise", "Analysis", "Analyse", "Auswertung", "Analisi",
          "Análisis"),
    ]),
    ("UnitNovoLabirinto", [
        k("FormNovoLabirintoCaption", "Criar Novo Labirinto", "Create New Maze",
          "Créer un nouveau labyrinthe", "Neues Labyrinth erstellen", "Crea nuovo labirinto",
          "Crear nuevo laberinto"),
        k("Label3", "Criar Labirinto Retangular", "Create a Rectangular Maze",
          "Créer un labyrinthe rectangulaire", "Rechteckiges Labyrinth erstellen",
          "Crea un labirinto rettangolare", "Crear un laberinto rectangular"),
        k("Label1", "Número de Colunas", "Number of columns", "Nombre de colonnes",
          "Anzahl der Spalten", "Numero di colonne", "Número de columnas"),
        k("Label2", "Número de Linhas", "Number of rows", "Nombre de lignes",
          "Anzahl der Zeilen", "Numero di righe", "Número de filas"),
        k("SpeedButton1", "Criar Labirinto", "Create Maze", "Créer le labyrinthe",
          "Labyrinth erstellen", "Crea labirinto", "Crear laberinto"),
        k("TFormNovoLabirintoSpeedButton1ClickMessage1",
          "O labirinto foi criado.", "The maze has been created.",
          "Le labyrinthe a été créé.", "Das Labyrinth wurde erstellt.",
          "Il labirinto è stato creato.", "El laberinto se ha creado."),
        k("TFormNovoLabirintoSpeedButton1ClickMessage2",
          "Já existe um labirinto com estas dimensões.",
          "A maze of this size already exists.",
          "Un labyrinthe de cette taille existe déjà.",
          "Ein Labyrinth dieser Größe existiert bereits.",
          "Esiste già un labirinto di queste dimensioni.",
          "Ya existe un laberinto de este tamaño."),
        k("TFormNovoLabirintoSpeedButton1ClickMessage3",
          "A lista de labirintos está cheia; nenhum labirinto foi criado.",
          "The maze list is full; no maze has been created.",
          "La liste des labyrinthes est pleine ; aucun labyrinthe n'a été créé.",
          "Die Labyrinthliste ist voll; es wurde kein Labyrinth erstellt.",
          "L'elenco dei labirinti è pieno; nessun labirinto è stato creato.",
          "La lista de laberintos está llena; no se ha creado ningún laberinto."),
    ]),
    ("UnitAbout", [
        k("FormAboutCaptionCaption", "Contatos", "Contacts", "Contacts", "Kontakte",
          "Contatti", "Contactos"),
        # The credits name this project only.
        k("Label1", "Projeto Trevalin", "The Trevalin Project", "Le projet Trevalin",
          "Das Projekt Trevalin", "Il progetto Trevalin", "El proyecto Trevalin"),
        k("Label2", "Registro comportamental de roedores em labirintos",
          "Behavioural recording of rodents in mazes",
          "Enregistrement comportemental de rongeurs en labyrinthe",
          "Verhaltensaufzeichnung von Nagetieren im Labyrinth",
          "Registrazione comportamentale di roditori nei labirinti",
          "Registro conductual de roedores en laberintos"),
        k("Label3", "Gravação, análise e exportação de sessões",
          "Recording, analysis and export of sessions",
          "Enregistrement, analyse et exportation des séances",
          "Aufzeichnung, Auswertung und Export von Sitzungen",
          "Registrazione, analisi ed esportazione delle sessioni",
          "Grabación, análisis y exportación de sesiones"),
        k("Label4", "Contato: pelo repositório do projeto",
          "Contact: through the project's repository",
          "Contact : par le dépôt du projet", "Kontakt: über das Projektarchiv",
          "Contatti: tramite il repository del progetto",
          "Contacto: a través del repositorio del proyecto"),
        k("Label17", "Erros e sugestões são bem-vindos",
          "Bug reports and suggestions are welcome",
          "Les signalements d'erreurs et les suggestions sont les bienvenus",
          "Fehlerberichte und Vorschläge sind willkommen",
          "Segnalazioni di errori e suggerimenti sono benvenuti",
          "Los informes de errores y las sugerencias son bienvenidos"),
        k("Label5", "Coordenação: equipe do projeto Trevalin",
          "Coordination: the Trevalin project team",
          "Coordination : l'équipe du projet Trevalin",
          "Koordination: das Team des Projekts Trevalin",
          "Coordinamento: il gruppo del progetto Trevalin",
          "Coordinación: el equipo del proyecto Trevalin"),
        k("Label6", "Programação: equipe do projeto Trevalin",
          "Programming: the Trevalin project team",
          "Programmation : l'équipe du projet Trevalin",
          "Programmierung: das Team des Projekts Trevalin",
          "Programmazione: il gruppo del progetto Trevalin",
          "Programación: el equipo del proyecto Trevalin"),
        k("Label7", "Colaboradores:", "Contributors:", "Collaborateurs :", "Mitwirkende:",
          "Collaboratori:", "Colaboradores:"),
        k("Label8", "Todos os que testaram e traduziram o programa",
          "Everyone who tested and translated the program",
          "Toutes les personnes qui ont testé et traduit le programme",
          "Alle, die das Programm getestet und übersetzt haben",
          "Tutti coloro che hanno provato e tradotto il programma",
          "Todas las personas que probaron y tradujeron el programa"),
        k("Label13", "Fomento:", "Funding:", "Financement :", "Förderung:", "Finanziamento:",
          "Financiación:"),
        k("Label14", "Nenhum financiamento externo", "No external funding",
          "Aucun financement externe", "Keine externe Förderung",
          "Nessun finanziamento esterno", "Ninguna financiación externa"),
        k("LabelVersao", "Versão 1.1.0", "Version 1.1.0", "Version 1.1.0", "Version 1.1.0",
          "Versione 1.1.0", "Versión 1.1.0"),
        k("SpeedButtonFechar", FECHAR),
    ]),
    ("UnitVideo", [
        k("FormVideoCaption", "Visualização de vídeos digitalizados",
          "Digitised Video Viewer", "Visualisation de vidéos numérisées",
          "Anzeige digitalisierter Videos", "Visualizzazione di video digitalizzati",
          "Visualización de vídeos digitalizados"),
        k("SpeedButtonCarregar", "Carregar Arquivo", "Open File", "Ouvrir un fichier",
          "Datei öffnen", "Apri file", "Abrir archivo"),
        # Hints of the player's buttons.
        k("MediaPlayerPlayHint", "Reproduzir", "Play", "Lecture", "Wiedergabe", "Riproduci",
          "Reproducir"),
        k("MediaPlayerPauseHint", "Pausar", "Pause", "Pause", "Pause", "Pausa", "Pausa"),
        k("MediaPlayerStopHint", "Parar", "Stop", "Arrêt", "Stopp", "Ferma", "Detener"),
        k("MediaPlayerStepHint", "Avançar um quadro", "Step forward one frame",
          "Avancer d'une image", "Ein Bild vorwärts", "Avanti di un fotogramma",
          "Avanzar un fotograma"),
        k("MediaPlayerBackHint", "Voltar um quadro", "Step back one frame",
          "Reculer d'une image", "Ein Bild zurück", "Indietro di un fotogramma",
          "Retroceder un fotograma"),
        k("LabelArquivo", "Nenhum vídeo aberto.", "No video open.", "Aucune vidéo ouverte.",
          "Kein Video geöffnet.", "Nessun video aperto.", "Ningún vídeo abierto."),
        # Before the media layer's own text of the failure.
        k("TFormVideoSpeedButtonCarregarClickMessage1",
          "Não foi possível abrir o vídeo:", "The video could not be opened:",
          "Impossible d'ouvrir la vidéo :", "Das Video konnte nicht geöffnet werden:",
          "Impossibile aprire il video:", "No se pudo abrir el vídeo:"),
    ]),
    ("UnitUsuario", [
        k("TLabirintoCarregarDoArquivo",
          "O arquivo de labirintos (Labirintos.ini) não foi encontrado na pasta de dados. O "
          "labirinto não pôde ser carregado.",
          "The maze library (Labirintos.ini) was not found in the data folder. The maze "
          "could not be loaded.",
          "La bibliothèque de labyrinthes (Labirintos.ini) est introuvable dans le dossier "
          "de données. Le labyrinthe n'a pas pu être chargé.",
          "Die Labyrinthbibliothek (Labirintos.ini) wurde im Datenordner nicht gefunden. Das "
          "Labyrinth konnte nicht geladen werden.",
          "La libreria dei labirinti (Labirintos.ini) non è stata trovata nella cartella dei "
          "dati. Impossibile caricare il labirinto.",
          "No se encontró la biblioteca de laberintos (Labirintos.ini) en la carpeta de "
          "datos. No se pudo cargar el laberinto."),
    ]),
    ("UnitLabirinto", [
        k("FormLabirintoCaption", "Registro Comportamental", "Behavioural Recording",
          "Enregistrement comportemental", "Verhaltensaufzeichnung",
          "Registrazione comportamentale", "Registro conductual"),
        k("LabelExperimento", EXPERIMENTO_DOIS_PONTOS),
        k("GroupBoxInicio", "Configuração do Quadrado Inicial", "Start Square Setup",
          "Configuration de la case de départ", "Startfeld festlegen",
          "Configurazione della casella iniziale", "Configuración de la casilla inicial"),
        k("LabelQdeInicios", "Quantidade de inícios:", "Number of starts:",
          "Nombre de départs :", "Anzahl der Startpunkte:", "Numero di partenze:",
          "Número de inicios:"),
        k("StaticTextInformativo",
          "Clique no quadrado desejado para determinar o início",
          "Click the desired square to set the start",
          "Cliquez sur la case souhaitée pour définir le départ",
          "Klicken Sie auf das gewünschte Feld, um den Start festzulegen",
          "Fare clic sulla casella desiderata per stabilire la partenza",
          "Haga clic en la casilla deseada para fijar el inicio"),
        k("GroupBoxQdeInicios", "Identificar os Inícios", "Identify the Starts",
          "Identifier les départs", "Startpunkte bestimmen", "Identificare le partenze",
          "Identificar los inicios"),
        k("SpeedButton2", "1ª - Tempo LIVRE", "1st - FREE time", "1er - Temps LIBRE",
          "1. - FREIE Zeit", "1ª - Tempo LIBERO", "1.º - Tiempo LIBRE"),
        k("SpeedButton1", "2ª - Tempo FIXO", "2nd - FIXED time", "2e - Temps FIXE",
          "2. - FESTE Zeit", "2ª - Tempo FISSO", "2.º - Tiempo FIJO"),
        k("BitBtnOK", "Confirmar Seleção", "Confirm Selection", "Confirmer la sélection",
          "Auswahl bestätigen", "Conferma selezione", "Confirmar selección"),
        k("SpeedButtonComportamentos", "COMPORTAMENTOS", "BEHAVIOURS", "COMPORTEMENTS",
          "VERHALTEN", "COMPORTAMENTI", "COMPORTAMIENTOS"),
        k("LabeledEditNomeEditLabel", "Identificação", "Identification", "Identification",
          "Kennung", "Identificazione", "Identificación"),
        k("SpeedButtonConfirmar", "Confirmar", "Confirm", "Confirmer", "Bestätigen",
          "Conferma", "Confirmar"),
        k("StaticText1", "PARA INICIAR O REGISTRO TECLE", "TO START RECORDING PRESS",
          "POUR COMMENCER L'ENREGISTREMENT, APPUYEZ SUR",
          "ZUM STARTEN DER AUFZEICHNUNG DRÜCKEN SIE", "PER INIZIARE LA REGISTRAZIONE PREMERE",
          "PARA INICIAR EL REGISTRO PULSE"),
        k("Label1", "Identificação do Último Registro:", "Last recorded identification:",
          "Identification du dernier enregistrement :", "Kennung der letzten Aufzeichnung:",
          "Identificazione dell'ultima registrazione:", "Identificación del último registro:"),
        k("Labelindividuo", "Indivíduo:", "Animal:", "Individu :", "Tier:", "Individuo:",
          "Individuo:"),
        k("StaticText9", "PARA REINICIAR O REGISTRO TECLE", "TO RESUME RECORDING PRESS",
          "POUR REPRENDRE L'ENREGISTREMENT, APPUYEZ SUR",
          "ZUM FORTSETZEN DER AUFZEICHNUNG DRÜCKEN SIE",
          "PER RIPRENDERE LA REGISTRAZIONE PREMERE", "PARA REANUDAR EL REGISTRO PULSE"),
        k("LabelComp", "Comportamentos Ativos:", "Active behaviours:",
          "Comportements actifs :", "Aktive Verhaltensweisen:", "Comportamenti attivi:",
          "Comportamientos activos:"),
        k("LabelTempoDecorrido", "Andamento da Sessão:", "Session progress:",
          "Progression de la séance :", "Sitzungsfortschritt:",
          "Avanzamento della sessione:", "Progreso de la sesión:"),
        k("GroupBoxComeco", "Quando cair, onde começar?", "After a fall, restart where?",
          "Après une chute, reprendre où ?", "Nach einem Sturz: wo weitermachen?",
          "Dopo una caduta, dove ripartire?", "Tras una caída, ¿dónde reanudar?"),
        k("RadioButton1", "do início do tempo livre", "at the free-time start",
          "au départ du temps libre", "am Start der freien Zeit",
          "dalla partenza del tempo libero", "desde el inicio del tiempo libre"),
        k("RadioButton2", "do início da sessão", "at the session start",
          "au départ de la séance", "am Start der Sitzung", "dalla partenza della sessione",
          "desde el inicio de la sesión"),
        k("RadioButton3", "de onde parou", "where it stopped", "là où il s'est arrêté",
          "dort, wo es aufgehört hat", "da dove si era fermato", "desde donde se detuvo"),
        k("TFormLabirintoBitBtnOKClickMessage1",
          "Os quadrados iniciais foram salvos. Abra o experimento novamente para começar os "
          "registros.",
          "The start squares have been saved. Open the experiment again to start recording.",
          "Les cases de départ ont été enregistrées. Rouvrez l'expérience pour commencer les "
          "enregistrements.",
          "Die Startfelder wurden gespeichert. Öffnen Sie das Experiment erneut, um mit der "
          "Aufzeichnung zu beginnen.",
          "Le caselle iniziali sono state salvate. Riaprire l'esperimento per iniziare la "
          "registrazione.",
          "Las casillas iniciales se han guardado. Abra de nuevo el experimento para empezar "
          "a registrar."),
        k("TFormLabirintoSpeedButtonConfirmarClickMessage1",
          "Já existe um registro com esta identificação neste experimento. Digite outra "
          "identificação.",
          "A record with this identification already exists in this experiment. Please "
          "enter another identification.",
          "Un enregistrement portant cette identification existe déjà dans cette expérience. "
          "Veuillez saisir une autre identification.",
          "In diesem Experiment gibt es bereits eine Aufzeichnung mit dieser Kennung. Bitte "
          "geben Sie eine andere Kennung ein.",
          "In questo esperimento esiste già una registrazione con questa identificazione. "
          "Inserire un'altra identificazione.",
          "Ya existe un registro con esta identificación en este experimento. Escriba otra "
          "identificación."),
        k("TFormLabirintoSpeedButtonConfirmarClickMessage2",
          "Digite a identificação do animal.",
          "Please enter the animal's identification.",
          "Veuillez saisir l'identification de l'animal.",
          "Bitte geben Sie die Kennung des Tieres ein.",
          "Inserire l'identificazione dell'animale.",
          "Escriba la identificación del animal."),
        # Another session (another program instance) records this
        # identification now.
        k("TFormLabirintoSpeedButtonConfirmarClickMessage3",
          "Este animal está sendo gravado em outra sessão neste momento.",
          "This animal is being recorded in another session right now.",
          "Cet animal est en cours d'enregistrement dans une autre séance.",
          "Dieses Tier wird gerade in einer anderen Sitzung aufgezeichnet.",
          "Questo animale è in registrazione in un'altra sessione in questo momento.",
          "Este animal se está grabando en otra sesión en este momento."),
        k("TFormLabirintoTimerTimerMessage1",
          "Fim da sessão. O arquivo de registro foi salvo.",
          "End of session. The record file has been saved.",
          "Fin de la séance. Le fichier d'enregistrement a été sauvegardé.",
          "Sitzung beendet. Die Aufzeichnungsdatei wurde gespeichert.",
          "Fine della sessione. Il file di registrazione è stato salvato.",
          "Fin de la sesión. El archivo de registro se ha guardado."),
        k("TFormLabirintoTimerTimerMessage2",
          "Fim da sessão, mas o arquivo de registro NÃO pôde ser salvo. Verifique a pasta do "
          "experimento e o espaço livre em disco.",
          "End of session, but the record file could NOT be saved. Check the experiment "
          "folder and the free disk space.",
          "Fin de la séance, mais le fichier d'enregistrement n'a PAS pu être sauvegardé. "
          "Vérifiez le dossier de l'expérience et l'espace disque disponible.",
          "Sitzung beendet, aber die Aufzeichnungsdatei konnte NICHT gespeichert werden. "
          "Prüfen Sie den Ordner des Experiments und den freien Speicherplatz.",
          "Fine della sessione, ma il file di registrazione NON è stato salvato. Controllare "
          "la cartella dell'esperimento e lo spazio libero su disco.",
          "Fin de la sesión, pero el archivo de registro NO se pudo guardar. Compruebe la "
          "carpeta del experimento y el espacio libre en disco."),
        # Added to message 2 when the rows went to recovery files (their paths
        # follow), or when even that failed.
        k("TFormLabirintoTimerTimerMessage3",
          "Nenhum dado foi perdido: as linhas desta sessão foram guardadas em:",
          "No data was lost: this session's rows were kept in:",
          "Aucune donnée n'a été perdue : les lignes de cette séance ont été conservées dans :",
          "Es gingen keine Daten verloren: Die Zeilen dieser Sitzung wurden gespeichert in:",
          "Nessun dato è andato perso: le righe di questa sessione sono state conservate in:",
          "No se perdió ningún dato: las filas de esta sesión se guardaron en:"),
        k("TFormLabirintoTimerTimerMessage4",
          "ATENÇÃO: os dados desta sessão não puderam ser guardados em nenhum lugar.",
          "WARNING: this session's data could not be kept anywhere.",
          "ATTENTION : les données de cette séance n'ont pu être conservées nulle part.",
          "ACHTUNG: Die Daten dieser Sitzung konnten nirgends gespeichert werden.",
          "ATTENZIONE: non è stato possibile conservare i dati di questa sessione.",
          "ATENCIÓN: no se pudieron guardar los datos de esta sesión en ningún lugar."),
        k("TFormLabirintoFormCreateMessage1",
          "Este experimento não pode ser registrado: o seu labirinto não existe na biblioteca "
          "de labirintos ou a duração da sessão é inválida. Verifique as configurações do "
          "experimento.",
          "This experiment cannot be recorded: its maze is not in the maze library or its "
          "session length is invalid. Please check the experiment's settings.",
          "Cette expérience ne peut pas être enregistrée : son labyrinthe ne figure pas dans "
          "la bibliothèque ou la durée de la séance n'est pas valide. Vérifiez les paramètres "
          "de l'expérience.",
          "Dieses Experiment kann nicht aufgezeichnet werden: Sein Labyrinth fehlt in der "
          "Labyrinthbibliothek oder die Sitzungsdauer ist ungültig. Bitte prüfen Sie die "
          "Einstellungen des Experiments.",
          "Questo esperimento non può essere registrato: il suo labirinto non è nella "
          "libreria o la durata della sessione non è valida. Controllare le impostazioni "
          "dell'esperimento.",
          "Este experimento no se puede registrar: su laberinto no está en la biblioteca o la "
          "duración de la sesión no es válida. Compruebe la configuración del experimento."),
        # Closing the window while an animal is being recorded.
        k("TFormLabirintoFormCloseMessage1",
          "Um registro está em andamento. Se a janela for fechada, ele será descartado e nada "
          "será salvo. Fechar mesmo assim?",
          "A recording is in progress. If the window is closed, it is dropped and nothing is "
          "saved. Close anyway?",
          "Un enregistrement est en cours. Si la fenêtre est fermée, il sera abandonné et rien "
          "ne sera sauvegardé. Fermer quand même ?",
          "Eine Aufzeichnung läuft. Wird das Fenster geschlossen, wird sie verworfen und nichts "
          "gespeichert. Trotzdem schließen?",
          "È in corso una registrazione. Se la finestra viene chiusa, sarà scartata e non verrà "
          "salvato nulla. Chiudere comunque?",
          "Hay un registro en curso. Si se cierra la ventana, se descartará y no se guardará "
          "nada. ¿Cerrar de todos modos?"),
        # Texts this window puts into the main window's status bar.
        k("FormMainStatusBar1PanelsItems0Text", "Registrando...", "Recording...",
          "Enregistrement en cours...", "Aufzeichnung läuft...", "Registrazione in corso...",
          "Registrando..."),
        k("FormMainStatusBar1PanelsItems1TextON", PAINEL_ON),
        k("FormMainStatusBar1PanelsItems1TextOFF", PAINEL_OFF),
    ]),
    ("UnitTeclado", [
        k("FormTecladoCaption", "Configurar Teclado", "Keyboard Settings",
          "Configuration du clavier", "Tastatureinstellungen", "Configurazione della tastiera",
          "Configuración del teclado"),
        k("LabelInf1",
          "Este recurso permite ativar as teclas de edição para o registro da movimentação do "
          "animal",
          "This option switches on the arrow keys for recording the animal's movements",
          "Cette option active les touches fléchées pour enregistrer les déplacements de "
          "l'animal",
          "Mit dieser Funktion lassen sich die Pfeiltasten zum Aufzeichnen der Bewegungen des "
          "Tieres einschalten",
          "Questa funzione attiva i tasti freccia per registrare gli spostamenti dell'animale",
          "Esta función activa las teclas de flecha para registrar los desplazamientos del "
          "animal"),
        k("LabelInf2", "Recomendado para os usuários de computadores portáteis",
          "Recommended for laptop users",
          "Recommandé pour les utilisateurs d'ordinateurs portables",
          "Empfohlen für Benutzer von Notebooks",
          "Consigliato per chi usa un computer portatile",
          "Recomendado para usuarios de ordenadores portátiles"),
        k("Label2", "Estado atual:", "Current status:", "État actuel :", "Aktueller Status:",
          "Stato attuale:", "Estado actual:"),
        k("SpeedButton1", FECHAR),
        # Window opens with the arrow keys off: button, state label.
        k("TFormTecladoFormCreateMessage1", ATIVAR),
        k("TFormTecladoFormCreateMessage2", ESTADO_OFF),
        # Window opens with the arrow keys on: button, state label.
        k("TFormTecladoFormCreateMessage3", DESATIVAR),
        k("TFormTecladoFormCreateMessage4", ESTADO_ON),
        # Just switched off: button, state label, status panel.
        k("TFormTecladoSpeedButtonConfigurarClickMessage1", ATIVAR),
        k("TFormTecladoSpeedButtonConfigurarClickMessage2", ESTADO_OFF),
        k("TFormTecladoSpeedButtonConfigurarClickMessage3", PAINEL_OFF),
        # Just switched on: button, state label, status panel.
        k("TFormTecladoSpeedButtonConfigurarClickMessage4", DESATIVAR),
        k("TFormTecladoSpeedButtonConfigurarClickMessage5", ESTADO_ON),
        k("TFormTecladoSpeedButtonConfigurarClickMessage6", PAINEL_ON),
    ]),
    ("UnitSelecionarGrupo", [
        k("FormAnaliseCaption", "Definição dos grupos para análise",
          "Defining the groups for analysis", "Définition des groupes pour l'analyse",
          "Gruppen für die Auswertung festlegen", "Definizione dei gruppi per l'analisi",
          "Definición de los grupos para el análisis"),
        k("GroupBox1", "Selecionar Arquivos", "Select Files", "Sélection des fichiers",
          "Dateien auswählen", "Seleziona file", "Seleccionar archivos"),
        k("GroupBoxMontarGrupo", "Montar Grupos", "Build Groups", "Composer les groupes",
          "Gruppen bilden", "Componi gruppi", "Formar grupos"),
        k("GroupBoxGrupos", "Grupos Selecionados", "Selected Groups", "Groupes sélectionnés",
          "Ausgewählte Gruppen", "Gruppi selezionati", "Grupos seleccionados"),
        k("GroupBoxOpcoes", "Tipos de Análise", "Analysis Types", "Types d'analyse",
          "Auswertungsarten", "Tipi di analisi", "Tipos de análisis"),
        k("LabelNomeGrupo", "Nome do Grupo", "Group name", "Nom du groupe", "Gruppenname",
          "Nome del gruppo", "Nombre del grupo"),
        k("SpeedButtonInserirGrupo", INSERIR_GRUPO),
        k("SpeedButtonCleanGrupos", "Limpar Tudo", "Clear All", "Tout effacer",
          "Alles löschen", "Cancella tutto", "Borrar todo"),
        k("Label7", "Toda a Sessão", "Whole Session", "Séance entière", "Gesamte Sitzung",
          "Intera sessione", "Toda la sesión"),
        k("Label5", "Minuto a Minuto", "Minute by Minute", "Minute par minute",
          "Minute für Minute", "Minuto per minuto", "Minuto a minuto"),
        k("RadioButtonCompacta", COMPACTA),
        k("RadioButtonCompactaPorBraco", COMPACTA_BRACO),
        k("RadioButtonQuadrado", POR_QUADRADO),
        k("RadioButtonCompactaMinuto", COMPACTA),
        k("RadioButtonCompactaPorBracoMinuto", COMPACTA_BRACO),
        k("RadioButtonQuadradoMinuto", POR_QUADRADO),
        k("SpeedButtonANALISAR", "ANALISAR", "ANALYSE", "ANALYSER", "AUSWERTEN", "ANALIZZA",
          "ANALIZAR"),
        k("TFormAnaliseSpeedButtonInserirGrupoClickMessage1",
          "Já existe um grupo com este nome.", "A group with this name already exists.",
          "Un groupe portant ce nom existe déjà.",
          "Eine Gruppe mit diesem Namen existiert bereits.",
          "Esiste già un gruppo con questo nome.", "Ya existe un grupo con este nombre."),
        k("TFormAnaliseSpeedButtonInserirGrupoClickMessage2",
          "Para inserir um grupo, digite o nome do grupo e selecione pelo menos um arquivo.",
          "To insert a group, enter its name and select at least one file.",
          "Pour insérer un groupe, saisissez son nom et sélectionnez au moins un fichier.",
          "Um eine Gruppe einzufügen, geben Sie ihren Namen ein und wählen Sie mindestens "
          "eine Datei aus.",
          "Per inserire un gruppo, indicarne il nome e selezionare almeno un file.",
          "Para insertar un grupo, escriba su nombre y seleccione al menos un archivo."),
        k("TFormAnaliseSpeedButtonOkClickMessage1",
          "Nenhum grupo foi definido.", "No group has been defined.",
          "Aucun groupe n'a été défini.", "Es wurde keine Gruppe festgelegt.",
          "Non è stato definito alcun gruppo.", "No se ha definido ningún grupo."),
        k("TFormAnaliseSpeedButtonANALISARClickMessage1",
          "Já existe um arquivo com este nome. Deseja substituí-lo?",
          "A file with this name already exists. Do you want to replace it?",
          "Un fichier portant ce nom existe déjà. Voulez-vous le remplacer ?",
          "Eine Datei mit diesem Namen existiert bereits. Möchten Sie sie ersetzen?",
          "Esiste già un file con questo nome. Sostituirlo?",
          "Ya existe un archivo con este nombre. ¿Desea reemplazarlo?"),
        k("TFormAnaliseSpeedButtonANALISARClickMessage2",
          "Esta análise não está disponível para este labirinto.",
          "This analysis is not available for this maze.",
          "Cette analyse n'est pas disponible pour ce labyrinthe.",
          "Diese Auswertung ist für dieses Labyrinth nicht verfügbar.",
          "Questa analisi non è disponibile per questo labirinto.",
          "Este análisis no está disponible para este laberinto."),
        # Caption of the insertion button while a chosen group's files are replaced.
        k("TFormAnaliseListBoxGruposClickMessage1",
          "> > Alterar Grupo > >", "> > Update Group > >", "> > Modifier le groupe > >",
          "> > Gruppe ändern > >", "> > Modifica gruppo > >", "> > Modificar grupo > >"),
        # Caption of the insertion button back in insert mode.
        k("TFormAnaliseEditNomeGrupoKeyDownMessage1", INSERIR_GRUPO),
        k("TFormAnaliseSpeedButtonCleanGruposClickMessage1", INSERIR_GRUPO),
        # The limits of the group table.
        k("TFormAnaliseSpeedButtonAddSelecaoClickMessage1",
          "Um grupo pode ter no máximo 51 arquivos.", "A group holds at most 51 files.",
          "Un groupe contient au plus 51 fichiers.",
          "Eine Gruppe enthält höchstens 51 Dateien.",
          "Un gruppo può contenere al massimo 51 file.",
          "Un grupo puede tener como máximo 51 archivos."),
        k("TFormAnaliseSpeedButtonInserirGrupoClickMessage3",
          "Uma análise pode ter no máximo 51 grupos.", "An analysis takes at most 51 groups.",
          "Une analyse comprend au plus 51 groupes.",
          "Eine Auswertung umfasst höchstens 51 Gruppen.",
          "Un'analisi può comprendere al massimo 51 gruppi.",
          "Un análisis puede tener como máximo 51 grupos."),
        # A file of the chosen name appeared while the analysis ran.
        k("TFormAnaliseSpeedButtonANALISARClickMessage3",
          "Um arquivo com este nome foi criado durante a análise. Ele foi mantido e nada foi "
          "gravado.",
          "A file of this name was created while the analysis ran. It was kept and nothing "
          "was written.",
          "Un fichier portant ce nom a été créé pendant l'analyse. Il a été conservé et rien "
          "n'a été écrit.",
          "Während der Auswertung wurde eine Datei mit diesem Namen angelegt. Sie wurde "
          "beibehalten, nichts wurde geschrieben.",
          "Durante l'analisi è stato creato un file con questo nome. È stato mantenuto e non "
          "è stato scritto nulla.",
          "Durante el análisis se creó un archivo con este nombre. Se ha conservado y no se "
          "ha escrito nada."),
        k("GeradoComSucessoMessage",
          "A planilha foi gerada com sucesso.", "The spreadsheet has been generated.",
          "La feuille de calcul a été générée.", "Die Tabelle wurde erstellt.",
          "Il foglio di calcolo è stato generato.", "La hoja de cálculo se ha generado."),
    ]),
    ("UnitVisualizar", [
        k("FormVisualizarCaption", "Visualizar Dados", "View Data", "Afficher les données",
          "Daten anzeigen", "Visualizza dati", "Ver datos"),
        k("GroupBoxSelecionar", "Selecionar Arquivo", "Select File", "Sélectionner un fichier",
          "Datei auswählen", "Seleziona file", "Seleccionar archivo"),
        k("GroupBoxVisualizar", "Visualizar", "View", "Affichage", "Anzeige", "Visualizza",
          "Ver"),
        k("LabelNomeArquivo", "Arquivo:", "File:", "Fichier :", "Datei:", "File:", "Archivo:"),
        k("SpeedButtonExportar", "Exportar (.xls)", "Export (.xls)", "Exporter (.xls)",
          "Exportieren (.xls)", "Esporta (.xls)", "Exportar (.xls)"),
        k("ListViewColumns0", "Posição", "Position", "Position", "Position", "Posizione",
          "Posición"),
        k("ListViewColumns1", "Comportamento", "Behaviour", "Comportement", "Verhalten",
          "Comportamento", "Comportamiento"),
        k("ListViewColumns2", "Início (ms)", "Start (ms)", "Début (ms)", "Beginn (ms)",
          "Inizio (ms)", "Inicio (ms)"),
        k("ListViewColumns3", "Fim (ms)", "End (ms)", "Fin (ms)", "Ende (ms)", "Fine (ms)",
          "Fin (ms)"),
        k("ListViewColumns4", "Duração (ms)", "Duration (ms)", "Durée (ms)", "Dauer (ms)",
          "Durata (ms)", "Duración (ms)"),
        k("ListViewColumns5", "Minuto", "Minute", "Minute", "Minute", "Minuto", "Minuto"),
        k("ListViewColumns6", "Frequência", "Frequency", "Fréquence", "Häufigkeit",
          "Frequenza", "Frecuencia"),
    ]),
    ("UnitExcluirDados", [
        k("FormExcluirDadosCaption", "Gerenciador de Arquivos", "File Manager",
          "Gestionnaire de fichiers", "Dateiverwaltung", "Gestione file",
          "Administrador de archivos"),
        k("GroupBoxCopiar", "Copiar Pastas / Arquivos", "Copy Folders / Files",
          "Copier des dossiers / fichiers", "Ordner / Dateien kopieren",
          "Copia cartelle / file", "Copiar carpetas / archivos"),
        k("Label1", "Dê um duplo clique nos arquivos que deseja copiar",
          "Double-click the files you want to copy",
          "Double-cliquez sur les fichiers à copier",
          "Doppelklicken Sie auf die Dateien, die kopiert werden sollen",
          "Fare doppio clic sui file da copiare",
          "Haga doble clic en los archivos que desea copiar"),
        k("Label5", "Para:", "To:", "Vers :", "Nach:", "Destinazione:", "Destino:"),
        k("SpeedButtonCopiar", "Copiar Seleção", "Copy Selection", "Copier la sélection",
          "Auswahl kopieren", "Copia selezione", "Copiar selección"),
        k("SpeedButtonLimparBoxCopiar", LIMPAR),
        k("GroupBoxExcluir", "Excluir Pastas / Arquivos", "Delete Folders / Files",
          "Supprimer des dossiers / fichiers", "Ordner / Dateien löschen",
          "Elimina cartelle / file", "Eliminar carpetas / archivos"),
        k("Label3", "Dê um duplo clique nos itens que deseja excluir",
          "Double-click the items you want to delete",
          "Double-cliquez sur les éléments à supprimer",
          "Doppelklicken Sie auf die Einträge, die gelöscht werden sollen",
          "Fare doppio clic sugli elementi da eliminare",
          "Haga doble clic en los elementos que desea eliminar"),
        k("SpeedButtonExcluir", "Excluir Seleção", "Delete Selection",
          "Supprimer la sélection", "Auswahl löschen", "Elimina selezione",
          "Eliminar selección"),
        k("SpeedButtonLimparBoxExcluir", LIMPAR),
        k("GroupBoxOpcao", "Opções", "Options", "Options", "Optionen", "Opzioni", "Opciones"),
        k("SpeedButtonCopyArq", "Copiar Arquivos", "Copy Files", "Copier des fichiers",
          "Dateien kopieren", "Copia file", "Copiar archivos"),
        k("SpeedButtonDelArq", "Excluir Arquivo", "Delete File", "Supprimer un fichier",
          "Datei löschen", "Elimina file", "Eliminar archivo"),
        k("SpeedButtonDelFolder", "Excluir Pasta", "Delete Folder", "Supprimer un dossier",
          "Ordner löschen", "Elimina cartella", "Eliminar carpeta"),
        k("SpeedButtonRenArq", RENOMEAR_ARQUIVO),
        k("GroupBoxPath", "Selecionar Pasta ou Arquivo", "Select Folder or File",
          "Sélectionner un dossier ou un fichier", "Ordner oder Datei auswählen",
          "Seleziona cartella o file", "Seleccionar carpeta o archivo"),
        k("GroupBoxRenomear", RENOMEAR_ARQUIVO),
        k("Label2", "Arquivo Selecionado:", "Selected file:", "Fichier sélectionné :",
          "Ausgewählte Datei:", "File selezionato:", "Archivo seleccionado:"),
        k("Label4", "Renomear para:", "Rename to:", "Renommer en :", "Umbenennen in:",
          "Rinomina in:", "Renombrar como:"),
        k("SpeedButtonRenomear", "Renomear", "Rename", "Renommer", "Umbenennen", "Rinomina",
          "Renombrar"),
        k("Panel", "Selecione uma opção", "Select an option", "Choisissez une option",
          "Wählen Sie eine Option", "Selezionare un'opzione", "Seleccione una opción"),
        # Instruction texts of the four options.
        k("TFormExcluirDadosSpeedButtonCopyArqClickMessage1",
          "Dê um duplo clique nos arquivos que deseja copiar e escolha a pasta de destino.",
          "Double-click the files to copy, then choose the destination folder.",
          "Double-cliquez sur les fichiers à copier, puis choisissez le dossier de "
          "destination.",
          "Doppelklicken Sie auf die zu kopierenden Dateien und wählen Sie dann den "
          "Zielordner.",
          "Fare doppio clic sui file da copiare, poi scegliere la cartella di destinazione.",
          "Haga doble clic en los archivos que desea copiar y elija la carpeta de destino."),
        k("TFormExcluirDadosSpeedButtonDelArqClickMessage1",
          "Dê um duplo clique nos arquivos que deseja excluir.",
          "Double-click the files to delete.",
          "Double-cliquez sur les fichiers à supprimer.",
          "Doppelklicken Sie auf die zu löschenden Dateien.",
          "Fare doppio clic sui file da eliminare.",
          "Haga doble clic en los archivos que desea eliminar."),
        k("TFormExcluirDadosSpeedButtonDelFolderClickMessage1",
          "Dê um duplo clique nas pastas que deseja excluir. As pastas dos experimentos não "
          "podem ser excluídas aqui.",
          "Double-click the folders to delete. Experiment folders cannot be deleted here.",
          "Double-cliquez sur les dossiers à supprimer. Les dossiers des expériences ne "
          "peuvent pas être supprimés ici.",
          "Doppelklicken Sie auf die zu löschenden Ordner. Ordner von Experimenten können "
          "hier nicht gelöscht werden.",
          "Fare doppio clic sulle cartelle da eliminare. Le cartelle degli esperimenti non "
          "possono essere eliminate qui.",
          "Haga doble clic en las carpetas que desea eliminar. Las carpetas de los "
          "experimentos no se pueden eliminar aquí."),
        k("TFormExcluirDadosSpeedButtonRenArqClickMessage1",
          "Dê um duplo clique no arquivo que deseja renomear e digite o novo nome.",
          "Double-click the file to rename, then enter the new name.",
          "Double-cliquez sur le fichier à renommer, puis saisissez le nouveau nom.",
          "Doppelklicken Sie auf die umzubenennende Datei und geben Sie dann den neuen Namen "
          "ein.",
          "Fare doppio clic sul file da rinominare, poi inserire il nuovo nome.",
          "Haga doble clic en el archivo que desea renombrar y escriba el nuevo nombre."),
        k("TFormExcluirDadosShellTreeViewDadosDblClickMessage1",
          "Esta é a pasta de um experimento e não pode ser excluída aqui. Exclua antes o "
          "experimento (menu Opções, Experimento).",
          "This is an experiment's folder and cannot be deleted here. Delete the experiment "
          "first (Options menu, Experiment).",
          "Ce dossier appartient à une expérience et ne peut pas être supprimé ici. "
          "Supprimez d'abord l'expérience (menu Options, Expérience).",
          "Dies ist der Ordner eines Experiments und kann hier nicht gelöscht werden. Löschen "
          "Sie zuerst das Experiment (Menü Optionen, Experiment).",
          "Questa è la cartella di un esperimento e non può essere eliminata qui. Eliminare "
          "prima l'esperimento (menu Opzioni, Esperimento).",
          "Esta es la carpeta de un experimento y no se puede eliminar aquí. Elimine antes "
          "el experimento (menú Opciones, Experimento)."),
        k("TFormExcluirDadosSpeedButtonExcluirClickMessage1",
          "Os itens da lista serão excluídos definitivamente, sem passar pela lixeira. Deseja "
          "continuar?",
          "The listed items will be deleted permanently, without going to the wastebasket. "
          "Do you want to continue?",
          "Les éléments de la liste seront supprimés définitivement, sans passer par la "
          "corbeille. Voulez-vous continuer ?",
          "Die aufgeführten Einträge werden endgültig gelöscht, ohne Umweg über den "
          "Papierkorb. Möchten Sie fortfahren?",
          "Gli elementi dell'elenco verranno eliminati definitivamente, senza passare dal "
          "cestino. Continuare?",
          "Los elementos de la lista se eliminarán definitivamente, sin pasar por la "
          "papelera. ¿Desea continuar?"),
        # Rename question: message 1 + " " + old name + " " + message 2 + " " + new name + " ?"
        k("TFormExcluirDadosSpeedButtonRenomearClickMessage1",
          "Renomear o arquivo", "Rename the file", "Renommer le fichier", "Datei",
          "Rinominare il file", "¿Renombrar el archivo"),
        k("TFormExcluirDadosSpeedButtonRenomearClickMessage2",
          "para", "to", "en", "umbenennen in", "in", "como"),
        k("TFormExcluirDadosSpeedButtonCopiarClickMessage1",
          "O arquivo já existe no destino. Deseja substituí-lo?",
          "The file already exists at the destination. Do you want to replace it?",
          "Le fichier existe déjà dans la destination. Voulez-vous le remplacer ?",
          "Die Datei existiert am Ziel bereits. Möchten Sie sie ersetzen?",
          "Il file esiste già nella destinazione. Sostituirlo?",
          "El archivo ya existe en el destino. ¿Desea reemplazarlo?"),
        # Refusals and failures, each followed by the names concerned.
        k("TFormExcluirDadosShellTreeViewDadosDblClickMessage2",
          "A sua pasta de usuário não pode ser excluída.", "Your user folder cannot be deleted.",
          "Votre dossier d'utilisateur ne peut pas être supprimé.",
          "Ihr Benutzerordner kann nicht gelöscht werden.",
          "La cartella dell'utente non può essere eliminata.",
          "Su carpeta de usuario no se puede eliminar."),
        k("TFormExcluirDadosSpeedButtonExcluirClickMessage2",
          "Não foi possível excluir:", "Could not delete:", "Impossible de supprimer :",
          "Konnte nicht gelöscht werden:", "Impossibile eliminare:", "No se pudo eliminar:"),
        k("TFormExcluirDadosSpeedButtonRenomearClickMessage3",
          "Já existe um arquivo com esse nome; nada foi renomeado:",
          "A file of that name already exists; nothing was renamed:",
          "Un fichier portant ce nom existe déjà ; rien n'a été renommé :",
          "Eine Datei mit diesem Namen existiert bereits; nichts wurde umbenannt:",
          "Esiste già un file con questo nome; non è stato rinominato nulla:",
          "Ya existe un archivo con ese nombre; no se ha renombrado nada:"),
        k("TFormExcluirDadosSpeedButtonRenomearClickMessage4",
          "Nome de arquivo inválido:", "Not a valid file name:", "Nom de fichier non valide :",
          "Ungültiger Dateiname:", "Nome di file non valido:", "Nombre de archivo no válido:"),
        k("TFormExcluirDadosSpeedButtonRenomearClickMessage5",
          "Não foi possível renomear:", "Could not rename:", "Impossible de renommer :",
          "Konnte nicht umbenannt werden:", "Impossibile rinominare:",
          "No se pudo renombrar:"),
        k("TFormExcluirDadosSpeedButtonCopiarClickMessage3",
          "Não foi possível copiar:", "Could not copy:", "Impossible de copier :",
          "Konnte nicht kopiert werden:", "Impossibile copiare:", "No se pudo copiar:"),
        k("TFormExcluirDadosSpeedButtonCopiarClickMessage4",
          "Escolha a pasta de destino.", "Choose the destination folder.",
          "Choisissez le dossier de destination.", "Wählen Sie den Zielordner.",
          "Scegliere la cartella di destinazione.", "Elija la carpeta de destino."),
        k("SpeedButtonDestino", "Procurar...", "Browse...", "Parcourir...", "Durchsuchen...",
          "Sfoglia...", "Examinar..."),
        k("TFormExcluirDadosSpeedButtonCopiarClickMessage2",
          "Cópia concluída.", "Copying finished.", "Copie terminée.",
          "Kopieren abgeschlossen.", "Copia completata.", "Copia finalizada."),
    ]),
]

# The initial language choice shipped with the program: Portuguese, not yet
# confirmed, so the login window asks for the language at the first start
# while every window already shows texts instead of "ERRO".
ESCOLHA_INICIAL = "[idioma]\r\nlingua=0\r\nconfigurado=0\r\n"


def conteudo(indice):
    arquivo, nome = LINGUAS[indice]
    linhas = ["; Trevalin window texts: %s. Written by scripts/gerar_idiomas.py; "
              "edit the table there." % nome]
    for secao, chaves in TEXTOS:
        linhas.append("")
        linhas.append("[%s]" % secao)
        for chave, textos in chaves:
            texto = textos[indice]
            if not texto.strip() or texto != texto.strip():
                raise SystemExit("%s/%s (%s): empty or padded text" % (secao, chave, arquivo))
            if "\r" in texto or "\n" in texto:
                raise SystemExit("%s/%s (%s): line break in text" % (secao, chave, arquivo))
            linhas.append("%s=%s" % (chave, texto))
    texto = "\r\n".join(linhas) + "\r\n"
    try:
        return texto.encode("cp1252")
    except UnicodeEncodeError as e:
        raise SystemExit("%s: character not in Windows-1252: %r" % (arquivo, e.object[e.start:e.end]))


def verificar_tabela():
    for secao, chaves in TEXTOS:
        nomes = [c.lower() for c, _ in chaves]
        repetidas = sorted({n for n in nomes if nomes.count(n) > 1})
        if repetidas:
            raise SystemExit("%s: repeated keys %s" % (secao, repetidas))
    secoes = [s.lower() for s, _ in TEXTOS]
    if len(set(secoes)) != len(secoes):
        raise SystemExit("repeated sections")


def main():
    verificar_tabela()
    raiz = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "idiomas")
    arquivos = {"%s.ini" % LINGUAS[i][0]: conteudo(i) for i in range(len(LINGUAS))}
    arquivos["idioma.ini"] = ESCOLHA_INICIAL.encode("cp1252")
    if "--check" in sys.argv[1:]:
        diferentes = []
        for nome, dados in arquivos.items():
            caminho = os.path.join(raiz, nome)
            atual = open(caminho, "rb").read() if os.path.exists(caminho) else None
            if atual != dados:
                diferentes.append(nome)
        if diferentes:
            print("out of date: " + ", ".join(diferentes))
            return 1
        return 0
    os.makedirs(raiz, exist_ok=True)
    for nome, dados in arquivos.items():
        with open(os.path.join(raiz, nome), "wb") as f:
            f.write(dados)
    total = sum(len(c) for _, c in TEXTOS)
    print("%d sections, %d keys, %d files" % (len(TEXTOS), total, len(arquivos)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
