<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>DesktopEntry</name>
    <message>
        <location filename="../platform/desktopentry/desktopentry_glib.cpp" line="+79"/>
        <source>it has no [Desktop Entry] group</source>
        <translation>il n&apos;a pas de groupe [Desktop Entry]</translation>
    </message>
    <message>
        <location line="+130"/>
        <source>&quot;%1&quot; cannot be started: %2</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas être lancé&#xa0;: %2</translation>
    </message>
    <message>
        <location line="+116"/>
        <source>its desktop entry is marked as hidden.</source>
        <translation>son entrée de bureau est marquée comme cachée.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its desktop entry is marked not to be shown in menus.</source>
        <translation>son entrée de bureau est marquée pour ne pas apparaître dans les menus.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its desktop entry names no address.</source>
        <translation>son entrée de bureau ne donne pas d&apos;adresse.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>it is a desktop entry without a type, and only applications and links can be started.</source>
        <translation>c&apos;est une entrée de bureau sans type, et seuls les applications et les liens peuvent être lancés.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a desktop entry of type &quot;%1&quot;, and only applications and links can be started.</source>
        <translation>c&apos;est une entrée de bureau de type «&#xa0;%1&#xa0;», et seuls les applications et les liens peuvent être lancés.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its desktop entry names no program.</source>
        <translation>son entrée de bureau ne donne pas de programme.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the command of its desktop entry cannot be read.</source>
        <translation>la commande de son entrée de bureau est illisible.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the command of its desktop entry puts %1 inside quotes (or a comment), which desktop entries must not do: a file or folder name in its place could run as a command.</source>
        <translation>la commande de son entrée de bureau met %1 entre guillemets (ou dans un commentaire), ce que les entrées de bureau ne doivent pas faire&#xa0;: un nom de fichier ou de dossier à sa place pourrait être exécuté comme une commande.</translation>
    </message>
    <message>
        <location line="+271"/>
        <source>it is not a readable desktop entry (%1).</source>
        <translation>ce n&apos;est pas une entrée de bureau lisible (%1).</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+8"/>
        <source>the program &quot;%1&quot; is not installed.</source>
        <translation>le programme «&#xa0;%1&#xa0;» n&apos;est pas installé.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>its desktop entry is not usable.</source>
        <translation>son entrée de bureau n&apos;est pas utilisable.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot; could not be started: %2</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;a pas pu être lancé&#xa0;: %2</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>it is not a program file that can be run.</source>
        <translation>ce n&apos;est pas un fichier de programme exécutable.</translation>
    </message>
</context>
<context>
    <name>Programs</name>
    <message>
        <location filename="../student/mMain.cpp" line="+28"/>
        <source>quorvel-student: --push-to-talk takes on or off
</source>
        <translation>quorvel-student&#xa0;: --push-to-talk attend on ou off
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>quorvel-student: the choice could not be saved in %1
</source>
        <translation>quorvel-student&#xa0;: le choix n&apos;a pas pu être enregistré dans %1
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Push to talk is %1 (saved in %2).
</source>
        <extracomment>%1 is the option&apos;s value as typed, on or off.</extracomment>
        <translation>Appuyer pour parler&#xa0;: %1 (enregistré dans %2).
</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Quorvel Student</source>
        <translation>Quorvel Student</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The pupils&apos; launcher of a Quorvel menu.</source>
        <translation>Le lanceur des élèves pour un menu Quorvel.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Store whether spoken commands are heard only while Space or the Hold to talk button is held, and exit.</source>
        <translation>Enregistre si les commandes vocales ne sont écoutées que pendant l&apos;appui sur Espace ou sur le bouton «&#xa0;Garde appuyé pour parler&#xa0;», puis quitte.</translation>
    </message>
    <message>
        <location filename="../teach/mMain.cpp" line="+19"/>
        <source>Quorvel Manager</source>
        <translation>Quorvel Manager</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The teacher&apos;s editor of a Quorvel menu.</source>
        <translation>L&apos;éditeur de menu Quorvel pour les enseignants.</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <location filename="../platform/files/regularfile.cpp" line="+121"/>
        <source>the file does not exist</source>
        <translation>le fichier n&apos;existe pas</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is no regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the file cannot be read</source>
        <translation>le fichier est illisible</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the file is too large</source>
        <translation>le fichier est trop grand</translation>
    </message>
</context>
<context>
    <name>ShrtcutPath</name>
    <message>
        <location filename="../common/ShrtcutPath.cpp" line="+22"/>
        <source>This shortcut does not contain a path.</source>
        <translation>Ce raccourci ne contient pas de chemin.</translation>
    </message>
