<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>DesktopEntry</name>
    <message>
        <location filename="../platform/desktopentry/desktopentry_glib.cpp" line="+79"/>
        <source>it has no [Desktop Entry] group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+130"/>
        <source>&quot;%1&quot; cannot be started: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+116"/>
        <source>its desktop entry is marked as hidden.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its desktop entry is marked not to be shown in menus.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its desktop entry names no address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>it is a desktop entry without a type, and only applications and links can be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a desktop entry of type &quot;%1&quot;, and only applications and links can be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its desktop entry names no program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the command of its desktop entry cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the command of its desktop entry puts %1 inside quotes (or a comment), which desktop entries must not do: a file or folder name in its place could run as a command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+271"/>
        <source>it is not a readable desktop entry (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+8"/>
        <source>the program &quot;%1&quot; is not installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>its desktop entry is not usable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot; could not be started: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>it is not a program file that can be run.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Programs</name>
    <message>
        <location filename="../student/mMain.cpp" line="+28"/>
        <source>quorvel-student: --push-to-talk takes on or off
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>quorvel-student: the choice could not be saved in %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Push to talk is %1 (saved in %2).
</source>
        <extracomment>%1 is the option&apos;s value as typed, on or off.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Quorvel Student</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The pupils&apos; launcher of a Quorvel menu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Store whether spoken commands are heard only while Space or the Hold to talk button is held, and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../teach/mMain.cpp" line="+19"/>
        <source>Quorvel Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The teacher&apos;s editor of a Quorvel menu.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <location filename="../platform/files/regularfile.cpp" line="+121"/>
        <source>the file does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is no regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the file cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the file is too large</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShrtcutPath</name>
    <message>
        <location filename="../common/ShrtcutPath.cpp" line="+22"/>
        <source>This shortcut does not contain a path.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpeechModel</name>
    <message>
        <location filename="../platform/recognizer/modelcheck.cpp" line="+510"/>
        <source>%1 cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is too large for a model file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 is damaged: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartAnnouncer</name>
    <message>
        <location filename="../student/startannouncer.cpp" line="+65"/>
        <source>Starting </source>
        <extracomment>Said by the character before the name of what is started (keep the space).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source> could not be started</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <location filename="../platform/session/startup.cpp" line="+172"/>
        <source>The line menu[%1] in %2 names no absolute path; it was not used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>the --menu option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the qv.ini beside the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the QV_MENU environment variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the user&apos;s own config folder (no other setting applies)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the line menu[%1] in %2 (you are in group %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the line &quot;menu =&quot; in %1 (no line menu[GROUP] there names a group of yours)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The folder %1 named by %2 does not exist: is the share mounted?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Show this help and the menu file in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show the version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Use the menu file PATH when it ends in .ini, otherwise the qv.ini in the folder PATH.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>expects no arguments but --menu PATH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <source>
The menu file is the first of: --menu; a qv.ini beside the program; QV_MENU;
the line &quot;menu[GROUP] = PATH&quot; in %1 of the first of your
groups that has one, else its line &quot;menu = PATH&quot;;
$XDG_CONFIG_HOME/quorvel/qv.ini.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>
Menu file: %1
  chosen by: %2
Data folder: %3
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  note: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <location line="+7"/>
        <source>--menu needs a PATH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>unknown option &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>%1: %2
Usage: %3
Try &apos;%1 --help&apos;.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1 %2
%5

Menu file:
%3

Chosen by: %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>About </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>firstmenu</name>
    <message>
        <location filename="../teach/firstmenu.cpp" line="+47"/>
        <source>There is no menu at %1 yet.

Create one there now, with one tab and the two standard buttons?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>

This place is named by %1, so pupils whose Quorvel Student uses the same setting will see this menu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>

This folder belongs to your own account: pupils on other accounts will not see this menu. For a menu that all pupils see, name a shared folder in %1 or in QV_MENU.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>

This place is named by the --menu option: pupils will see this menu only where Quorvel Student is started with the same option.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The starter menu %1 is missing or cannot be read, so no menu was made. Reinstall Quorvel, or make the menu by adding a tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The folder %1 could not be made, so no menu was made there. You may not write there: ask whoever looks after the computers to make the folder or to let you write in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>You may not write in the folder %1, so no menu was made there. Ask whoever looks after the computers to make the menu or to let you write in the folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The menu %1 could not be made: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Create Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Not Now</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmChoose</name>
    <message>
        <location filename="../teach/frmChoose.cpp" line="+26"/>
        <source>Other File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All files (*);;Shortcuts (*.lnk);;Programs (*.exe);;Desktop entries (*.desktop)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Add from List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Search:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Installed &amp;applications:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Installed applications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Choose</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Other file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmMigrate</name>
    <message>
        <location filename="../teach/frmMigrate.cpp" line="+12"/>
        <source>Migrating...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Migrating Kelbrin Local Applications...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmdrop</name>
    <message>
        <location filename="../teach/editornotices.cpp" line="+26"/>
        <source>Quorvel Manger</source>
        <extracomment>The editor&apos;s title (its spelling is the program&apos;s own).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The number of buttons of this tab cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.<byte value="xd"/>
So that no button is overwritten or lost, %5 is refused for this tab. Correct the number in the file first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The number of tabs cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.<byte value="xd"/>
No tab is shown, and adding or removing tabs is refused so that no tab is overwritten or lost. Correct the number in the file first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 is read-only for you, so Quorvel Manager shows the menu but does not change it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 may be written, but no new file can be made in its folder %2. Quorvel Manager saves each change as a new file put in place of the old one, so it shows the menu but does not change it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is not a plain file, so Quorvel Manager does not write to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is a link to a file that does not exist, so Quorvel Manager does not write to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is a link to something that is not a plain file, so Quorvel Manager does not write to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is a link to a file of another user, so Quorvel Manager does not write to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 does not read as a menu file, so Quorvel Manager does not write to it; the file was left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The menu was changed elsewhere since this page was shown, so nothing was done. The window now shows the menu as it is in the file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The menu already holds %1 tabs, as many as the menu file can count.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This tab already holds %1 buttons, as many as the menu file can count. Put the button on another tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The name or text holds a line break or a character that %1 cannot hold, so it was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 is being changed by another editor at the moment, so this change was not saved. Try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is larger than %2 MiB and is not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Too Large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source> could not be saved; the file was left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File Not Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../teach/frmdrop.cpp" line="+74"/>
        <location line="+4"/>
        <source>Drop here...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Add from &amp;list...</source>
        <extracomment>Button; room for about 20 letters, a longer text is cut.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Choose an installed application or a file for a new button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>New Button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Tab:</source>
        <extracomment>Label of the tab caption box (&quot;tab&quot; as in a tab of the menu); room for about 4 letters.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Target:</source>
        <extracomment>Label: the file or program a new button starts; room for about 7 letters.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Caption:</source>
        <extracomment>Label: the text on a new button; room for about 8 letters.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hint:</source>
        <extracomment>Label: the tooltip of a new button; room for about 7 letters.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Caption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Tab Caption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Tab</source>
        <extracomment>Noun: a tab of the menu (for screen readers).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Add</source>
        <extracomment>Button: adds a tab; room for about 7 letters.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Remove</source>
        <extracomment>Button: removes the tab shown; room for about 7 letters.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Add Button</source>
        <extracomment>Button: adds the new button to the tab; room for about 11 letters.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Edit Button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Test Button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+121"/>
        <source>adding a button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+116"/>
        <source> (read-only)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../teach/frmdrop_edit.cpp" line="+31"/>
        <source>That item cannot be used!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Click here to launch </source>
        <extracomment>Followed by the button&apos;s caption (keep the space).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>adding a tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>removing a tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+61"/>
        <source> (already on this tab)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>There is no tab to put the button on. Add a tab first, then add the button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+71"/>
        <source>deleting a button</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmstudent</name>
    <message>
        <location filename="../student/frmstudent.cpp" line="+88"/>
        <source>Quorvel Student</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Animate Character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hide Oracle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Drop here...</source>
        <extracomment>In a small square: two short lines of about 8 letters each.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Hold to talk</source>
        <extracomment>Button held down while speaking; room for about 20 letters.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Spoken commands are heard while this button or Space is held down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+124"/>
        <source>Welcome </source>
        <extracomment>Said by the character at start, followed by the pupil&apos;s name (keep the space).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+109"/>
        <source>That item cannot be used!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../student/frmstudent_speech.cpp" line="+33"/>
        <source>Start Recognition</source>
        <extracomment>Button and menu item; room for about 18 letters on the button.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop Recognition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Current loaded Grammar: ordergrammar.xml</source>
        <extracomment>Beside the recognizer list, seen only in a widened window. The file name stays as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Current loaded Grammar: None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Command Unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Button not loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Microphone too loud - turn it down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The choice could not be saved in %1; it holds until Quorvel Student is closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Error-No.: %1
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Speech</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Recognizer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Push to talk (hold Space)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Learn my voice...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Forget my voice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+76"/>
        <source>No audio input device was found. Spoken commands are off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+119"/>
        <source>No speech recognizer can be used on this computer (none is installed, or each one&apos;s model is damaged). Spoken commands are off; the buttons work as before.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmvoice</name>
    <message>
        <location filename="../student/frmvoice.cpp" line="+11"/>
        <source>Learn my voice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Say each command when you are asked, in your own voice, as you would in class.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Say &quot;%1&quot;</source>
        <extracomment>%1 is a spoken command; commands stay English, whatever the language.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Command %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Nothing was heard. Say it again, a little louder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Thank you!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Learning your voice, one moment please...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Your voice could not be learnt. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Of your %1 commands, %2 were heard right before and %3 are now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Your voice is kept for you on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>modini</name>
    <message>
        <location filename="../common/modini.cpp" line="+23"/>
        <source><byte value="xd"/>
Verify spelling and capitilization is correct.  Case-sensative.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is larger than %2 MiB and is not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Too Large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+69"/>
        <source>The name or text holds a line break or a character that %1 cannot hold, so it was not saved. ~(%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Not Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 could not be saved; the file was left as it was. ~(%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Not Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+244"/>
        <source>Section, %1, Not Found. ~(%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Section Not Found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Key, %1, Not Found. ~(RenameKey)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Key Not Found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 allready exists in the section, %2.  ~(RenameKey)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Duplicate Key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+82"/>
        <source>%1 allready exists.  ~(RenameSection)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duplicate Section</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv</name>
    <message>
        <location filename="../platform/recognizer/modelcheck.cpp" line="-430"/>
        <location line="+237"/>
        <location line="+8"/>
        <location line="+7"/>
        <source>its header is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-229"/>
        <location line="+100"/>
        <location line="+73"/>
        <location line="+65"/>
        <source>its counts are out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-231"/>
        <source>its phone names are cut short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+112"/>
        <location line="+73"/>
        <source>it is cut short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-181"/>
        <source>its state sequences are damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>its context tree points outside it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>a phone points outside the model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+76"/>
        <source>a state points outside the model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-70"/>
        <location line="+80"/>
        <location line="+54"/>
        <location line="+5"/>
        <location line="+51"/>
        <location line="+37"/>
        <location line="+66"/>
        <location line="+14"/>
        <source>it does not fit the other model files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-275"/>
        <source>its version is not 0.3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its counts are damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+5"/>
        <location line="+7"/>
        <source>a phone&apos;s line is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+43"/>
        <source>it has no model file header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+65"/>
        <source>it is cut short or too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>it is no text of settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>a line is not &quot;-name value&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is no number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>-svspec is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>it is no text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>line %1 is not a word and its phones</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>it is no file of a model</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::ListeningBadge</name>
    <message>
        <location filename="../student/listeningbadge.cpp" line="+32"/>
        <source>Not listening</source>
        <extracomment>The listening badge: room for about 22 letters, a longer text is cut.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Listening</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Hold Space to talk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not understood</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard nothing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Spoken commands: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::MenuLayout</name>
    <message>
        <location filename="../common/menulayout.cpp" line="+61"/>
        <source>Button %1 of tab %2 is not started: the item stored for it in %3 is longer than the 254 characters that can be read back, or holds a NUL character, so what was read may name another program:<byte value="xd"/>
%4<byte value="xd"/>
Store the item again with a shorter path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>The number of buttons of this tab cannot be read: [%1] in %2 holds &quot;%3&quot; under &quot;%4&quot;, which is not a number from 0 to 32767.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The buttons stored under it are shown up to the first missing one.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::Startup</name>
    <message>
        <location filename="../platform/session/startup.cpp" line="-19"/>
        <source>Free software under the GNU General Public License, version 3 or later; it comes with no warranty.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::TabStrip</name>
    <message>
        <location filename="../common/ui/tabstrip.cpp" line="+34"/>
        <source>Earlier tabs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Later tabs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::character::SpeechBalloon</name>
    <message>
        <location filename="../character/window.cpp" line="+167"/>
        <source>Merlin says</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
