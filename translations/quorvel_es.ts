<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>DesktopEntry</name>
    <message>
        <location filename="../platform/desktopentry/desktopentry_glib.cpp" line="+79"/>
        <source>it has no [Desktop Entry] group</source>
        <translation>no tiene ningún grupo [Desktop Entry]</translation>
    </message>
    <message>
        <location line="+130"/>
        <source>&quot;%1&quot; cannot be started: %2</source>
        <translation>No se puede abrir &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <location line="+116"/>
        <source>its desktop entry is marked as hidden.</source>
        <translation>su entrada de escritorio está marcada como oculta.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its desktop entry is marked not to be shown in menus.</source>
        <translation>su entrada de escritorio está marcada para no mostrarse en los menús.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its desktop entry names no address.</source>
        <translation>su entrada de escritorio no indica ninguna dirección.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>it is a desktop entry without a type, and only applications and links can be started.</source>
        <translation>es una entrada de escritorio sin tipo, y solo se pueden abrir aplicaciones y enlaces.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a desktop entry of type &quot;%1&quot;, and only applications and links can be started.</source>
        <translation>es una entrada de escritorio de tipo &quot;%1&quot;, y solo se pueden abrir aplicaciones y enlaces.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its desktop entry names no program.</source>
        <translation>su entrada de escritorio no indica ningún programa.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the command of its desktop entry cannot be read.</source>
        <translation>la orden de su entrada de escritorio no se puede leer.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the command of its desktop entry puts %1 inside quotes (or a comment), which desktop entries must not do: a file or folder name in its place could run as a command.</source>
        <translation>la orden de su entrada de escritorio pone %1 entre comillas (o en un comentario), algo que las entradas de escritorio no deben hacer: un nombre de archivo o de carpeta en su lugar podría ejecutarse como orden.</translation>
    </message>
    <message>
        <location line="+271"/>
        <source>it is not a readable desktop entry (%1).</source>
        <translation>no es una entrada de escritorio legible (%1).</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+8"/>
        <source>the program &quot;%1&quot; is not installed.</source>
        <translation>el programa &quot;%1&quot; no está instalado.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>its desktop entry is not usable.</source>
        <translation>su entrada de escritorio no se puede usar.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot; could not be started: %2</source>
        <translation>No se pudo abrir &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>it is not a program file that can be run.</source>
        <translation>no es un archivo de programa que se pueda ejecutar.</translation>
    </message>
</context>
<context>
    <name>Programs</name>
    <message>
        <location filename="../student/mMain.cpp" line="+28"/>
        <source>quorvel-student: --push-to-talk takes on or off
</source>
        <translation>quorvel-student: --push-to-talk admite on u off
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>quorvel-student: the choice could not be saved in %1
</source>
        <translation>quorvel-student: no se pudo guardar la elección en %1
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Push to talk is %1 (saved in %2).
</source>
        <extracomment>%1 is the option&apos;s value as typed, on or off.</extracomment>
        <translation>Pulsar para hablar: %1 (guardado en %2).
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
        <translation>El lanzador de un menú de Quorvel para el alumnado.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Store whether spoken commands are heard only while Space or the Hold to talk button is held, and exit.</source>
        <translation>Guarda si las órdenes de voz se oyen solo mientras se mantiene pulsado Espacio o el botón Mantén para hablar, y sale.</translation>
    </message>
    <message>
        <location filename="../teach/mMain.cpp" line="+19"/>
        <source>Quorvel Manager</source>
        <translation>Quorvel Manager</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The teacher&apos;s editor of a Quorvel menu.</source>
        <translation>El editor de un menú de Quorvel para el profesorado.</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <location filename="../platform/files/regularfile.cpp" line="+121"/>
        <source>the file does not exist</source>
        <translation>el archivo no existe</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is no regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the file cannot be read</source>
        <translation>el archivo no se puede leer</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the file is too large</source>
        <translation>el archivo es demasiado grande</translation>
    </message>