</context>
<context>
    <name>SpeechModel</name>
    <message>
        <location filename="../platform/recognizer/modelcheck.cpp" line="+542"/>
        <source>%1 cannot be read</source>
        <translation>%1 est illisible</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 is missing</source>
        <translation>%1 est absent</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is too large for a model file</source>
        <translation>%1 est trop grand pour un fichier de modèle</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 is damaged: %2</source>
        <translation>%1 est abîmé&#xa0;: %2</translation>
    </message>
    <message>
        <location line="-465"/>
        <location line="+258"/>
        <location line="+9"/>
        <location line="+8"/>
        <source>its header is damaged</source>
        <translation>son en-tête est abîmé</translation>
    </message>
    <message>
        <location line="-251"/>
        <location line="+108"/>
        <location line="+81"/>
        <location line="+72"/>
        <source>its counts are out of range</source>
        <translation>ses nombres sont hors limites</translation>
    </message>
    <message>
        <location line="-254"/>
        <source>its phone names are cut short</source>
        <translation>ses noms de phonèmes sont tronqués</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+124"/>
        <location line="+79"/>
        <source>it is cut short</source>
        <translation>il est tronqué</translation>
    </message>
    <message>
        <location line="-198"/>
        <source>its state sequences are damaged</source>
        <translation>ses suites d&apos;états sont abîmées</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>its context tree points outside it</source>
        <translation>son arbre de contextes pointe hors du fichier</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>a phone points outside the model</source>
        <translation>un phonème pointe hors du modèle</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+84"/>
        <source>a state points outside the model</source>
        <translation>un état pointe hors du modèle</translation>
    </message>
    <message>
        <location line="-77"/>
        <location line="+88"/>
        <location line="+58"/>
        <location line="+6"/>
        <location line="+57"/>
        <location line="+42"/>
        <location line="+69"/>
        <location line="+15"/>
        <source>it does not fit the other model files</source>
        <translation>il ne correspond pas aux autres fichiers du modèle</translation>
    </message>
    <message>
        <location line="-301"/>
        <source>its version is not 0.3</source>
        <translation>sa version n&apos;est pas 0.3</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>its counts are damaged</source>
        <translation>ses nombres sont abîmés</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+6"/>
        <location line="+8"/>
        <source>a phone&apos;s line is damaged</source>
        <translation>la ligne d&apos;un phonème est abîmée</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>it has no model file header</source>
        <translation>il n&apos;a pas d&apos;en-tête de fichier de modèle</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+72"/>
        <source>it is cut short or too long</source>
        <translation>il est tronqué ou trop long</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>it is no text of settings</source>
        <translation>ce n&apos;est pas un texte de réglages</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>a line is not &quot;-name value&quot;</source>
        <translation>une ligne n&apos;a pas la forme &quot;-nom valeur&quot;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is no number</source>
        <translation>%1 n&apos;est pas un nombre</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>-svspec is damaged</source>
        <translation>-svspec est abîmé</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>it is no text</source>
        <translation>ce n&apos;est pas du texte</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>line %1 is not a word and its phones</source>
        <translation>la ligne %1 n&apos;est pas un mot suivi de ses phonèmes</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>it is no file of a model</source>
        <translation>ce n&apos;est pas un fichier de modèle</translation>
    </message>
</context>
<context>
    <name>StartAnnouncer</name>
    <message>
        <location filename="../student/startannouncer.cpp" line="+65"/>
        <source>Starting </source>
        <extracomment>Said by the character before the name of what is started (keep the space).</extracomment>
        <translation>Je lance </translation>
    </message>
    <message>
        <location line="+2"/>
        <source> could not be started</source>
        <translation> n&apos;a pas pu être lancé</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <location filename="../platform/session/startup.cpp" line="+172"/>
        <source>The line menu[%1] in %2 names no absolute path; it was not used.</source>
        <translation>La ligne menu[%1] de %2 ne donne pas de chemin absolu&#xa0;; elle n&apos;a pas été utilisée.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>the --menu option</source>
        <translation>l&apos;option --menu</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the qv.ini beside the program</source>
        <translation>le qv.ini à côté du programme</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the QV_MENU environment variable</source>
        <translation>la variable d&apos;environnement QV_MENU</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the user&apos;s own config folder (no other setting applies)</source>
        <translation>le dossier de configuration de l&apos;utilisateur (aucun autre réglage ne s&apos;applique)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the line menu[%1] in %2 (you are in group %1)</source>
        <translation>la ligne menu[%1] de %2 (vous êtes dans le groupe %1)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the line &quot;menu =&quot; in %1 (no line menu[GROUP] there names a group of yours)</source>
        <translation>la ligne &quot;menu =&quot; de %1 (aucune ligne menu[GROUP] n&apos;y nomme l&apos;un de vos groupes)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The folder %1 named by %2 does not exist: is the share mounted?</source>
        <translation>Le dossier %1 désigné par %2 n&apos;existe pas&#xa0;: le partage est-il monté&#xa0;?</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Show this help and the menu file in use.</source>
        <translation>Affiche cette aide et le fichier de menu utilisé.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show the version.</source>
        <translation>Affiche la version.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Use the menu file PATH when it ends in .ini, otherwise the qv.ini in the folder PATH.</source>
        <translation>Utilise le fichier de menu PATH s&apos;il se termine par .ini, sinon le qv.ini du dossier PATH.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>expects no arguments but --menu PATH</source>
        <translation>n&apos;attend aucun argument sauf --menu PATH</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>
