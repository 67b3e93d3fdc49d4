<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>DesktopEntry</name>
    <message>
        <location filename="../platform/desktopentry/desktopentry_glib.cpp" line="+79"/>
        <source>it has no [Desktop Entry] group</source>
        <translation>es hat keine Gruppe [Desktop Entry]</translation>
    </message>
    <message>
        <location line="+130"/>
        <source>&quot;%1&quot; cannot be started: %2</source>
        <translation>„%1“ kann nicht gestartet werden: %2</translation>
    </message>
    <message>
        <location line="+116"/>
        <source>its desktop entry is marked as hidden.</source>
        <translation>sein Desktop-Eintrag ist als versteckt markiert.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its desktop entry is marked not to be shown in menus.</source>
        <translation>sein Desktop-Eintrag soll nicht in Menüs erscheinen.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its desktop entry names no address.</source>
        <translation>sein Desktop-Eintrag nennt keine Adresse.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>it is a desktop entry without a type, and only applications and links can be started.</source>
        <translation>es ist ein Desktop-Eintrag ohne Typ, und nur Programme und Links können gestartet werden.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a desktop entry of type &quot;%1&quot;, and only applications and links can be started.</source>
        <translation>es ist ein Desktop-Eintrag vom Typ „%1“, und nur Programme und Links können gestartet werden.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its desktop entry names no program.</source>
        <translation>sein Desktop-Eintrag nennt kein Programm.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the command of its desktop entry cannot be read.</source>
        <translation>der Befehl seines Desktop-Eintrags kann nicht gelesen werden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the command of its desktop entry puts %1 inside quotes (or a comment), which desktop entries must not do: a file or folder name in its place could run as a command.</source>
        <translation>der Befehl seines Desktop-Eintrags setzt %1 in Anführungszeichen (oder einen Kommentar), was Desktop-Einträge nicht dürfen: Ein Datei- oder Ordnername an dieser Stelle könnte als Befehl ausgeführt werden.</translation>
    </message>
    <message>
        <location line="+271"/>
        <source>it is not a readable desktop entry (%1).</source>
        <translation>es ist kein lesbarer Desktop-Eintrag (%1).</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+8"/>
        <source>the program &quot;%1&quot; is not installed.</source>
        <translation>das Programm „%1“ ist nicht installiert.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>its desktop entry is not usable.</source>
        <translation>sein Desktop-Eintrag ist nicht verwendbar.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot; could not be started: %2</source>
        <translation>„%1“ konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>it is not a program file that can be run.</source>
        <translation>es ist keine ausführbare Programmdatei.</translation>
    </message>
</context>
<context>
    <name>Programs</name>
    <message>
        <location filename="../student/mMain.cpp" line="+28"/>
        <source>quorvel-student: --push-to-talk takes on or off
</source>
        <translation>quorvel-student: --push-to-talk erwartet on oder off
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>quorvel-student: the choice could not be saved in %1
</source>
        <translation>quorvel-student: Die Auswahl konnte nicht in %1 gespeichert werden
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Push to talk is %1 (saved in %2).
</source>
        <extracomment>%1 is the option&apos;s value as typed, on or off.</extracomment>
        <translation>Sprechtaste ist %1 (gespeichert in %2).
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
        <translation>Das Startprogramm der Schülerinnen und Schüler für ein Quorvel-Menü.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Store whether spoken commands are heard only while Space or the Hold to talk button is held, and exit.</source>
        <translation>Speichern, ob Sprachbefehle nur gehört werden, solange die Leertaste oder die Schaltfläche „Halten und sprechen“ gedrückt ist, und beenden.</translation>
    </message>
    <message>
        <location filename="../teach/mMain.cpp" line="+19"/>
        <source>Quorvel Manager</source>
        <translation>Quorvel Manager</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The teacher&apos;s editor of a Quorvel menu.</source>
        <translation>Das Bearbeitungsprogramm der Lehrkraft für ein Quorvel-Menü.</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <location filename="../platform/files/regularfile.cpp" line="+121"/>
        <source>the file does not exist</source>
        <translation>die Datei existiert nicht</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is no regular file</source>
        <translation>sie ist keine normale Datei</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the file cannot be read</source>
        <translation>die Datei kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the file is too large</source>
        <translation>die Datei ist zu groß</translation>
    </message>