</context>
<context>
    <name>ShrtcutPath</name>
    <message>
        <location filename="../common/ShrtcutPath.cpp" line="+22"/>
        <source>This shortcut does not contain a path.</source>
        <translation>Este acceso directo no contiene ninguna ruta.</translation>
    </message>
</context>
<context>
    <name>SpeechModel</name>
    <message>
        <location filename="../platform/recognizer/modelcheck.cpp" line="+542"/>
        <source>%1 cannot be read</source>
        <translation>%1 no se puede leer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 is missing</source>
        <translation>Falta %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is too large for a model file</source>
        <translation>%1 es demasiado grande para un archivo de modelo</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 is damaged: %2</source>
        <translation>%1 está dañado: %2</translation>
    </message>
    <message>
        <location line="-465"/>
        <location line="+258"/>
        <location line="+9"/>
        <location line="+8"/>
        <source>its header is damaged</source>
        <translation>su cabecera está dañada</translation>
    </message>
    <message>
        <location line="-251"/>
        <location line="+108"/>
        <location line="+81"/>
        <location line="+72"/>
        <source>its counts are out of range</source>
        <translation>sus recuentos están fuera de rango</translation>
    </message>
    <message>
        <location line="-254"/>
        <source>its phone names are cut short</source>
        <translation>sus nombres de fonemas están cortados</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+124"/>
        <location line="+79"/>
        <source>it is cut short</source>
        <translation>está cortado</translation>
    </message>
    <message>
        <location line="-198"/>
        <source>its state sequences are damaged</source>
        <translation>sus secuencias de estados están dañadas</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>its context tree points outside it</source>
        <translation>su árbol de contextos apunta fuera de él</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>a phone points outside the model</source>
        <translation>un fonema apunta fuera del modelo</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+84"/>
        <source>a state points outside the model</source>
        <translation>un estado apunta fuera del modelo</translation>
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
        <translation>no encaja con los demás archivos del modelo</translation>
    </message>
    <message>
        <location line="-301"/>
        <source>its version is not 0.3</source>
        <translation>su versión no es 0.3</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>its counts are damaged</source>
        <translation>sus recuentos están dañados</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+6"/>
        <location line="+8"/>
        <source>a phone&apos;s line is damaged</source>
        <translation>la línea de un fonema está dañada</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>it has no model file header</source>
        <translation>no tiene cabecera de archivo de modelo</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+72"/>
        <source>it is cut short or too long</source>
        <translation>está cortado o es demasiado largo</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>it is no text of settings</source>
        <translation>no es un texto de ajustes</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>a line is not &quot;-name value&quot;</source>
        <translation>una línea no tiene la forma &quot;-name value&quot;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is no number</source>
        <translation>%1 no es un número</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>-svspec is damaged</source>
        <translation>-svspec está dañado</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>it is no text</source>
        <translation>no es texto</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>line %1 is not a word and its phones</source>
        <translation>la línea %1 no es una palabra con sus fonemas</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>it is no file of a model</source>
        <translation>no es un archivo de modelo</translation>
    </message>