The menu file is the first of: --menu; a qv.ini beside the program; QV_MENU;
the line &quot;menu[GROUP] = PATH&quot; in %1 of the first of your
groups that has one, else its line &quot;menu = PATH&quot;;
$XDG_CONFIG_HOME/quorvel/qv.ini.
</source>
        <translation>
Le fichier de menu est le premier de&#xa0;: --menu&#xa0;; un qv.ini à côté du programme&#xa0;;
QV_MENU&#xa0;; la ligne &quot;menu[GROUP] = PATH&quot; de %1 pour le premier
de vos groupes qui en a une, sinon sa ligne &quot;menu = PATH&quot;&#xa0;;
$XDG_CONFIG_HOME/quorvel/qv.ini.
</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>
Menu file: %1
  chosen by: %2
Data folder: %3
</source>
        <translation>
Fichier de menu&#xa0;: %1
  choisi par&#xa0;: %2
Dossier des données&#xa0;: %3
</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  note: %1
</source>
        <translation>  remarque&#xa0;: %1
</translation>
    </message>
    <message>
        <location line="+31"/>
        <location line="+7"/>
        <source>--menu needs a PATH</source>
        <translation>--menu attend un PATH</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argument inattendu &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 needs a value</source>
        <translation>%1 attend une valeur</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>unknown option &apos;%1&apos;</source>
        <translation>option inconnue &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>%1: %2
Usage: %3
Try &apos;%1 --help&apos;.
</source>
        <translation>%1&#xa0;: %2
Utilisation&#xa0;: %3
Essayez &apos;%1 --help&apos;.
</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1 %2
%5

Menu file:
%3

Chosen by: %4.</source>
        <translation>%1 %2
%5

Fichier de menu&#xa0;:
%3

Choisi par&#xa0;: %4.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>About </source>
        <translation>À propos de </translation>
    </message>
</context>
<context>
    <name>Voice</name>
    <message>
        <location filename="../platform/voice/voice_espeak.cpp" line="+87"/>
        <source>en</source>
        <comment>The language code of this catalogue (de, fr, es): the character&apos;s voice</comment>
        <translation>fr</translation>
    </message>
</context>
<context>
    <name>firstmenu</name>
    <message>
        <location filename="../teach/firstmenu.cpp" line="+47"/>
        <source>There is no menu at %1 yet.

Create one there now, with one tab and the two standard buttons?</source>
        <translation>Il n&apos;y a pas encore de menu à l&apos;emplacement %1.

Voulez-vous en créer un maintenant, avec un onglet et les deux boutons standard&#xa0;?</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>

This place is named by %1, so pupils whose Quorvel Student uses the same setting will see this menu.</source>
        <translation>

Cet emplacement est désigné par %1&#xa0;: les élèves dont Quorvel Student utilise le même réglage verront donc ce menu.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>

This folder belongs to your own account: pupils on other accounts will not see this menu. For a menu that all pupils see, name a shared folder in %1 or in QV_MENU.</source>
        <translation>

Ce dossier appartient à votre propre compte&#xa0;: les élèves qui utilisent d&apos;autres comptes ne verront pas ce menu. Pour un menu que tous les élèves voient, indiquez un dossier partagé dans %1 ou dans QV_MENU.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>

This place is named by the --menu option: pupils will see this menu only where Quorvel Student is started with the same option.</source>
        <translation>