</context>
<context>
    <name>ShrtcutPath</name>
    <message>
        <location filename="../common/ShrtcutPath.cpp" line="+22"/>
        <source>This shortcut does not contain a path.</source>
        <translation>Diese Verknüpfung enthält keinen Pfad.</translation>
    </message>
</context>
<context>
    <name>SpeechModel</name>
    <message>
        <location filename="../platform/recognizer/modelcheck.cpp" line="+542"/>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 is missing</source>
        <translation>%1 fehlt</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is too large for a model file</source>
        <translation>%1 ist zu groß für eine Modelldatei</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 is damaged: %2</source>
        <translation>%1 ist beschädigt: %2</translation>
    </message>
    <message>
        <location line="-465"/>
        <location line="+258"/>
        <location line="+9"/>
        <location line="+8"/>
        <source>its header is damaged</source>
        <translation>ihr Kopf ist beschädigt</translation>
    </message>
    <message>
        <location line="-251"/>
        <location line="+108"/>
        <location line="+81"/>
        <location line="+72"/>
        <source>its counts are out of range</source>
        <translation>ihre Anzahlen liegen außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <location line="-254"/>
        <source>its phone names are cut short</source>
        <translation>ihre Lautnamen sind abgeschnitten</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+124"/>
        <location line="+79"/>
        <source>it is cut short</source>
        <translation>sie ist abgeschnitten</translation>
    </message>
    <message>
        <location line="-198"/>
        <source>its state sequences are damaged</source>
        <translation>ihre Zustandsfolgen sind beschädigt</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>its context tree points outside it</source>
        <translation>ihr Kontextbaum zeigt nach außerhalb</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>a phone points outside the model</source>
        <translation>ein Laut zeigt nach außerhalb des Modells</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+84"/>
        <source>a state points outside the model</source>
        <translation>ein Zustand zeigt nach außerhalb des Modells</translation>
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
        <translation>sie passt nicht zu den anderen Modelldateien</translation>
    </message>
    <message>
        <location line="-301"/>
        <source>its version is not 0.3</source>
        <translation>ihre Version ist nicht 0.3</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>its counts are damaged</source>
        <translation>ihre Anzahlen sind beschädigt</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+6"/>
        <location line="+8"/>
        <source>a phone&apos;s line is damaged</source>
        <translation>die Zeile eines Lauts ist beschädigt</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>it has no model file header</source>
        <translation>sie hat keinen Modelldatei-Kopf</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+72"/>
        <source>it is cut short or too long</source>
        <translation>sie ist abgeschnitten oder zu lang</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>it is no text of settings</source>
        <translation>sie ist kein Text mit Einstellungen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>a line is not &quot;-name value&quot;</source>
        <translation>eine Zeile hat nicht die Form &quot;-name value&quot;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is no number</source>
        <translation>%1 ist keine Zahl</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>-svspec is damaged</source>
        <translation>-svspec ist beschädigt</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>it is no text</source>
        <translation>sie ist kein Text</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>line %1 is not a word and its phones</source>
        <translation>Zeile %1 ist kein Wort mit seinen Lauten</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>it is no file of a model</source>
        <translation>sie ist keine Datei eines Modells</translation>
    </message>