</context>
<context>
    <name>StartAnnouncer</name>
    <message>
        <location filename="../student/startannouncer.cpp" line="+65"/>
        <source>Starting </source>
        <extracomment>Said by the character before the name of what is started (keep the space).</extracomment>
        <translation>Abriendo </translation>
    </message>
    <message>
        <location line="+2"/>
        <source> could not be started</source>
        <translation> no se pudo abrir</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <location filename="../platform/session/startup.cpp" line="+172"/>
        <source>The line menu[%1] in %2 names no absolute path; it was not used.</source>
        <translation>La línea menu[%1] de %2 no indica ninguna ruta absoluta; no se ha usado.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>the --menu option</source>
        <translation>la opción --menu</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the qv.ini beside the program</source>
        <translation>el qv.ini junto al programa</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the QV_MENU environment variable</source>
        <translation>la variable de entorno QV_MENU</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the user&apos;s own config folder (no other setting applies)</source>
        <translation>la carpeta de configuración propia del usuario (no se aplica ningún otro ajuste)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the line menu[%1] in %2 (you are in group %1)</source>
        <translation>la línea menu[%1] de %2 (usted está en el grupo %1)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the line &quot;menu =&quot; in %1 (no line menu[GROUP] there names a group of yours)</source>
        <translation>la línea &quot;menu =&quot; de %1 (allí ninguna línea menu[GROUP] indica un grupo suyo)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The folder %1 named by %2 does not exist: is the share mounted?</source>
        <translation>La carpeta %1 indicada por %2 no existe: ¿está montada la carpeta compartida?</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Show this help and the menu file in use.</source>
        <translation>Muestra esta ayuda y el archivo de menú en uso.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show the version.</source>
        <translation>Muestra la versión.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Use the menu file PATH when it ends in .ini, otherwise the qv.ini in the folder PATH.</source>
        <translation>Usa el archivo de menú PATH si termina en .ini; si no, el qv.ini de la carpeta PATH.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>expects no arguments but --menu PATH</source>
        <translation>no admite argumentos salvo --menu PATH</translation>
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
El archivo de menú es el primero de: --menu; un qv.ini junto al programa; QV_MENU;
la línea &quot;menu[GROUP] = PATH&quot; de %1 del primero de sus
grupos que tenga una; si no, su línea &quot;menu = PATH&quot;;
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
Archivo de menú: %1
  elegido por: %2
Carpeta de datos: %3
</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  note: %1
</source>
        <translation>  nota: %1
</translation>
    </message>
    <message>
        <location line="+31"/>
        <location line="+7"/>
        <source>--menu needs a PATH</source>
        <translation>--menu necesita una ruta (PATH)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argumento inesperado &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 needs a value</source>
        <translation>%1 necesita un valor</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opción desconocida &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>%1: %2
Usage: %3
Try &apos;%1 --help&apos;.
</source>
        <translation>%1: %2
Uso: %3
Pruebe &apos;%1 --help&apos;.
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

Archivo de menú:
%3

Elegido por: %4.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>About </source>
        <translation>Acerca de </translation>
    </message>
</context>
<context>
    <name>Voice</name>
    <message>
        <location filename="../platform/voice/voice_espeak.cpp" line="+87"/>
        <source>en</source>
        <comment>The language code of this catalogue (de, fr, es): the character&apos;s voice</comment>
        <translation>es</translation>
    </message>
</context>
<context>
    <name>firstmenu</name>
    <message>
        <location filename="../teach/firstmenu.cpp" line="+47"/>
        <source>There is no menu at %1 yet.

Create one there now, with one tab and the two standard buttons?</source>
        <translation>Todavía no hay ningún menú en %1.

¿Quiere crear uno ahí ahora, con una pestaña y los dos botones estándar?</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>

This place is named by %1, so pupils whose Quorvel Student uses the same setting will see this menu.</source>
        <translation>

Este lugar lo indica %1, así que verán este menú los alumnos cuyo Quorvel Student use el mismo ajuste.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>

This folder belongs to your own account: pupils on other accounts will not see this menu. For a menu that all pupils see, name a shared folder in %1 or in QV_MENU.</source>
        <translation>

Esta carpeta pertenece a su propia cuenta: los alumnos de otras cuentas no verán este menú. Para un menú que vean todos los alumnos, indique una carpeta compartida en %1 o en QV_MENU.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>

This place is named by the --menu option: pupils will see this menu only where Quorvel Student is started with the same option.</source>
        <translation>