Cet emplacement est désigné par l&apos;option --menu&#xa0;: les élèves ne verront ce menu que là où Quorvel Student est lancé avec la même option.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The starter menu %1 is missing or cannot be read, so no menu was made. Reinstall Quorvel, or make the menu by adding a tab.</source>
        <translation>Le menu de départ %1 est absent ou illisible&#xa0;: aucun menu n&apos;a donc été créé. Réinstallez Quorvel, ou créez le menu en ajoutant un onglet.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The folder %1 could not be made, so no menu was made there. You may not write there: ask whoever looks after the computers to make the folder or to let you write in it.</source>
        <translation>Le dossier %1 n&apos;a pas pu être créé&#xa0;: aucun menu n&apos;y a donc été créé. Vous n&apos;avez peut-être pas le droit d&apos;y écrire&#xa0;: demandez à la personne qui s&apos;occupe des ordinateurs de créer le dossier ou de vous permettre d&apos;y écrire.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>You may not write in the folder %1, so no menu was made there. Ask whoever looks after the computers to make the menu or to let you write in the folder.</source>
        <translation>Vous n&apos;avez pas le droit d&apos;écrire dans le dossier %1&#xa0;: aucun menu n&apos;y a donc été créé. Demandez à la personne qui s&apos;occupe des ordinateurs de créer le menu ou de vous permettre d&apos;écrire dans le dossier.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The menu %1 could not be made: %2.</source>
        <translation>Le menu %1 n&apos;a pas pu être créé&#xa0;: %2.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Create Menu</source>
        <translation>&amp;Créer le menu</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Not Now</source>
        <translation>&amp;Pas maintenant</translation>
    </message>
</context>
<context>
    <name>frmChoose</name>
    <message>
        <location filename="../teach/frmChoose.cpp" line="+26"/>
        <source>Other File</source>
        <translation>Autre fichier</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All files (*);;Shortcuts (*.lnk);;Programs (*.exe);;Desktop entries (*.desktop)</source>
        <translation>Tous les fichiers (*);;Raccourcis (*.lnk);;Programmes (*.exe);;Entrées de bureau (*.desktop)</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Add from List</source>
        <translation>Ajouter depuis la liste</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Search:</source>
        <translation>&amp;Rechercher&#xa0;:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Installed &amp;applications:</source>
        <translation>&amp;Applications installées&#xa0;:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Installed applications</source>
        <translation>Applications installées</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Choose</source>
        <translation>&amp;Choisir</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Other file...</source>
        <translation>Autre &amp;fichier...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmMigrate</name>
    <message>
        <location filename="../teach/frmMigrate.cpp" line="+12"/>
        <source>Migrating...</source>
        <translation>Migration...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Migrating Kelbrin Local Applications...</source>
        <translation>Migration des applications locales Kelbrin...</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>frmdrop</name>
    <message>
        <location filename="../teach/editornotices.cpp" line="+26"/>
        <source>Quorvel Manger</source>
        <extracomment>The editor&apos;s title (its spelling is the program&apos;s own).</extracomment>
        <translatorcomment>The English title keeps a misspelling of its own; in French &quot;Manger&quot; reads as &quot;to eat&quot;, so the title is the program&apos;s name, Quorvel Manager.</translatorcomment>
        <translation>Quorvel Manager</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The number of buttons of this tab cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.<byte value="xd"/>
So that no button is overwritten or lost, %5 is refused for this tab. Correct the number in the file first.</source>
        <translation>Le nombre de boutons de cet onglet est illisible&#xa0;: [%1] dans %2 contient «&#xa0;%3&#xa0;» sous «&#xa0;%4&#xa0;», ce qui n&apos;est pas un nombre de 0 à 32767.<byte value="xd"/>
Pour qu&apos;aucun bouton ne soit écrasé ni perdu, %5 est impossible sur cet onglet. Corrigez d&apos;abord le nombre dans le fichier.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The number of tabs cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.<byte value="xd"/>
No tab is shown, and adding or removing tabs is refused so that no tab is overwritten or lost. Correct the number in the file first.</source>
        <translation>Le nombre d&apos;onglets est illisible&#xa0;: [%1] dans %2 contient «&#xa0;%3&#xa0;» sous «&#xa0;%4&#xa0;», ce qui n&apos;est pas un nombre de 0 à 32767.<byte value="xd"/>