</context>
<context>
    <name>StartAnnouncer</name>
    <message>
        <location filename="../student/startannouncer.cpp" line="+65"/>
        <source>Starting </source>
        <extracomment>Said by the character before the name of what is started (keep the space).</extracomment>
        <translatorcomment>The character speaks in the first person: &quot;Ich starte Paint&quot;.</translatorcomment>
        <translation>Ich starte </translation>
    </message>
    <message>
        <location line="+2"/>
        <source> could not be started</source>
        <translation> konnte nicht gestartet werden</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <location filename="../platform/session/startup.cpp" line="+172"/>
        <source>The line menu[%1] in %2 names no absolute path; it was not used.</source>
        <translation>Die Zeile menu[%1] in %2 nennt keinen absoluten Pfad; sie wurde nicht verwendet.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>the --menu option</source>
        <translation>die Option --menu</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the qv.ini beside the program</source>
        <translation>die qv.ini neben dem Programm</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the QV_MENU environment variable</source>
        <translation>die Umgebungsvariable QV_MENU</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the user&apos;s own config folder (no other setting applies)</source>
        <translation>den eigenen Konfigurationsordner des Benutzers (keine andere Einstellung greift)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the line menu[%1] in %2 (you are in group %1)</source>
        <translation>die Zeile menu[%1] in %2 (Sie sind in der Gruppe %1)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the line &quot;menu =&quot; in %1 (no line menu[GROUP] there names a group of yours)</source>
        <translation>die Zeile &quot;menu =&quot; in %1 (dort nennt keine Zeile menu[GROUP] eine Ihrer Gruppen)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The folder %1 named by %2 does not exist: is the share mounted?</source>
        <translation>Der Ordner %1, festgelegt durch %2, existiert nicht: Ist die Freigabe eingebunden?</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Show this help and the menu file in use.</source>
        <translation>Diese Hilfe und die verwendete Menüdatei anzeigen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show the version.</source>
        <translation>Die Version anzeigen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Use the menu file PATH when it ends in .ini, otherwise the qv.ini in the folder PATH.</source>
        <translation>Die Menüdatei PATH verwenden, wenn PATH auf .ini endet, sonst die qv.ini im Ordner PATH.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>expects no arguments but --menu PATH</source>
        <translation>erwartet keine Argumente außer --menu PATH</translation>
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
Als Menüdatei gilt die erste dieser Angaben: --menu; eine qv.ini neben dem Programm; QV_MENU;
die Zeile &quot;menu[GROUP] = PATH&quot; in %1 für die erste Ihrer
Gruppen, die eine hat, sonst dort die Zeile &quot;menu = PATH&quot;;
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
Menüdatei: %1
  gewählt durch: %2
Datenordner: %3
</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  note: %1
</source>
        <translation>  Hinweis: %1
</translation>
    </message>
    <message>
        <location line="+31"/>
        <location line="+7"/>
        <source>--menu needs a PATH</source>
        <translation>--menu braucht einen PATH</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>%1: %2
Usage: %3
Try &apos;%1 --help&apos;.
</source>
        <translation>%1: %2
Aufruf: %3
Siehe &apos;%1 --help&apos;.
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

Menüdatei:
%3

Gewählt durch: %4.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>About </source>
        <translation>Über </translation>
    </message>
</context>
<context>
    <name>Voice</name>
    <message>
        <location filename="../platform/voice/voice_espeak.cpp" line="+87"/>
        <source>en</source>
        <comment>The language code of this catalogue (de, fr, es): the character&apos;s voice</comment>
        <translation>de</translation>
    </message>
</context>
<context>
    <name>firstmenu</name>
    <message>
        <location filename="../teach/firstmenu.cpp" line="+47"/>
        <source>There is no menu at %1 yet.

Create one there now, with one tab and the two standard buttons?</source>
        <translation>Unter %1 gibt es noch kein Menü.

Jetzt dort eines anlegen, mit einer Registerkarte und den zwei Standard-Schaltflächen?</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>

This place is named by %1, so pupils whose Quorvel Student uses the same setting will see this menu.</source>
        <translation>

Dieser Ort ist durch %1 festgelegt. Schülerinnen und Schüler, deren Quorvel Student dieselbe Einstellung verwendet, sehen dieses Menü.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>

This folder belongs to your own account: pupils on other accounts will not see this menu. For a menu that all pupils see, name a shared folder in %1 or in QV_MENU.</source>
        <translation>

Dieser Ordner gehört zu Ihrem eigenen Konto: Schülerinnen und Schüler mit anderen Konten sehen dieses Menü nicht. Für ein Menü, das alle sehen, geben Sie einen freigegebenen Ordner in %1 oder in QV_MENU an.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>

This place is named by the --menu option: pupils will see this menu only where Quorvel Student is started with the same option.</source>
        <translation>

Dieser Ort ist durch die Option --menu festgelegt: Schülerinnen und Schüler sehen dieses Menü nur, wo Quorvel Student mit derselben Option gestartet wird.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The starter menu %1 is missing or cannot be read, so no menu was made. Reinstall Quorvel, or make the menu by adding a tab.</source>
        <translation>Die Menüvorlage %1 fehlt oder kann nicht gelesen werden. Daher wurde kein Menü angelegt. Installieren Sie Quorvel neu, oder legen Sie das Menü an, indem Sie eine Registerkarte hinzufügen.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The folder %1 could not be made, so no menu was made there. You may not write there: ask whoever looks after the computers to make the folder or to let you write in it.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden. Daher wurde dort kein Menü angelegt. Vielleicht dürfen Sie dort nicht schreiben: Bitten Sie die Person, die die Computer betreut, den Ordner anzulegen oder Ihnen Schreibrechte zu geben.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>You may not write in the folder %1, so no menu was made there. Ask whoever looks after the computers to make the menu or to let you write in the folder.</source>
        <translation>Sie dürfen im Ordner %1 nicht schreiben. Daher wurde dort kein Menü angelegt. Bitten Sie die Person, die die Computer betreut, das Menü anzulegen oder Ihnen Schreibrechte für den Ordner zu geben.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The menu %1 could not be made: %2.</source>
        <translation>Das Menü %1 konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Create Menu</source>
        <translation>Menü &amp;anlegen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Not Now</source>
        <translation>&amp;Nicht jetzt</translation>
    </message>