Este lugar lo indica la opción --menu: los alumnos solo verán este menú donde Quorvel Student se abra con la misma opción.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The starter menu %1 is missing or cannot be read, so no menu was made. Reinstall Quorvel, or make the menu by adding a tab.</source>
        <translation>El menú inicial %1 falta o no se puede leer, así que no se ha creado ningún menú. Vuelva a instalar Quorvel o cree el menú añadiendo una pestaña.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The folder %1 could not be made, so no menu was made there. You may not write there: ask whoever looks after the computers to make the folder or to let you write in it.</source>
        <translation>No se ha podido crear la carpeta %1, así que no se ha creado ningún menú ahí. Puede que usted no tenga permiso para escribir ahí: pida a quien se ocupe de los ordenadores que cree la carpeta o que le deje escribir en ella.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>You may not write in the folder %1, so no menu was made there. Ask whoever looks after the computers to make the menu or to let you write in the folder.</source>
        <translation>Usted no tiene permiso para escribir en la carpeta %1, así que no se ha creado ningún menú ahí. Pida a quien se ocupe de los ordenadores que cree el menú o que le deje escribir en la carpeta.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The menu %1 could not be made: %2.</source>
        <translation>No se ha podido crear el menú %1: %2.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Create Menu</source>
        <translation>&amp;Crear menú</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Not Now</source>
        <translation>&amp;Ahora no</translation>
    </message>
</context>
<context>
    <name>frmChoose</name>
    <message>
        <location filename="../teach/frmChoose.cpp" line="+26"/>
        <source>Other File</source>
        <translation>Otro archivo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All files (*);;Shortcuts (*.lnk);;Programs (*.exe);;Desktop entries (*.desktop)</source>
        <translation>Todos los archivos (*);;Accesos directos (*.lnk);;Programas (*.exe);;Entradas de escritorio (*.desktop)</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Add from List</source>
        <translation>Añadir de la lista</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Search:</source>
        <translation>&amp;Buscar:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Installed &amp;applications:</source>
        <translation>&amp;Aplicaciones instaladas:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Installed applications</source>
        <translation>Aplicaciones instaladas</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Choose</source>
        <translation>&amp;Elegir</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Other file...</source>
        <translation>&amp;Otro archivo...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>frmMigrate</name>
    <message>
        <location filename="../teach/frmMigrate.cpp" line="+12"/>
        <source>Migrating...</source>
        <translation>Migrando...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Migrating Kelbrin Local Applications...</source>
        <translation>Migrando las aplicaciones locales de Kelbrin...</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
</context>
<context>
    <name>frmdrop</name>
    <message>
        <location filename="../teach/editornotices.cpp" line="+26"/>
        <source>Quorvel Manger</source>
        <extracomment>The editor&apos;s title (its spelling is the program&apos;s own).</extracomment>
        <translation>Quorvel Manager</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The number of buttons of this tab cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.<byte value="xd"/>
So that no button is overwritten or lost, %5 is refused for this tab. Correct the number in the file first.</source>
        <translation>No se puede leer el número de botones de esta pestaña: [%1] en %2 contiene &quot;%3&quot; en &quot;%4&quot;, que no es un número de 0 a 32767.<byte value="xd"/>
Para que ningún botón se sobrescriba ni se pierda, no se permite %5 en esta pestaña. Corrija primero el número en el archivo.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The number of tabs cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.<byte value="xd"/>
No tab is shown, and adding or removing tabs is refused so that no tab is overwritten or lost. Correct the number in the file first.</source>
        <translation>No se puede leer el número de pestañas: [%1] en %2 contiene &quot;%3&quot; en &quot;%4&quot;, que no es un número de 0 a 32767.<byte value="xd"/>