Aucun onglet n&apos;est affiché, et l&apos;ajout ou le retrait d&apos;onglets est refusé pour qu&apos;aucun onglet ne soit écrasé ni perdu. Corrigez d&apos;abord le nombre dans le fichier.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 is read-only for you, so Quorvel Manager shows the menu but does not change it.</source>
        <translation>%1 est en lecture seule pour vous&#xa0;: Quorvel Manager affiche donc le menu mais ne le modifie pas.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 may be written, but no new file can be made in its folder %2. Quorvel Manager saves each change as a new file put in place of the old one, so it shows the menu but does not change it.</source>
        <translation>%1 peut être modifié, mais aucun nouveau fichier ne peut être créé dans son dossier %2. Quorvel Manager enregistre chaque modification dans un nouveau fichier qui remplace l&apos;ancien&#xa0;: il affiche donc le menu mais ne le modifie pas.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is not a plain file, so Quorvel Manager does not write to it.</source>
        <translation>%1 n&apos;est pas un fichier ordinaire&#xa0;: Quorvel Manager n&apos;y écrit donc pas.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is a link to a file that does not exist, so Quorvel Manager does not write to it.</source>
        <translation>%1 est un lien vers un fichier qui n&apos;existe pas&#xa0;: Quorvel Manager n&apos;y écrit donc pas.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is a link to something that is not a plain file, so Quorvel Manager does not write to it.</source>
        <translation>%1 est un lien vers quelque chose qui n&apos;est pas un fichier ordinaire&#xa0;: Quorvel Manager n&apos;y écrit donc pas.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is a link to a file of another user, so Quorvel Manager does not write to it.</source>
        <translation>%1 est un lien vers un fichier d&apos;un autre utilisateur&#xa0;: Quorvel Manager n&apos;y écrit donc pas.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 does not read as a menu file, so Quorvel Manager does not write to it; the file was left as it was.</source>
        <translation>%1 ne se lit pas comme un fichier de menu&#xa0;: Quorvel Manager n&apos;y écrit donc pas&#xa0;; le fichier est resté tel quel.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The menu was changed elsewhere since this page was shown, so nothing was done. The window now shows the menu as it is in the file.</source>
        <translation>Le menu a été modifié ailleurs depuis l&apos;affichage de cette page, donc rien n&apos;a été fait. La fenêtre montre maintenant le menu tel qu&apos;il est dans le fichier.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The menu already holds %1 tabs, as many as the menu file can count.</source>
        <translation>Le menu a déjà %1 onglets, le plus grand nombre que le fichier de menu peut compter.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This tab already holds %1 buttons, as many as the menu file can count. Put the button on another tab.</source>
        <translation>Cet onglet a déjà %1 boutons, le plus grand nombre que le fichier de menu peut compter. Mettez le bouton sur un autre onglet.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The name or text holds a line break or a character that %1 cannot hold, so it was not saved.</source>
        <translation>Le nom ou le texte contient un saut de ligne ou un caractère que %1 ne peut pas contenir&#xa0;; il n&apos;a donc pas été enregistré.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 is being changed by another editor at the moment, so this change was not saved. Try again in a moment.</source>
        <translation>%1 est en cours de modification par un autre éditeur&#xa0;: cette modification n&apos;a donc pas été enregistrée. Réessayez dans un instant.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is larger than %2 MiB and is not read</source>
        <translation>%1 dépasse %2 Mio et n&apos;est pas lu</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Too Large</source>
        <translation>Fichier trop grand</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> could not be saved; the file was left as it was.</source>
        <translation> n&apos;a pas pu être enregistré&#xa0;; le fichier est resté tel quel.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File Not Saved</source>
        <translation>Fichier non enregistré</translation>
    </message>
    <message>
        <location filename="../teach/frmdrop.cpp" line="+74"/>
        <location line="+4"/>
        <source>Drop here...</source>
        <translation>Déposez ici...</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Add from &amp;list...</source>
        <extracomment>Button; room for about 20 letters, a longer text is cut.</extracomment>
        <translation>Ajouter depuis la &amp;liste...</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Choose an installed application or a file for a new button</source>
        <translation>Choisissez une application installée ou un fichier pour un nouveau bouton</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>New Button</source>
        <translation>Nouveau bouton</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Tab:</source>
        <extracomment>Label of the tab caption box (&quot;tab&quot; as in a tab of the menu); room for about 4 letters.</extracomment>
        <translatorcomment>&quot;Onglet :&quot; needs 44 px and the label has 25; the box beside it shows &quot;Titre de l&apos;onglet&quot;, so &quot;Titre&quot; (no colon, 25 px) names it.</translatorcomment>
        <translation>Titre</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Target:</source>
        <extracomment>Label: the file or program a new button starts; room for about 7 letters.</extracomment>
        <translation>Cible&#xa0;:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Caption:</source>
        <extracomment>Label: the text on a new button; room for about 8 letters.</extracomment>
        <translation>Nom&#xa0;:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hint:</source>
        <extracomment>Label: the tooltip of a new button; room for about 7 letters.</extracomment>
        <translatorcomment>Short for &quot;Info-bulle :&quot; (59 px), which does not fit the label&apos;s 41 px.</translatorcomment>
        <translation>Bulle&#xa0;:</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Target</source>
        <translation>Cible</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Caption</source>
        <translation>Nom</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hint</source>
        <translation>Info-bulle</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Tab Caption</source>
        <translation>Titre de l&apos;onglet</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Tab</source>
        <extracomment>Noun: a tab of the menu (for screen readers).</extracomment>
        <translation>Onglet</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Add</source>
        <extracomment>Button: adds a tab; room for about 7 letters.</extracomment>
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Remove</source>
        <extracomment>Button: removes the tab shown; room for about 7 letters.</extracomment>
        <translation>&amp;Retirer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Add Button</source>
        <extracomment>Button: adds the new button to the tab; room for about 11 letters.</extracomment>
        <translatorcomment>Short for &quot;Ajouter le bouton&quot; (96 px; the button has 71). The frame&apos;s title &quot;Nouveau bouton&quot; says what is added; Alt+J, as Alt+A is the tab&apos;s &quot;&amp;Ajouter&quot;.</translatorcomment>
        <translation>A&amp;jouter</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Edit Button</source>
        <translation>Modifier le bouton</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Test Button</source>
        <translation>Essayer le bouton</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Button</source>
        <translation>Supprimer le bouton</translation>
    </message>
    <message>
        <location line="+121"/>
        <source>adding a button</source>
        <translation>l&apos;ajout d&apos;un bouton</translation>
    </message>
    <message>
        <location line="+116"/>
        <source> (read-only)</source>
        <translation> (lecture seule)</translation>
    </message>
    <message>
        <location filename="../teach/frmdrop_edit.cpp" line="+31"/>
        <source>That item cannot be used!</source>
        <translation>Cet élément ne peut pas être utilisé&#xa0;!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Click here to launch </source>
        <extracomment>Followed by the button&apos;s caption (keep the space).</extracomment>
        <translation>Cliquez ici pour lancer </translation>
    </message>
    <message>
        <location line="+15"/>
        <source>adding a tab</source>
        <translation>l&apos;ajout d&apos;un onglet</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>removing a tab</source>
        <translation>le retrait d&apos;un onglet</translation>
    </message>
    <message>
        <location line="+61"/>
        <source> (already on this tab)</source>
        <translation> (déjà sur cet onglet)</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>There is no tab to put the button on. Add a tab first, then add the button.</source>
        <translation>Il n&apos;y a pas d&apos;onglet où mettre le bouton. Ajoutez d&apos;abord un onglet, puis le bouton.</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>deleting a button</source>
        <translation>la suppression d&apos;un bouton</translation>
    </message>