</context>
<context>
    <name>frmChoose</name>
    <message>
        <location filename="../teach/frmChoose.cpp" line="+26"/>
        <source>Other File</source>
        <translation>Andere Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All files (*);;Shortcuts (*.lnk);;Programs (*.exe);;Desktop entries (*.desktop)</source>
        <translation>Alle Dateien (*);;Verknüpfungen (*.lnk);;Programme (*.exe);;Desktop-Einträge (*.desktop)</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Add from List</source>
        <translation>Aus Liste hinzufügen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Search:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Installed &amp;applications:</source>
        <translation>Installierte &amp;Programme:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Installed applications</source>
        <translation>Installierte Programme</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Choose</source>
        <translation>Aus&amp;wählen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Other file...</source>
        <translation>&amp;Andere Datei...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
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
        <translation>Lokale Kelbrin-Anwendungen werden migriert...</translation>
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
        <translatorcomment>The English title&apos;s spelling is kept in English only; the German title names the program as its menu entry does.</translatorcomment>
        <translation>Quorvel Manager</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The number of buttons of this tab cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.<byte value="xd"/>
So that no button is overwritten or lost, %5 is refused for this tab. Correct the number in the file first.</source>
        <translation>Die Anzahl der Schaltflächen dieser Registerkarte kann nicht gelesen werden: [%1] in %2 enthält „%3“ unter „%4“, und das ist keine Zahl von 0 bis 32767.<byte value="xd"/>
Damit keine Schaltfläche überschrieben wird oder verloren geht, wird %5 auf dieser Registerkarte abgelehnt. Korrigieren Sie zuerst die Zahl in der Datei.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The number of tabs cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.<byte value="xd"/>
No tab is shown, and adding or removing tabs is refused so that no tab is overwritten or lost. Correct the number in the file first.</source>
        <translation>Die Anzahl der Registerkarten kann nicht gelesen werden: [%1] in %2 enthält „%3“ unter „%4“, und das ist keine Zahl von 0 bis 32767.<byte value="xd"/>