No se muestra ninguna pestaña y no se permite añadir ni quitar pestañas, para que ninguna se sobrescriba ni se pierda. Corrija primero el número en el archivo.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 is read-only for you, so Quorvel Manager shows the menu but does not change it.</source>
        <translation>%1 es de solo lectura para usted, así que Quorvel Manager muestra el menú pero no lo cambia.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 may be written, but no new file can be made in its folder %2. Quorvel Manager saves each change as a new file put in place of the old one, so it shows the menu but does not change it.</source>
        <translation>%1 se puede escribir, pero en su carpeta %2 no se puede crear ningún archivo nuevo. Quorvel Manager guarda cada cambio como un archivo nuevo que sustituye al anterior, así que muestra el menú pero no lo cambia.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is not a plain file, so Quorvel Manager does not write to it.</source>
        <translation>%1 no es un archivo normal, así que Quorvel Manager no escribe en él.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is a link to a file that does not exist, so Quorvel Manager does not write to it.</source>
        <translation>%1 es un enlace a un archivo que no existe, así que Quorvel Manager no escribe en él.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is a link to something that is not a plain file, so Quorvel Manager does not write to it.</source>
        <translation>%1 es un enlace a algo que no es un archivo normal, así que Quorvel Manager no escribe en él.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is a link to a file of another user, so Quorvel Manager does not write to it.</source>
        <translation>%1 es un enlace a un archivo de otro usuario, así que Quorvel Manager no escribe en él.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 does not read as a menu file, so Quorvel Manager does not write to it; the file was left as it was.</source>
        <translation>%1 no se puede leer como archivo de menú, así que Quorvel Manager no escribe en él; el archivo se ha dejado como estaba.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The menu was changed elsewhere since this page was shown, so nothing was done. The window now shows the menu as it is in the file.</source>
        <translation>El menú se ha cambiado en otro sitio desde que se mostró esta página, así que no se ha hecho nada. Ahora la ventana muestra el menú tal como está en el archivo.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The menu already holds %1 tabs, as many as the menu file can count.</source>
        <translation>El menú ya tiene %1 pestañas, todas las que el archivo de menú puede contar.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This tab already holds %1 buttons, as many as the menu file can count. Put the button on another tab.</source>
        <translation>Esta pestaña ya tiene %1 botones, todos los que el archivo de menú puede contar. Ponga el botón en otra pestaña.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The name or text holds a line break or a character that %1 cannot hold, so it was not saved.</source>
        <translation>El nombre o el texto contiene un salto de línea o un carácter que %1 no puede guardar, así que no se ha guardado.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 is being changed by another editor at the moment, so this change was not saved. Try again in a moment.</source>
        <translation>Otro editor está cambiando %1 en este momento, así que este cambio no se ha guardado. Vuelva a intentarlo dentro de un momento.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is larger than %2 MiB and is not read</source>
        <translation>%1 ocupa más de %2 MiB y no se lee</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Too Large</source>
        <translation>Archivo demasiado grande</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> could not be saved; the file was left as it was.</source>
        <translation> no se ha podido guardar; el archivo se ha dejado como estaba.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File Not Saved</source>
        <translation>Archivo no guardado</translation>
    </message>
    <message>
        <location filename="../teach/frmdrop.cpp" line="+74"/>
        <location line="+4"/>
        <source>Drop here...</source>
        <translation>Suelte aquí...</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Add from &amp;list...</source>
        <extracomment>Button; room for about 20 letters, a longer text is cut.</extracomment>
        <translation>Añadir de la &amp;lista...</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Choose an installed application or a file for a new button</source>
        <translation>Elija una aplicación instalada o un archivo para un botón nuevo</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>New Button</source>
        <translation>Botón nuevo</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Tab:</source>
        <extracomment>Label of the tab caption box (&quot;tab&quot; as in a tab of the menu); room for about 4 letters.</extracomment>
        <translatorcomment>No Spanish word fits the 25 px label; the layout cuts it to &quot;Pe…&quot; with the full text in the tooltip.</translatorcomment>
        <translation>Pestaña:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Target:</source>
        <extracomment>Label: the file or program a new button starts; room for about 7 letters.</extracomment>
        <translatorcomment>Shortened on purpose: &quot;Destino:&quot; does not fit the 41 px label; the box shows the dropped path.</translatorcomment>
        <translation>Ruta:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Caption:</source>
        <extracomment>Label: the text on a new button; room for about 8 letters.</extracomment>
        <translatorcomment>Short on purpose: &quot;Título&quot; fits the 49 px label, &quot;Nombre&quot; barely does not.</translatorcomment>
        <translation>Título:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hint:</source>
        <extracomment>Label: the tooltip of a new button; room for about 7 letters.</extracomment>
        <translation>Ayuda:</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Target</source>
        <translatorcomment>Same word as the label &quot;Ruta:&quot;.</translatorcomment>
        <translation>Ruta</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Caption</source>
        <translation>Título</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hint</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Tab Caption</source>
        <translation>Título de pestaña</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Tab</source>
        <extracomment>Noun: a tab of the menu (for screen readers).</extracomment>
        <translation>Pestaña</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Add</source>
        <extracomment>Button: adds a tab; room for about 7 letters.</extracomment>
        <translation>&amp;Añadir</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Remove</source>
        <extracomment>Button: removes the tab shown; room for about 7 letters.</extracomment>
        <translation>&amp;Quitar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Add Button</source>
        <extracomment>Button: adds the new button to the tab; room for about 11 letters.</extracomment>
        <translatorcomment>Accelerator on b: &quot;&amp;Añadir&quot; of the tab line already takes A.</translatorcomment>
        <translation>Añadir &amp;botón</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Edit Button</source>
        <translation>Editar botón</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Test Button</source>
        <translation>Probar botón</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Button</source>
        <translation>Eliminar botón</translation>
    </message>
    <message>
        <location line="+121"/>
        <source>adding a button</source>
        <translation>añadir un botón</translation>
    </message>
    <message>
        <location line="+116"/>
        <source> (read-only)</source>
        <translation> (solo lectura)</translation>
    </message>
    <message>
        <location filename="../teach/frmdrop_edit.cpp" line="+31"/>
        <source>That item cannot be used!</source>
        <translation>¡Ese elemento no se puede usar!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Click here to launch </source>
        <extracomment>Followed by the button&apos;s caption (keep the space).</extracomment>
        <translation>Haz clic aquí para abrir </translation>
    </message>
    <message>
        <location line="+15"/>
        <source>adding a tab</source>
        <translation>añadir una pestaña</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>removing a tab</source>
        <translation>quitar una pestaña</translation>
    </message>
    <message>
        <location line="+61"/>
        <source> (already on this tab)</source>
        <translation> (ya está en esta pestaña)</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>There is no tab to put the button on. Add a tab first, then add the button.</source>
        <translation>No hay ninguna pestaña donde poner el botón. Añada primero una pestaña y después el botón.</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>deleting a button</source>
        <translation>eliminar un botón</translation>
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
        <translatorcomment>Read as the wizard character (its entries animate and hide it), not a setup assistant.</translatorcomment>
        <translation>Mago</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Animate Character</source>
        <translation>Animar personaje</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hide Oracle</source>
        <translation>Ocultar oráculo</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Drop here...</source>
        <extracomment>In a small square: two short lines of about 8 letters each.</extracomment>
        <translation>Suelta aquí...</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Hold to talk</source>
        <extracomment>Button held down while speaking; room for about 20 letters.</extracomment>
        <translatorcomment>Shortened on purpose: &quot;Mantén pulsado para hablar&quot; is wider than the button.</translatorcomment>
        <translation>Mantén para hablar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Spoken commands are heard while this button or Space is held down</source>
        <translation>Las órdenes de voz se oyen mientras mantienes pulsado este botón o la barra espaciadora</translation>
    </message>
    <message>
        <location line="+124"/>
        <source>Welcome </source>
        <extracomment>Said by the character at start, followed by the pupil&apos;s name (keep the space).</extracomment>
        <translation>Hola </translation>
    </message>
    <message>
        <location line="+109"/>
        <source>That item cannot be used!</source>
        <translation>¡Ese elemento no se puede usar!</translation>
    </message>
    <message>
        <location filename="../student/frmstudent_speech.cpp" line="+33"/>
        <source>Start Recognition</source>
        <extracomment>Button and menu item; room for about 18 letters on the button.</extracomment>
        <translation>Empezar a escuchar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop Recognition</source>
        <translation>Dejar de escuchar</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Current loaded Grammar: ordergrammar.xml</source>
        <extracomment>Beside the recognizer list, seen only in a widened window. The file name stays as it is.</extracomment>
        <translation>Gramática cargada: ordergrammar.xml</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Current loaded Grammar: None</source>
        <translation>Gramática cargada: ninguna</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Command Unknown</source>
        <translation>Orden desconocida</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Button not loaded</source>
        <translation>Ese botón no está</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Microphone too loud - turn it down</source>
        <translation>Micrófono demasiado alto: bájalo</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The choice could not be saved in %1; it holds until Quorvel Student is closed.</source>
        <translation>No se pudo guardar la elección en %1; vale hasta que se cierre Quorvel Student.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Error-No.: %1