</context>
<context>
    <name>frmstudent</name>
    <message>
        <location filename="../student/frmstudent.cpp" line="+88"/>
        <source>Quorvel Student</source>
        <translation>Quorvel Student</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Wizard</source>
        <translation>Assistant</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Animate Character</source>
        <translation>Animer le personnage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hide Oracle</source>
        <translation>Cacher l&apos;oracle</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Drop here...</source>
        <extracomment>In a small square: two short lines of about 8 letters each.</extracomment>
        <translation>Dépose ici...</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Hold to talk</source>
        <extracomment>Button held down while speaking; room for about 20 letters.</extracomment>
        <translation>Garde appuyé pour parler</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Spoken commands are heard while this button or Space is held down</source>
        <translation>Les commandes vocales sont écoutées tant que tu appuies sur ce bouton ou sur Espace</translation>
    </message>
    <message>
        <location line="+124"/>
        <source>Welcome </source>
        <extracomment>Said by the character at start, followed by the pupil&apos;s name (keep the space).</extracomment>
        <translation>Bienvenue </translation>
    </message>
    <message>
        <location line="+109"/>
        <source>That item cannot be used!</source>
        <translation>Cet élément ne peut pas être utilisé&#xa0;!</translation>
    </message>
    <message>
        <location filename="../student/frmstudent_speech.cpp" line="+33"/>
        <source>Start Recognition</source>
        <extracomment>Button and menu item; room for about 18 letters on the button.</extracomment>
        <translation>Lancer l&apos;écoute</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop Recognition</source>
        <translation>Arrêter l&apos;écoute</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Current loaded Grammar: ordergrammar.xml</source>
        <extracomment>Beside the recognizer list, seen only in a widened window. The file name stays as it is.</extracomment>
        <translation>Grammaire chargée&#xa0;: ordergrammar.xml</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Current loaded Grammar: None</source>
        <translation>Grammaire chargée&#xa0;: aucune</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Command Unknown</source>
        <translation>Commande inconnue</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Button not loaded</source>
        <translation>Ce bouton n&apos;est pas là</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Microphone too loud - turn it down</source>
        <translation>Micro trop fort&#xa0;: baisse-le</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The choice could not be saved in %1; it holds until Quorvel Student is closed.</source>
        <translation>Le choix n&apos;a pas pu être enregistré dans %1&#xa0;; il reste valable jusqu&apos;à la fermeture de Quorvel Student.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Error-No.: %1