Es wird keine Registerkarte angezeigt, und Registerkarten können nicht hinzugefügt oder entfernt werden, damit keine Registerkarte überschrieben wird oder verloren geht. Korrigieren Sie zuerst die Zahl in der Datei.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 is read-only for you, so Quorvel Manager shows the menu but does not change it.</source>
        <translation>%1 ist für Sie schreibgeschützt. Quorvel Manager zeigt das Menü daher an, ändert es aber nicht.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 may be written, but no new file can be made in its folder %2. Quorvel Manager saves each change as a new file put in place of the old one, so it shows the menu but does not change it.</source>
        <translation>%1 darf geändert werden, aber in seinem Ordner %2 kann keine neue Datei angelegt werden. Quorvel Manager speichert jede Änderung als neue Datei, die die alte ersetzt. Daher zeigt es das Menü an, ändert es aber nicht.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is not a plain file, so Quorvel Manager does not write to it.</source>
        <translation>%1 ist keine normale Datei. Quorvel Manager schreibt daher nicht hinein.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is a link to a file that does not exist, so Quorvel Manager does not write to it.</source>
        <translation>%1 ist ein Link auf eine Datei, die es nicht gibt. Quorvel Manager schreibt daher nicht hinein.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is a link to something that is not a plain file, so Quorvel Manager does not write to it.</source>
        <translation>%1 ist ein Link auf etwas, das keine normale Datei ist. Quorvel Manager schreibt daher nicht hinein.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is a link to a file of another user, so Quorvel Manager does not write to it.</source>
        <translation>%1 ist ein Link auf eine Datei eines anderen Benutzers. Quorvel Manager schreibt daher nicht hinein.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 does not read as a menu file, so Quorvel Manager does not write to it; the file was left as it was.</source>
        <translation>%1 lässt sich nicht als Menüdatei lesen. Quorvel Manager schreibt daher nicht hinein; die Datei blieb unverändert.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The menu was changed elsewhere since this page was shown, so nothing was done. The window now shows the menu as it is in the file.</source>
        <translation>Das Menü wurde an anderer Stelle geändert, seit diese Seite angezeigt wurde. Daher wurde nichts getan. Das Fenster zeigt jetzt das Menü so, wie es in der Datei steht.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The menu already holds %1 tabs, as many as the menu file can count.</source>
        <translation>Das Menü hat schon %1 Registerkarten, so viele, wie die Menüdatei zählen kann.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This tab already holds %1 buttons, as many as the menu file can count. Put the button on another tab.</source>
        <translation>Diese Registerkarte hat schon %1 Schaltflächen, so viele, wie die Menüdatei zählen kann. Legen Sie die Schaltfläche auf eine andere Registerkarte.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The name or text holds a line break or a character that %1 cannot hold, so it was not saved.</source>
        <translation>Der Name oder Text enthält einen Zeilenumbruch oder ein Zeichen, das %1 nicht speichern kann. Er wurde daher nicht gespeichert.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 is being changed by another editor at the moment, so this change was not saved. Try again in a moment.</source>
        <translation>%1 wird gerade in einem anderen Editor geändert. Diese Änderung wurde daher nicht gespeichert. Versuchen Sie es gleich noch einmal.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is larger than %2 MiB and is not read</source>
        <translation>%1 ist größer als %2 MiB und wird nicht gelesen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Too Large</source>
        <translation>Datei zu groß</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> could not be saved; the file was left as it was.</source>
        <translation> konnte nicht gespeichert werden; die Datei blieb unverändert.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File Not Saved</source>
        <translation>Datei nicht gespeichert</translation>
    </message>
    <message>
        <location filename="../teach/frmdrop.cpp" line="+74"/>
        <location line="+4"/>
        <source>Drop here...</source>
        <translation>Hier ablegen...</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Add from &amp;list...</source>
        <extracomment>Button; room for about 20 letters, a longer text is cut.</extracomment>
        <translatorcomment>Accelerator A: L is taken by &quot;&amp;Löschen&quot;.</translatorcomment>
        <translation>&amp;Aus Liste hinzufügen...</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Choose an installed application or a file for a new button</source>
        <translation>Ein installiertes Programm oder eine Datei für eine neue Schaltfläche wählen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>New Button</source>
        <translation>Neue Schaltfläche</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Tab:</source>
        <extracomment>Label of the tab caption box (&quot;tab&quot; as in a tab of the menu); room for about 4 letters.</extracomment>
        <translatorcomment>Kept as &quot;Tab&quot;: the label is 25 px wide; &quot;Registerkarte&quot; would be cut off. The caption box next to it says &quot;Name der Registerkarte&quot;.</translatorcomment>
        <translation>Tab:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Target:</source>
        <extracomment>Label: the file or program a new button starts; room for about 7 letters.</extracomment>
        <translation>Ziel:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Caption:</source>
        <extracomment>Label: the text on a new button; room for about 8 letters.</extracomment>
        <translatorcomment>Shortened: &quot;Beschriftung&quot; does not fit the 49 px label; &quot;Name&quot; is used for a caption throughout the editor.</translatorcomment>
        <translation>Name:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hint:</source>
        <extracomment>Label: the tooltip of a new button; room for about 7 letters.</extracomment>
        <translatorcomment>Shortened: &quot;Hinweis&quot; does not fit the 41 px label.</translatorcomment>
        <translation>Tipp:</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Caption</source>
        <translatorcomment>Same word as the label &quot;Name:&quot;.</translatorcomment>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hint</source>
        <translatorcomment>Same word as the label &quot;Tipp:&quot;.</translatorcomment>
        <translation>Tipp</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Tab Caption</source>
        <translation>Name der Registerkarte</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Tab</source>
        <extracomment>Noun: a tab of the menu (for screen readers).</extracomment>
        <translation>Registerkarte</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Add</source>
        <extracomment>Button: adds a tab; room for about 7 letters.</extracomment>
        <translatorcomment>Shortened: &quot;Hinzufügen&quot; does not fit the 49 px button; it adds a new tab.</translatorcomment>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Remove</source>
        <extracomment>Button: removes the tab shown; room for about 7 letters.</extracomment>
        <translatorcomment>&quot;Entfernen&quot; does not fit the 49 px button; removing a tab also deletes its buttons from the file.</translatorcomment>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Add Button</source>
        <extracomment>Button: adds the new button to the tab; room for about 11 letters.</extracomment>
        <translatorcomment>Shortened: &quot;Schaltfläche hinzufügen&quot; does not fit the 73 px button; it stands in the frame &quot;Neue Schaltfläche&quot;.</translatorcomment>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Edit Button</source>
        <translation>Schaltfläche bearbeiten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Test Button</source>
        <translation>Schaltfläche testen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Button</source>
        <translation>Schaltfläche löschen</translation>
    </message>
    <message>
        <location line="+121"/>
        <source>adding a button</source>
        <translation>das Hinzufügen einer Schaltfläche</translation>
    </message>
    <message>
        <location line="+116"/>
        <source> (read-only)</source>
        <translation> (schreibgeschützt)</translation>
    </message>
    <message>
        <location filename="../teach/frmdrop_edit.cpp" line="+31"/>
        <source>That item cannot be used!</source>
        <translation>Dieses Element kann nicht verwendet werden!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Click here to launch </source>
        <extracomment>Followed by the button&apos;s caption (keep the space).</extracomment>
        <translation>Ein Klick hier startet </translation>
    </message>
    <message>
        <location line="+15"/>
        <source>adding a tab</source>
        <translation>das Hinzufügen einer Registerkarte</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>removing a tab</source>
        <translation>das Entfernen einer Registerkarte</translation>
    </message>
    <message>
        <location line="+61"/>
        <source> (already on this tab)</source>
        <translation> (schon auf dieser Registerkarte)</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>There is no tab to put the button on. Add a tab first, then add the button.</source>
        <translation>Es gibt keine Registerkarte für die Schaltfläche. Fügen Sie zuerst eine Registerkarte hinzu, dann die Schaltfläche.</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>deleting a button</source>
        <translation>das Löschen einer Schaltfläche</translation>
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
        <translation>Zauberer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Animate Character</source>
        <translation>Figur bewegen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hide Oracle</source>
        <translation>Orakel verstecken</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Drop here...</source>
        <extracomment>In a small square: two short lines of about 8 letters each.</extracomment>
        <translation>Hier ablegen...</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Hold to talk</source>
        <extracomment>Button held down while speaking; room for about 20 letters.</extracomment>
        <translation>Halten und sprechen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Spoken commands are heard while this button or Space is held down</source>
        <translation>Sprachbefehle werden gehört, solange diese Schaltfläche oder die Leertaste gedrückt ist</translation>
    </message>
    <message>
        <location line="+124"/>
        <source>Welcome </source>
        <extracomment>Said by the character at start, followed by the pupil&apos;s name (keep the space).</extracomment>
        <translation>Willkommen </translation>
    </message>
    <message>
        <location line="+109"/>
        <source>That item cannot be used!</source>
        <translation>Dieses Element kann nicht verwendet werden!</translation>
    </message>
    <message>
        <location filename="../student/frmstudent_speech.cpp" line="+33"/>
        <source>Start Recognition</source>
        <extracomment>Button and menu item; room for about 18 letters on the button.</extracomment>
        <translatorcomment>Shortened from &quot;Spracherkennung starten&quot; for the fixed-size button.</translatorcomment>
        <translation>Erkennung starten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop Recognition</source>
        <translatorcomment>Shortened from &quot;Spracherkennung beenden&quot; for the fixed-size button.</translatorcomment>
        <translation>Erkennung beenden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Current loaded Grammar: ordergrammar.xml</source>
        <extracomment>Beside the recognizer list, seen only in a widened window. The file name stays as it is.</extracomment>
        <translation>Geladene Grammatik: ordergrammar.xml</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Current loaded Grammar: None</source>
        <translation>Geladene Grammatik: keine</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Command Unknown</source>
        <translation>Befehl unbekannt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Button not loaded</source>
        <translation>Schaltfläche nicht vorhanden</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Microphone too loud - turn it down</source>
        <translation>Mikrofon zu laut - bitte leiser stellen</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The choice could not be saved in %1; it holds until Quorvel Student is closed.</source>
        <translation>Die Auswahl konnte nicht in %1 gespeichert werden; sie gilt, bis Quorvel Student geschlossen wird.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Error-No.: %1