%2</source>
        <translation>Error n.º: %1
%2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Speech</source>
        <translation>&amp;Voz</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Recognizer</source>
        <translation>Reconocedor</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Push to talk (hold Space)</source>
        <translation>Pulsar para hablar (mantén Espacio)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Learn my voice...</source>
        <translation>Aprender mi voz...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Forget my voice</source>
        <translation>Olvidar mi voz</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Spoken commands are in English: &quot;button one&quot; to &quot;button ten&quot;.</source>
        <translation>Las órdenes de voz están en inglés: «button one» a «button ten».</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>No audio input device was found. Spoken commands are off.</source>
        <translation>No se encontró ningún dispositivo de entrada de audio. Las órdenes de voz están desactivadas.</translation>
    </message>
    <message>
        <location line="+119"/>
        <source>No speech recognizer can be used on this computer (none is installed, or each one&apos;s model is damaged). Spoken commands are off; the buttons work as before.</source>
        <translation>En este ordenador no se puede usar ningún reconocedor de voz (no hay ninguno instalado o el modelo de cada uno está dañado). Las órdenes de voz están desactivadas; los botones funcionan como antes.</translation>
    </message>
</context>
<context>
    <name>frmvoice</name>
    <message>
        <location filename="../student/frmvoice.cpp" line="+11"/>
        <source>Learn my voice</source>
        <translation>Aprender mi voz</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Say each command when you are asked, in your own voice, as you would in class.</source>
        <translation>Di cada orden cuando se te pida, con tu propia voz, como en clase.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Say &quot;%1&quot;</source>
        <extracomment>%1 is a spoken command; commands stay English, whatever the language.</extracomment>
        <translation>Di &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Command %1 of %2</source>
        <translation>Orden %1 de %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Nothing was heard. Say it again, a little louder.</source>
        <translation>No se oyó nada. Dilo otra vez, un poco más alto.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard: %1</source>
        <translation>He oído: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Thank you!</source>
        <translation>¡Gracias!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Learning your voice, one moment please...</source>
        <translation>Aprendiendo tu voz, espera un momento...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Your voice could not be learnt. Try again later.</source>
        <translation>No se pudo aprender tu voz. Inténtalo más tarde.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Of your %1 commands, %2 were heard right before and %3 are now.</source>
        <translation>De tus %1 órdenes, antes se oían bien %2 y ahora %3.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Your voice is kept for you on this computer.</source>
        <translation>Tu voz se guarda para ti en este ordenador.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>modini</name>
    <message>
        <location filename="../common/modini.cpp" line="+23"/>
        <source><byte value="xd"/>