%2</source>
        <translation>Erreur n°&#xa0;: %1
%2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Speech</source>
        <translation>&amp;Voix</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Recognizer</source>
        <translation>Moteur de reconnaissance</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Push to talk (hold Space)</source>
        <translation>Appuyer pour parler (garder Espace appuyé)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Learn my voice...</source>
        <translation>Apprendre ma voix...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Forget my voice</source>
        <translation>Oublier ma voix</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Spoken commands are in English: &quot;button one&quot; to &quot;button ten&quot;.</source>
        <translation>Les commandes vocales sont en anglais&#xa0;: «&#xa0;button one&#xa0;» à «&#xa0;button ten&#xa0;».</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>No audio input device was found. Spoken commands are off.</source>
        <translation>Aucun micro n&apos;a été trouvé. Les commandes vocales sont désactivées.</translation>
    </message>
    <message>
        <location line="+119"/>
        <source>No speech recognizer can be used on this computer (none is installed, or each one&apos;s model is damaged). Spoken commands are off; the buttons work as before.</source>
        <translation>Aucun moteur de reconnaissance vocale n&apos;est utilisable sur cet ordinateur (aucun n&apos;est installé, ou le modèle de chacun est abîmé). Les commandes vocales sont désactivées&#xa0;; les boutons marchent comme avant.</translation>
    </message>
</context>
<context>
    <name>frmvoice</name>
    <message>
        <location filename="../student/frmvoice.cpp" line="+11"/>
        <source>Learn my voice</source>
        <translation>Apprendre ma voix</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Say each command when you are asked, in your own voice, as you would in class.</source>
        <translation>Dis chaque commande quand on te le demande, avec ta voix de tous les jours, comme en classe.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Say &quot;%1&quot;</source>
        <extracomment>%1 is a spoken command; commands stay English, whatever the language.</extracomment>
        <translation>Dis «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Command %1 of %2</source>
        <translation>Commande %1 sur %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Nothing was heard. Say it again, a little louder.</source>
        <translation>Je n&apos;ai rien entendu. Redis-le un peu plus fort.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard: %1</source>
        <translation>Entendu&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Thank you!</source>
        <translation>Merci&#xa0;!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Learning your voice, one moment please...</source>
        <translation>J&apos;apprends ta voix, un instant s&apos;il te plaît...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Your voice could not be learnt. Try again later.</source>
        <translation>Ta voix n&apos;a pas pu être apprise. Réessaie plus tard.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Of your %1 commands, %2 were heard right before and %3 are now.</source>
        <translation>Sur tes %1 commandes, %2 étaient bien comprises avant, et %3 le sont maintenant.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Your voice is kept for you on this computer.</source>
        <translation>Ta voix est gardée pour toi sur cet ordinateur.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>modini</name>
    <message>
        <location filename="../common/modini.cpp" line="+23"/>
        <source><byte value="xd"/>
Verify spelling and capitilization is correct.  Case-sensative.</source>
        <translation><byte value="xd"/>