%2</source>
        <translation>Fehler-Nr.: %1
%2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Speech</source>
        <translatorcomment>&quot;Sprechen&quot; rather than &quot;Sprache&quot;, which also means language; keeps Alt+S.</translatorcomment>
        <translation>&amp;Sprechen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Recognizer</source>
        <translation>Spracherkenner</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Push to talk (hold Space)</source>
        <translatorcomment>&quot;Sprechtaste&quot; is the usual German word for push to talk.</translatorcomment>
        <translation>Sprechtaste (Leertaste halten)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Learn my voice...</source>
        <translation>Meine Stimme lernen...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Forget my voice</source>
        <translation>Meine Stimme vergessen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Spoken commands are in English: &quot;button one&quot; to &quot;button ten&quot;.</source>
        <translation>Sprachbefehle sind auf Englisch: „button one“ bis „button ten“.</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>No audio input device was found. Spoken commands are off.</source>
        <translation>Es wurde kein Mikrofon gefunden. Die Sprachbefehle sind ausgeschaltet.</translation>
    </message>
    <message>
        <location line="+119"/>
        <source>No speech recognizer can be used on this computer (none is installed, or each one&apos;s model is damaged). Spoken commands are off; the buttons work as before.</source>
        <translation>Auf diesem Computer kann kein Spracherkenner benutzt werden (keiner ist installiert, oder das Modell jedes Spracherkenners ist beschädigt). Die Sprachbefehle sind ausgeschaltet; die Schaltflächen funktionieren wie bisher.</translation>
    </message>