Verify spelling and capitilization is correct.  Case-sensative.</source>
        <translation><byte value="xd"/>
Compruebe la ortografía y las mayúsculas.  Se distinguen mayúsculas y minúsculas.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 not found.</source>
        <translation>No se encuentra %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File Not Found</source>
        <translation>Archivo no encontrado</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is larger than %2 MiB and is not read</source>
        <translation>%1 ocupa más de %2 MiB y no se lee</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Too Large</source>
        <translation>Archivo demasiado grande</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>The name or text holds a line break or a character that %1 cannot hold, so it was not saved. ~(%2)</source>
        <translation>El nombre o el texto contiene un salto de línea o un carácter que %1 no puede guardar, así que no se ha guardado. ~(%2)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Not Saved</source>
        <translation>No guardado</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 could not be saved; the file was left as it was. ~(%2)</source>
        <translation>No se ha podido guardar %1; el archivo se ha dejado como estaba. ~(%2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Not Saved</source>
        <translation>Archivo no guardado</translation>
    </message>
    <message>
        <location line="+244"/>
        <source>Section, %1, Not Found. ~(%2)</source>
        <translation>Sección, %1, no encontrada. ~(%2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Section Not Found.</source>
        <translation>Sección no encontrada.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Key, %1, Not Found. ~(RenameKey)</source>
        <translation>Clave, %1, no encontrada. ~(RenameKey)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Key Not Found.</source>
        <translation>Clave no encontrada.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 allready exists in the section, %2.  ~(RenameKey)</source>
        <translation>%1 ya existe en la sección, %2.  ~(RenameKey)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Duplicate Key.</source>
        <translation>Clave duplicada.</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>%1 allready exists.  ~(RenameSection)</source>
        <translation>%1 ya existe.  ~(RenameSection)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duplicate Section</source>
        <translation>Sección duplicada</translation>
    </message>
</context>
<context>
    <name>qv::ListeningBadge</name>
    <message>
        <location filename="../student/listeningbadge.cpp" line="+32"/>
        <source>Not listening</source>
        <extracomment>The listening badge: room for about 22 letters, a longer text is cut.</extracomment>
        <translation>Sin escuchar</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Listening</source>
        <translation>Escuchando</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Hold Space to talk</source>
        <translatorcomment>Shortened on purpose: &quot;Mantén Espacio para hablar&quot; (26 letters) would be at the edge of the badge.</translatorcomment>
        <translation>Mantén Espacio y habla</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard: %1</source>
        <translation>He oído: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not understood</source>
        <translation>No se entendió</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard nothing</source>
        <translation>No se oyó nada</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Spoken commands: </source>
        <translation>Órdenes de voz: </translation>
    </message>
</context>
<context>
    <name>qv::MenuFollower</name>
    <message>
        <location filename="../student/menufollower.cpp" line="+13"/>
        <source>Error in INI file : File Not Found</source>
        <translation>Error en el archivo de menú: archivo no encontrado</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Error in INI file : No Tabs Found</source>
        <translation>Error en el archivo de menú: no hay pestañas</translation>
    </message>
</context>
<context>
    <name>qv::MenuLayout</name>
    <message>
        <location filename="../common/menulayout.cpp" line="+61"/>
        <source>Button %1 of tab %2 is not started: the item stored for it in %3 is longer than the 254 characters that can be read back, or holds a NUL character, so what was read may name another program:<byte value="xd"/>
%4<byte value="xd"/>
Store the item again with a shorter path.</source>
        <translation>El botón %1 de la pestaña %2 no se abre: el elemento guardado para él en %3 tiene más de los 254 caracteres que se pueden volver a leer, o contiene un carácter NUL, así que lo leído puede indicar otro programa:<byte value="xd"/>
%4<byte value="xd"/>
Guarde el elemento otra vez con una ruta más corta.</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>The number of buttons of this tab cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.</source>
        <translation>No se puede leer el número de botones de esta pestaña: [%1] en %2 contiene &quot;%3&quot; en &quot;%4&quot;, que no es un número de 0 a 32767.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The buttons stored under it are shown up to the first missing one.</source>
        <translation>Se muestran los botones guardados en ella hasta el primero que falte.</translation>
    </message>
</context>
<context>
    <name>qv::Startup</name>
    <message>
        <location filename="../platform/session/startup.cpp" line="-19"/>
        <source>Free software under the GNU General Public License, version 3 or later; it comes with no warranty.</source>
        <translation>Software libre bajo la Licencia Pública General de GNU, versión 3 o posterior; se ofrece sin ninguna garantía.</translation>
    </message>
</context>
<context>
    <name>qv::TabStrip</name>
    <message>
        <location filename="../common/ui/tabstrip.cpp" line="+34"/>
        <source>Earlier tabs</source>
        <translation>Pestañas anteriores</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Later tabs</source>
        <translation>Pestañas siguientes</translation>
    </message>
</context>
<context>
    <name>qv::character::SpeechBalloon</name>
    <message>
        <location filename="../character/window.cpp" line="+167"/>
        <source>Merlin says</source>
        <translation>Merlin dice</translation>
    </message>
</context>
</TS>