Vérifiez l&apos;orthographe et les majuscules. Les majuscules comptent.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 not found.</source>
        <translation>%1 introuvable.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File Not Found</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is larger than %2 MiB and is not read</source>
        <translation>%1 dépasse %2 Mio et n&apos;est pas lu</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Too Large</source>
        <translation>Fichier trop grand</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>The name or text holds a line break or a character that %1 cannot hold, so it was not saved. ~(%2)</source>
        <translation>Le nom ou le texte contient un saut de ligne ou un caractère que %1 ne peut pas contenir&#xa0;; il n&apos;a donc pas été enregistré. ~(%2)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Not Saved</source>
        <translation>Non enregistré</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 could not be saved; the file was left as it was. ~(%2)</source>
        <translation>%1 n&apos;a pas pu être enregistré&#xa0;; le fichier est resté tel quel. ~(%2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Not Saved</source>
        <translation>Fichier non enregistré</translation>
    </message>
    <message>
        <location line="+244"/>
        <source>Section, %1, Not Found. ~(%2)</source>
        <translation>Section %1 introuvable. ~(%2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Section Not Found.</source>
        <translation>Section introuvable.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Key, %1, Not Found. ~(RenameKey)</source>
        <translation>Clé %1 introuvable. ~(RenameKey)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Key Not Found.</source>
        <translation>Clé introuvable.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 allready exists in the section, %2.  ~(RenameKey)</source>
        <translation>%1 existe déjà dans la section %2.  ~(RenameKey)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Duplicate Key.</source>
        <translation>Clé en double.</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>%1 allready exists.  ~(RenameSection)</source>
        <translation>%1 existe déjà.  ~(RenameSection)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duplicate Section</source>
        <translation>Section en double</translation>
    </message>
</context>
<context>
    <name>qv::ListeningBadge</name>
    <message>
        <location filename="../student/listeningbadge.cpp" line="+32"/>
        <source>Not listening</source>
        <extracomment>The listening badge: room for about 22 letters, a longer text is cut.</extracomment>
        <translation>Pas à l&apos;écoute</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Listening</source>
        <translation>À l&apos;écoute</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Hold Space to talk</source>
        <translation>Garde Espace appuyé pour parler</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard: %1</source>
        <translation>Entendu&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not understood</source>
        <translation>Pas compris</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard nothing</source>
        <translation>Rien entendu</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Spoken commands: </source>
        <translation>Commandes vocales&#xa0;: </translation>
    </message>
</context>
<context>
    <name>qv::MenuFollower</name>
    <message>
        <location filename="../student/menufollower.cpp" line="+13"/>
        <source>Error in INI file : File Not Found</source>
        <translation>Erreur dans le fichier de menu&#xa0;: fichier introuvable</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Error in INI file : No Tabs Found</source>
        <translation>Erreur dans le fichier de menu&#xa0;: aucun onglet trouvé</translation>
    </message>
</context>
<context>
    <name>qv::MenuLayout</name>
    <message>
        <location filename="../common/menulayout.cpp" line="+61"/>
        <source>Button %1 of tab %2 is not started: the item stored for it in %3 is longer than the 254 characters that can be read back, or holds a NUL character, so what was read may name another program:<byte value="xd"/>
%4<byte value="xd"/>
Store the item again with a shorter path.</source>
        <translation>Le bouton %1 de l&apos;onglet %2 n&apos;est pas lancé&#xa0;: l&apos;élément enregistré pour lui dans %3 dépasse les 254 caractères qui peuvent être relus, ou contient un caractère NUL&#xa0;; ce qui a été lu pourrait donc désigner un autre programme&#xa0;:<byte value="xd"/>
%4<byte value="xd"/>
Enregistrez de nouveau l&apos;élément avec un chemin plus court.</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>The number of buttons of this tab cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.</source>
        <translation>Le nombre de boutons de cet onglet est illisible&#xa0;: [%1] dans %2 contient «&#xa0;%3&#xa0;» sous «&#xa0;%4&#xa0;», ce qui n&apos;est pas un nombre de 0 à 32767.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The buttons stored under it are shown up to the first missing one.</source>
        <translation>Les boutons enregistrés pour cet onglet sont affichés jusqu&apos;au premier qui manque.</translation>
    </message>
</context>
<context>
    <name>qv::Startup</name>
    <message>
        <location filename="../platform/session/startup.cpp" line="-19"/>
        <source>Free software under the GNU General Public License, version 3 or later; it comes with no warranty.</source>
        <translation>Logiciel libre sous licence publique générale GNU, version 3 ou ultérieure&#xa0;; il est fourni sans aucune garantie.</translation>
    </message>
</context>
<context>
    <name>qv::TabStrip</name>
    <message>
        <location filename="../common/ui/tabstrip.cpp" line="+34"/>
        <source>Earlier tabs</source>
        <translation>Onglets précédents</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Later tabs</source>
        <translation>Onglets suivants</translation>
    </message>
</context>
<context>
    <name>qv::character::SpeechBalloon</name>
    <message>
        <location filename="../character/window.cpp" line="+167"/>
        <source>Merlin says</source>
        <translation>Merlin dit</translation>
    </message>
</context>
</TS>