</context>
<context>
    <name>frmvoice</name>
    <message>
        <location filename="../student/frmvoice.cpp" line="+11"/>
        <source>Learn my voice</source>
        <translation>Meine Stimme lernen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Say each command when you are asked, in your own voice, as you would in class.</source>
        <translation>Sag jeden Befehl, wenn du danach gefragt wirst, mit deiner eigenen Stimme, so wie im Unterricht.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Say &quot;%1&quot;</source>
        <extracomment>%1 is a spoken command; commands stay English, whatever the language.</extracomment>
        <translation>Sag „%1“</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Command %1 of %2</source>
        <translation>Befehl %1 von %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Nothing was heard. Say it again, a little louder.</source>
        <translation>Es war nichts zu hören. Sag es noch einmal, etwas lauter.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard: %1</source>
        <translation>Gehört: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Thank you!</source>
        <translation>Danke!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Learning your voice, one moment please...</source>
        <translation>Deine Stimme wird gelernt, einen Moment bitte...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Your voice could not be learnt. Try again later.</source>
        <translation>Deine Stimme konnte nicht gelernt werden. Versuch es später noch einmal.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Of your %1 commands, %2 were heard right before and %3 are now.</source>
        <translation>Von deinen %1 Befehlen wurden vorher %2 richtig gehört, jetzt sind es %3.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Your voice is kept for you on this computer.</source>
        <translation>Deine Stimme wird für dich auf diesem Computer gespeichert.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>modini</name>
    <message>
        <location filename="../common/modini.cpp" line="+23"/>
        <source><byte value="xd"/>
Verify spelling and capitilization is correct.  Case-sensative.</source>
        <translation><byte value="xd"/>
Prüfen Sie, ob Schreibweise und Groß-/Kleinschreibung stimmen.  Groß-/Kleinschreibung wird unterschieden.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 not found.</source>
        <translation>%1 nicht gefunden.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File Not Found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is larger than %2 MiB and is not read</source>
        <translation>%1 ist größer als %2 MiB und wird nicht gelesen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Too Large</source>
        <translation>Datei zu groß</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>The name or text holds a line break or a character that %1 cannot hold, so it was not saved. ~(%2)</source>
        <translation>Der Name oder Text enthält einen Zeilenumbruch oder ein Zeichen, das %1 nicht speichern kann. Er wurde daher nicht gespeichert. ~(%2)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Not Saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 could not be saved; the file was left as it was. ~(%2)</source>
        <translation>%1 konnte nicht gespeichert werden; die Datei blieb unverändert. ~(%2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Not Saved</source>
        <translation>Datei nicht gespeichert</translation>
    </message>
    <message>
        <location line="+244"/>
        <source>Section, %1, Not Found. ~(%2)</source>
        <translation>Abschnitt %1 nicht gefunden. ~(%2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Section Not Found.</source>
        <translation>Abschnitt nicht gefunden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Key, %1, Not Found. ~(RenameKey)</source>
        <translation>Schlüssel %1 nicht gefunden. ~(RenameKey)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Key Not Found.</source>
        <translation>Schlüssel nicht gefunden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 allready exists in the section, %2.  ~(RenameKey)</source>
        <translation>%1 existiert bereits im Abschnitt %2.  ~(RenameKey)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Duplicate Key.</source>
        <translation>Doppelter Schlüssel.</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>%1 allready exists.  ~(RenameSection)</source>
        <translation>%1 existiert bereits.  ~(RenameSection)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duplicate Section</source>
        <translation>Doppelter Abschnitt</translation>
    </message>
</context>
<context>
    <name>qv::ListeningBadge</name>
    <message>
        <location filename="../student/listeningbadge.cpp" line="+32"/>
        <source>Not listening</source>
        <extracomment>The listening badge: room for about 22 letters, a longer text is cut.</extracomment>
        <translation>Hört nicht zu</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Listening</source>
        <translation>Hört zu</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Hold Space to talk</source>
        <translatorcomment>Shortened: &quot;Zum Sprechen Leertaste halten&quot; is wider than the badge&apos;s 176 px; the button beside it says &quot;Halten und sprechen&quot;.</translatorcomment>
        <translation>Halte die Leertaste</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard: %1</source>
        <translation>Gehört: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not understood</source>
        <translation>Nicht verstanden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard nothing</source>
        <translation>Nichts gehört</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Spoken commands: </source>
        <translation>Sprachbefehle: </translation>
    </message>
</context>
<context>
    <name>qv::MenuFollower</name>
    <message>
        <location filename="../student/menufollower.cpp" line="+13"/>
        <source>Error in INI file : File Not Found</source>
        <translation>Fehler in der Menüdatei: Datei nicht gefunden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Error in INI file : No Tabs Found</source>
        <translation>Fehler in der Menüdatei: keine Registerkarten gefunden</translation>
    </message>
</context>
<context>
    <name>qv::MenuLayout</name>
    <message>
        <location filename="../common/menulayout.cpp" line="+61"/>
        <source>Button %1 of tab %2 is not started: the item stored for it in %3 is longer than the 254 characters that can be read back, or holds a NUL character, so what was read may name another program:<byte value="xd"/>
%4<byte value="xd"/>
Store the item again with a shorter path.</source>
        <translation>Schaltfläche %1 der Registerkarte %2 wird nicht gestartet: Das dafür in %3 gespeicherte Element ist länger als die 254 Zeichen, die zurückgelesen werden können, oder enthält ein NUL-Zeichen. Das Gelesene könnte daher ein anderes Programm bezeichnen:<byte value="xd"/>
%4<byte value="xd"/>
Speichern Sie das Element erneut mit einem kürzeren Pfad.</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>The number of buttons of this tab cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.</source>
        <translation>Die Anzahl der Schaltflächen dieser Registerkarte kann nicht gelesen werden: [%1] in %2 enthält „%3“ unter „%4“, und das ist keine Zahl von 0 bis 32767.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The buttons stored under it are shown up to the first missing one.</source>
        <translation>Die darunter gespeicherten Schaltflächen werden bis zur ersten fehlenden angezeigt.</translation>
    </message>
</context>
<context>
    <name>qv::Startup</name>
    <message>
        <location filename="../platform/session/startup.cpp" line="-19"/>
        <source>Free software under the GNU General Public License, version 3 or later; it comes with no warranty.</source>
        <translation>Freie Software unter der GNU General Public License, Version 3 oder später; ohne jede Gewährleistung.</translation>
    </message>
</context>
<context>
    <name>qv::TabStrip</name>
    <message>
        <location filename="../common/ui/tabstrip.cpp" line="+34"/>
        <source>Earlier tabs</source>
        <translation>Vorherige Registerkarten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Later tabs</source>
        <translation>Weitere Registerkarten</translation>
    </message>
</context>
<context>
    <name>qv::character::SpeechBalloon</name>
    <message>
        <location filename="../character/window.cpp" line="+167"/>
        <source>Merlin says</source>
        <translation>Merlin sagt</translation>
    </message>
</context>
</TS>
