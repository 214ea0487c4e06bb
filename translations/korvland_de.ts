<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>korvland::BackgroundCalibrationDialog</name>
    <message>
        <source>Background Picture</source>
        <translation>Hintergrundbild</translation>
    </message>
    <message>
        <source>Pick a landmark, then click where it lies on the picture. Do so for two landmarks far apart: the picture is then scaled and moved to fit both.</source>
        <translation>Wählen Sie eine Landmarke und klicken Sie dann auf die Stelle des Bildes, an der sie liegt. Tun Sie das für zwei weit auseinanderliegende Landmarken: Das Bild wird dann so skaliert und verschoben, dass es zu beiden passt.</translation>
    </message>
    <message>
        <source>%1 (identifier %2)</source>
        <extracomment>A landmark to anchor the picture by: %1 its name, %2 its identifier.</extracomment>
        <translation>%1 (Kennung %2)</translation>
    </message>
    <message>
        <source>Anchor %1: %2 at %3, %4</source>
        <extracomment>%1 is 1 or 2, %2 the landmark, %3 and %4 the picture&apos;s pixel.</extracomment>
        <translation>Anker %1: %2 bei %3, %4</translation>
    </message>
    <message>
        <source>Anchor %1: not set</source>
        <translation>Anker %1: nicht gesetzt</translation>
    </message>
</context>
<context>
    <name>korvland::BackgroundFit</name>
    <message>
        <source>No landmark has the identifier %1</source>
        <translation>Keine Landmarke hat die Kennung %1</translation>
    </message>
    <message>
        <source>The two anchors name the same landmark</source>
        <translation>Die beiden Anker nennen dieselbe Landmarke</translation>
    </message>
    <message>
        <source>The two anchors must lie apart both across and down the picture</source>
        <translation>Die beiden Anker müssen im Bild waagerecht und senkrecht auseinanderliegen</translation>
    </message>
    <message>
        <source>The two anchors&apos; landmarks must lie apart both across and down the map</source>
        <translation>Die Landmarken der beiden Anker müssen auf der Karte waagerecht und senkrecht auseinanderliegen</translation>
    </message>
    <message>
        <source>The anchors would show the picture mirrored: on the picture they must lie to each other as their landmarks do on the map</source>
        <translation>Die Anker würden das Bild gespiegelt zeigen: Im Bild müssen sie so zueinander liegen wie ihre Landmarken auf der Karte</translation>
    </message>
</context>
<context>
    <name>korvland::ConflictChoice</name>
    <message>
        <source>name</source>
        <extracomment>A field changed both on disk and by the operator.</extracomment>
        <translation>Name</translation>
    </message>
    <message>
        <source>type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>sub-type</source>
        <translation>Untertyp</translation>
    </message>
    <message>
        <source>side</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>switched on or off</source>
        <translation>ein- oder ausgeschaltet</translation>
    </message>
    <message numerus="yes">
        <source>Another program changed %n landmark(s) where your unsaved changes change the same fields. Keep which?</source>
        <translation>
            <numerusform>Ein anderes Programm hat %n Landmarke in denselben Feldern geändert wie Ihre ungespeicherten Änderungen. Was soll bleiben?</numerusform>
            <numerusform>Ein anderes Programm hat %n Landmarken in denselben Feldern geändert wie Ihre ungespeicherten Änderungen. Was soll bleiben?</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep mine</source>
        <extracomment>The operator&apos;s unsaved value of a landmark&apos;s fields wins.</extracomment>
        <translation>Meine behalten</translation>
    </message>
    <message>
        <source>Keep the file&apos;s</source>
        <extracomment>The value another program wrote to the file wins.</extracomment>
        <translation>Die der Datei behalten</translation>
    </message>
</context>
<context>
    <name>korvland::Dialogs</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <extracomment>%1 is the name of the file chosen in a save dialog.</extracomment>
        <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
</context>
<context>
    <name>korvland::EditActions</name>
    <message>
        <source>&amp;Undo</source>
        <extracomment>%1 is the step to undo, e.g. &quot;Side of Arras&quot;.</extracomment>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <extracomment>%1 is the step to redo, e.g. &quot;Side of Arras&quot;.</extracomment>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>Select &amp;None</source>
        <translation>&amp;Nichts auswählen</translation>
    </message>
    <message>
        <source>&amp;Invert Selection</source>
        <translation>Auswahl um&amp;kehren</translation>
    </message>
    <message>
        <source>&amp;German</source>
        <extracomment>The side a landmark belongs to, in the &quot;Set Side&quot; submenu.</extracomment>
        <translation>&amp;Deutsch</translation>
    </message>
    <message>
        <source>&amp;Allied</source>
        <extracomment>The side a landmark belongs to, in the &quot;Set Side&quot; submenu.</extracomment>
        <translation>&amp;Alliiert</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>Set &amp;Side</source>
        <extracomment>Submenu: sets the side (German or Allied) of the selected landmarks.</extracomment>
        <translation>Seite &amp;festlegen</translation>
    </message>
    <message>
        <source>Switch &amp;On</source>
        <translation>&amp;Einschalten</translation>
    </message>
    <message>
        <source>S&amp;witch Off</source>
        <translation>A&amp;usschalten</translation>
    </message>
    <message numerus="yes">
        <source>%n of the %1 selected landmarks (is|are) hidden by the filter. Change (it|them) too?</source>
        <extracomment>%n is the number of selected landmarks the filter hides, %1 that of all selected.</extracomment>
        <translation>
            <numerusform>%n der %1 ausgewählten Landmarken ist vom Filter ausgeblendet. Soll sie auch geändert werden?</numerusform>
            <numerusform>%n der %1 ausgewählten Landmarken sind vom Filter ausgeblendet. Sollen sie auch geändert werden?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Set &amp;Side of %n Landmark(s)</source>
        <extracomment>Submenu: sets the side of the %n selected landmarks, always more than one.</extracomment>
        <translation>
            <numerusform>Seite von %n Landmarke &amp;festlegen</numerusform>
            <numerusform>Seite von %n Landmarken &amp;festlegen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Switch &amp;On %n Landmark(s)</source>
        <extracomment>%n is the number of selected landmarks, always more than one.</extracomment>
        <translation>
            <numerusform>%n Landmarke &amp;einschalten</numerusform>
            <numerusform>%n Landmarken &amp;einschalten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>S&amp;witch Off %n Landmark(s)</source>
        <extracomment>%n is the number of selected landmarks, always more than one.</extracomment>
        <translation>
            <numerusform>%n Landmarke a&amp;usschalten</numerusform>
            <numerusform>%n Landmarken a&amp;usschalten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>korvland::EditorWindow</name>
    <message>
        <source>&amp;Open</source>
        <extracomment>Menu bar: the menu of files to open. Alt letter unique in the menu bar.</extracomment>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Master</source>
        <extracomment>&quot;Open&quot; menu: the master copy of a landmark file (*.mlf).</extracomment>
        <translation>&amp;Masterdatei</translation>
    </message>
    <message>
        <source>&amp;Profile</source>
        <extracomment>&quot;Open&quot; menu: a landmark profile (*.lmp).</extracomment>
        <translation>&amp;Profil</translation>
    </message>
    <message>
        <source>&amp;Landmark</source>
        <extracomment>&quot;Open&quot; menu: a landmark file (*.dat).</extracomment>
        <translation>&amp;Landmarken</translation>
    </message>
    <message>
        <source>Save &amp;Profile</source>
        <extracomment>Menu bar command. Alt letter unique in the menu bar.</extracomment>
        <translation>&amp;Profil speichern</translation>
    </message>
    <message>
        <source>&amp;Save Landmark</source>
        <extracomment>Menu bar command: writes the landmark file. Alt letter unique in the menu bar.</extracomment>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <extracomment>Menu bar. Alt letter unique in the menu bar.</extracomment>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Change Folder</source>
        <extracomment>Menu bar command: the landmarks folder. Alt letter unique in the menu bar.</extracomment>
        <translation>&amp;Ordner</translation>
    </message>
    <message>
        <source>&amp;Map</source>
        <extracomment>Menu bar command: shows the map window. Alt letter unique in the menu bar.</extracomment>
        <translation>&amp;Karte</translation>
    </message>
    <message>
        <source>&amp;Data</source>
        <extracomment>Menu bar command: shows the ownership table. Alt letter unique in the menu bar.</extracomment>
        <translation>&amp;Daten</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <extracomment>Menu bar command. Alt letter unique in the menu bar.</extracomment>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>A keyboard command (Ctrl+Q) that closes the editor; not in a menu.</extracomment>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Choose A Masterflie to Open</source>
        <extracomment>Title of the file dialog that opens a master copy (*.mlf).</extracomment>
        <translation>Zu öffnende Masterdatei wählen</translation>
    </message>
    <message>
        <source>Master Landmarks File</source>
        <translation>Master-Landmarkendatei</translation>
    </message>
    <message>
        <source>Open a Landmarks Profile</source>
        <translation>Landmarkenprofil öffnen</translation>
    </message>
    <message>
        <source>Landmark Profile</source>
        <translation>Landmarkenprofil</translation>
    </message>
    <message>
        <source>Save Landmark Profile</source>
        <translation>Landmarkenprofil speichern</translation>
    </message>
    <message>
        <source>Landmarks Profiles</source>
        <translation>Landmarkenprofile</translation>
    </message>
    <message>
        <source>Landmarks Profile not saved.</source>
        <extracomment>Shown when the save dialog was cancelled.</extracomment>
        <translation>Das Landmarkenprofil wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>Save Compiled Landmark File</source>
        <translation>Kompilierte Landmarkendatei speichern</translation>
    </message>
    <message>
        <source>All Landmarks Files</source>
        <translation>Alle Landmarkendateien</translation>
    </message>
    <message>
        <source>Landmarks file not compiled.</source>
        <extracomment>Shown when the save dialog was cancelled: the landmark file was not written.</extracomment>
        <translation>Die Landmarkendatei wurde nicht kompiliert.</translation>
    </message>
    <message>
        <source>About the Landmarks Editor</source>
        <translation>Über den Landmarken-Editor</translation>
    </message>
    <message>
        <source>KORV TLQ Landmarks Editor</source>
        <extracomment>The program&apos;s name: the editor&apos;s caption and that of every message box.</extracomment>
        <translation>KORV TLQ Landmarken-Editor</translation>
    </message>
    <message>
        <source>A program to modify KORV Landmark files for TLQ Play.</source>
        <translation>Ein Programm zum Ändern von KORV-Landmarkendateien für TLQ Play.</translation>
    </message>
    <message>
        <source>Version %1</source>
        <extracomment>%1 is the version number.</extracomment>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Written by the korvland developers for the operators of TLQ game servers.</source>
        <translation>Geschrieben von den korvland-Entwicklern für die Betreiber von TLQ-Spielservern.</translation>
    </message>
    <message>
        <source>Saved %1: 1 landmark, %2 switched off.</source>
        <extracomment>%1 is the file name, %2 the number of landmarks switched off.</extracomment>
        <translation>%1 gespeichert: 1 Landmarke, %2 ausgeschaltet.</translation>
    </message>
    <message>
        <source>Saved %1: %2 landmarks, %3 switched off.</source>
        <extracomment>%1 is the file name, %2 the number of landmarks, %3 those switched off.</extracomment>
        <translation>%1 gespeichert: %2 Landmarken, %3 ausgeschaltet.</translation>
    </message>
    <message>
        <source>File being edited:</source>
        <translation>Geöffnete Datei:</translation>
    </message>
    <message>
        <source>Record Number</source>
        <translation>Datensatz</translation>
    </message>
    <message>
        <source>Active Landmark</source>
        <extracomment>The group that switches the current landmark on (&quot;Yes&quot;) or off (&quot;No&quot;).</extracomment>
        <translation>Landmarke aktiv</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Landmark Type</source>
        <translation>Landmarkentyp</translation>
    </message>
    <message>
        <source>Table</source>
        <extracomment>Opens the status table of all landmarks.</extracomment>
        <translation>Tabelle</translation>
    </message>
    <message>
        <source>Location:</source>
        <extracomment>Followed by the region of the file, e.g. &quot;Western Front&quot;.</extracomment>
        <translation>Region:</translation>
    </message>
    <message>
        <source># of records:</source>
        <translation>Datensätze:</translation>
    </message>
    <message>
        <source>Size of records:</source>
        <extracomment>Followed by the size of one record in bytes.</extracomment>
        <translation>Satzgröße:</translation>
    </message>
    <message>
        <source>Land Mark Name:</source>
        <translation>Landmarkenname:</translation>
    </message>
    <message>
        <source>Landmark ID:</source>
        <translation>ID:</translation>
    </message>
    <message>
        <source>Lo File Type:</source>
        <extracomment>The landmark&apos;s type byte (a hexadecimal number).</extracomment>
        <translation>Lo-Dateityp:</translation>
    </message>
    <message>
        <source>Lo File No.:</source>
        <extracomment>The landmark&apos;s sub-type byte (a hexadecimal number).</extracomment>
        <translation>Lo-Datei-Nr.:</translation>
    </message>
    <message>
        <source>Side:</source>
        <extracomment>The side a landmark belongs to: &quot;German&quot; or &quot;Allied&quot;.</extracomment>
        <translation>Seite:</translation>
    </message>
    <message>
        <source>German</source>
        <extracomment>The German side (not the language).</extracomment>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Allied</source>
        <translation>Alliiert</translation>
    </message>
    <message>
        <source>N/S Coord:</source>
        <extracomment>North/south coordinate.</extracomment>
        <translation>Nord/Süd:</translation>
    </message>
    <message>
        <source>E/W Coord:</source>
        <extracomment>East/west coordinate.</extracomment>
        <translation>Ost/West:</translation>
    </message>
    <message>
        <source>Elevation:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Rotation:</translation>
    </message>
    <message>
        <source>Mouse Coords</source>
        <extracomment>Never shown: a hidden group the map window writes its pointer readings into.</extracomment>
        <translation>Mauskoordinaten</translation>
    </message>
    <message>
        <source>n/s location</source>
        <translation>Nord/Süd-Position</translation>
    </message>
    <message>
        <source>e/w location</source>
        <translation>Ost/West-Position</translation>
    </message>
    <message>
        <source>pointer y</source>
        <translation>Zeiger y</translation>
    </message>
    <message>
        <source>pointer x</source>
        <translation>Zeiger x</translation>
    </message>
    <message>
        <source>Current Control</source>
        <extracomment>Placeholder for the name of the marker last clicked on the map.</extracomment>
        <translation>Aktuelle Markierung</translation>
    </message>
    <message>
        <source>Copyright © the korvland developers</source>
        <translation>Copyright © die korvland-Entwickler</translation>
    </message>
    <message>
        <source>%1 selected</source>
        <extracomment>The status bar&apos;s count of selected landmarks.</extracomment>
        <translation>%1 ausgewählt</translation>
    </message>
    <message>
        <source>MMMM dd yyyy  HH:mm:ss</source>
        <extracomment>The status bar clock as a QDateTime format; the month name comes from the locale. The panel is 130 pixels wide: keep the length.</extracomment>
        <translation>dd. MMMM yyyy  HH:mm:ss</translation>
    </message>
    <message>
        <source>Previous record</source>
        <extracomment>Accessible name of the spinner&apos;s left arrow.</extracomment>
        <translation>Vorheriger Datensatz</translation>
    </message>
    <message>
        <source>Next record</source>
        <extracomment>Accessible name of the spinner&apos;s right arrow.</extracomment>
        <translation>Nächster Datensatz</translation>
    </message>
    <message>
        <source>%1 is no longer there. Remove it from the recent files?</source>
        <extracomment>%1 is the full path of a file in the recent-files list that no longer exists.</extracomment>
        <translation>%1 ist nicht mehr vorhanden. Aus der Liste der zuletzt geöffneten Dateien entfernen?</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <extracomment>The editor&apos;s caption: %1 is the file being edited (&quot;[*]&quot; marks unsaved changes), %2 the program&apos;s name.</extracomment>
        <translation>%1[*] - %2</translation>
    </message>
    <message>
        <source>%1 selected (filtered)</source>
        <extracomment>The status bar&apos;s count of selected landmarks while the tables&apos; filter is set.</extracomment>
        <translation>%1 ausgewählt (gefiltert)</translation>
    </message>
    <message>
        <source>The operator&apos;s guide (F1): %1</source>
        <extracomment>%1 is where the operator&apos;s guide is, a file name.</extracomment>
        <translation>Das Handbuch für Betreiber (F1): %1</translation>
    </message>
    <message>
        <source>Unsaved work cannot be kept for recovery: %1</source>
        <extracomment>%1 says why the copy could not be written (&quot;Disk full&quot;, &quot;File access denied&quot;, ...).</extracomment>
        <translation>Ungespeicherte Arbeit kann nicht zur Wiederherstellung aufbewahrt werden: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 was changed by another program: %n record(s)</source>
        <extracomment>The status line: %1 is the file being edited.</extracomment>
        <translation>
            <numerusform>%1 wurde von einem anderen Programm geändert: %n Datensatz</numerusform>
            <numerusform>%1 wurde von einem anderen Programm geändert: %n Datensätze</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 was changed by another program</source>
        <translation>%1 wurde von einem anderen Programm geändert</translation>
    </message>
    <message>
        <source>Merge Now</source>
        <extracomment>Status line button: lays the unsaved changes onto the file another program changed.</extracomment>
        <translation>Jetzt zusammenführen</translation>
    </message>
    <message numerus="yes">
        <source>%1 has been changed by another program since it was opened: %n record(s) differ. Merge your unsaved changes into it, or replace it with the editor&apos;s landmarks?</source>
        <extracomment>%1 is the file being edited.</extracomment>
        <translation>
            <numerusform>%1 wurde seit dem Öffnen von einem anderen Programm geändert: %n Datensatz weicht ab. Ihre ungespeicherten Änderungen damit zusammenführen oder die Datei durch die Landmarken des Editors ersetzen?</numerusform>
            <numerusform>%1 wurde seit dem Öffnen von einem anderen Programm geändert: %n Datensätze weichen ab. Ihre ungespeicherten Änderungen damit zusammenführen oder die Datei durch die Landmarken des Editors ersetzen?</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <extracomment>Keeps the other program&apos;s changes and lays the unsaved ones onto them.</extracomment>
        <translation>&amp;Zusammenführen</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
</context>
<context>
    <name>korvland::FilterRow</name>
    <message>
        <source>Name</source>
        <extracomment>Placeholder of the box that filters the status table by landmark name.</extracomment>
        <translation>Name</translation>
    </message>
    <message>
        <source>Show the landmarks whose name contains this text</source>
        <translation>Die Landmarken zeigen, deren Name diesen Text enthält</translation>
    </message>
    <message>
        <source>Any kind</source>
        <translation>Alle Arten</translation>
    </message>
    <message>
        <source>Any side</source>
        <translation>Alle Seiten</translation>
    </message>
    <message>
        <source>German</source>
        <extracomment>Filter choice: the landmarks of the German side.</extracomment>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Allied</source>
        <extracomment>Filter choice: the landmarks of the Allied side.</extracomment>
        <translation>Alliiert</translation>
    </message>
    <message>
        <source>Any state</source>
        <translation>Alle Zustände</translation>
    </message>
    <message>
        <source>On</source>
        <extracomment>Filter choice: the landmarks switched on.</extracomment>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>Filter choice: the landmarks switched off.</extracomment>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Untick to show every landmark again</source>
        <translation>Haken entfernen, um wieder alle Landmarken zu zeigen</translation>
    </message>
    <message>
        <source>Only %1</source>
        <extracomment>%1 names the landmarks of an ownership cell as a subject: &quot;the 4 Allied bridges&quot;, &quot;the German airfield&quot; (the texts of korvland::OwnershipWindow).</extracomment>
        <translation>Nur %1</translation>
    </message>
    <message>
        <source>Filter by name</source>
        <extracomment>Accessible name of the status table&apos;s name filter.</extracomment>
        <translation>Nach Name filtern</translation>
    </message>
    <message>
        <source>Clear the name filter</source>
        <extracomment>Accessible name of the button that empties the name filter.</extracomment>
        <translation>Namensfilter leeren</translation>
    </message>
    <message>
        <source>Filter by kind</source>
        <extracomment>Accessible name of the menu that filters the status table by kind.</extracomment>
        <translation>Nach Art filtern</translation>
    </message>
    <message>
        <source>Filter by side</source>
        <extracomment>Accessible name of the menu that filters the status table by side.</extracomment>
        <translation>Nach Seite filtern</translation>
    </message>
    <message>
        <source>Filter by state</source>
        <extracomment>Accessible name of the menu that filters the status table by state.</extracomment>
        <translation>Nach Zustand filtern</translation>
    </message>
</context>
<context>
    <name>korvland::FindBar</name>
    <message>
        <source>Find:</source>
        <translation>Suchen:</translation>
    </message>
    <message>
        <source>Previous (%1)</source>
        <extracomment>Hint of the button that goes to the previous match; %1 is its key.</extracomment>
        <translation>Vorheriger Treffer (%1)</translation>
    </message>
    <message>
        <source>Next (%1)</source>
        <extracomment>Hint of the button that goes to the next match; %1 is its key.</extracomment>
        <translation>Nächster Treffer (%1)</translation>
    </message>
    <message>
        <source>Select All Matches</source>
        <extracomment>Button 112 pixels wide: selects every landmark whose name matches.</extracomment>
        <translation>Alle Treffer wählen</translation>
    </message>
    <message>
        <source>Close (%1)</source>
        <extracomment>Hint of the button that hides the find bar; %1 is its key.</extracomment>
        <translation>Schließen (%1)</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>The match&apos;s place among all matches: &quot;3 of 12&quot;.</extracomment>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Previous match</source>
        <extracomment>Accessible name of the find bar&apos;s up arrow.</extracomment>
        <translation>Vorheriger Treffer</translation>
    </message>
    <message>
        <source>Next match</source>
        <extracomment>Accessible name of the find bar&apos;s down arrow.</extracomment>
        <translation>Nächster Treffer</translation>
    </message>
    <message>
        <source>Close the find bar</source>
        <extracomment>Accessible name of the find bar&apos;s cross.</extracomment>
        <translation>Suchleiste schließen</translation>
    </message>
</context>
<context>
    <name>korvland::FolderChooser</name>
    <message>
        <source>Choose Landmarks Files Location</source>
        <translation>Ort der Landmarkendateien wählen</translation>
    </message>
    <message>
        <source>&amp;Path:</source>
        <translation>&amp;Pfad:</translation>
    </message>
    <message>
        <source>&amp;Drive:</source>
        <translation>&amp;Laufwerk:</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>&amp;Neuer Ordner</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Name: (%1)</source>
        <extracomment>The prompt for a new folder&apos;s name; %1 is the folder it goes into, shortened from the left.</extracomment>
        <translation>Name: (%1)</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Neuer Ordner</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>IO-Error!
Could not create folder.</source>
        <translation>E/A-Fehler!
Der Ordner konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Folders</source>
        <extracomment>Accessible name of the folder dialog&apos;s list of folders.</extracomment>
        <translation>Ordner</translation>
    </message>
</context>
<context>
    <name>korvland::KeptWorkOffer</name>
    <message>
        <source>today %1</source>
        <extracomment>When the kept work was written: %1 is the time of day (&quot;23:14&quot;).</extracomment>
        <translation>heute %1</translation>
    </message>
    <message>
        <source>yesterday %1</source>
        <extracomment>When the kept work was written: %1 is the time of day (&quot;23:14&quot;).</extracomment>
        <translation>gestern %1</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation>&amp;Später</translation>
    </message>
    <message>
        <source>%1 has been changed on disk since.</source>
        <extracomment>%1 is the file name.</extracomment>
        <translation>%1 wurde seitdem auf dem Datenträger geändert.</translation>
    </message>
    <message numerus="yes">
        <source>korvland ended while %1 in %2 had %n unsaved change(s) (%3).</source>
        <extracomment>%1 is the file name, %2 its folder, %3 when (&quot;today 23:14&quot;).</extracomment>
        <translation>
            <numerusform>korvland wurde beendet, als %1 in %2 eine ungespeicherte Änderung hatte (%3).</numerusform>
            <numerusform>korvland wurde beendet, als %1 in %2 %n ungespeicherte Änderungen hatte (%3).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restore (it|them)?</source>
        <translation>
            <numerusform>Soll sie wiederhergestellt werden?</numerusform>
            <numerusform>Sollen sie wiederhergestellt werden?</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 was passed over: it is larger than any kept work can be.</source>
        <extracomment>%1 is a path in the folder of kept work.</extracomment>
        <translation>%1 wurde übergangen: Die Datei ist größer, als aufbewahrte Arbeit sein kann.</translation>
    </message>
</context>
<context>
    <name>korvland::LandmarkKind</name>
    <message>
        <source>Airfield</source>
        <extracomment>A landmark&apos;s kind, beside its type in the editor. &quot;Airfield: &quot; and the like start a marker&apos;s tool tip, before the landmark&apos;s name.</extracomment>
        <translation>Flugplatz</translation>
    </message>
    <message>
        <source>Airfield: </source>
        <translation>Flugplatz: </translation>
    </message>
    <message>
        <source>City</source>
        <translation>Großstadt</translation>
    </message>
    <message>
        <source>City: </source>
        <translation>Großstadt: </translation>
    </message>
    <message>
        <source>Supply</source>
        <translation>Nachschub</translation>
    </message>
    <message>
        <source>Supply: </source>
        <translation>Nachschub: </translation>
    </message>
    <message>
        <source>Train Station</source>
        <translation>Bahnhof</translation>
    </message>
    <message>
        <source>Train Station: </source>
        <translation>Bahnhof: </translation>
    </message>
    <message>
        <source>Troops</source>
        <translation>Truppen</translation>
    </message>
    <message>
        <source>Troops: </source>
        <translation>Truppen: </translation>
    </message>
    <message>
        <source>Bridge</source>
        <translation>Brücke</translation>
    </message>
    <message>
        <source>Bridge: </source>
        <translation>Brücke: </translation>
    </message>
    <message>
        <source>Factory</source>
        <translation>Fabrik</translation>
    </message>
    <message>
        <source>Factory: </source>
        <translation>Fabrik: </translation>
    </message>
    <message>
        <source>Balloon</source>
        <translation>Ballon</translation>
    </message>
    <message>
        <source>Balloon: </source>
        <translation>Ballon: </translation>
    </message>
    <message>
        <source>Unknown</source>
        <extracomment>The kind of a landmark switched off or of a type the editor does not know.</extracomment>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Blank Landmark: </source>
        <translation>Leere Landmarke: </translation>
    </message>
    <message>
        <source>Town</source>
        <translation>Stadt</translation>
    </message>
    <message>
        <source>Town: </source>
        <translation>Stadt: </translation>
    </message>
    <message>
        <source>Village</source>
        <translation>Dorf</translation>
    </message>
    <message>
        <source>Village: </source>
        <translation>Dorf: </translation>
    </message>
    <message>
        <source>Blank</source>
        <extracomment>The kind of a blank landmark (an empty place holder).</extracomment>
        <translation>Leer</translation>
    </message>
</context>
<context>
    <name>korvland::LandmarksFolder</name>
    <message>
        <source>Landmark Files</source>
        <translation>Landmarkendateien</translation>
    </message>
    <message>
        <source>Data Flies</source>
        <extracomment>A file type in the open dialog: every file ending in .dat (&quot;Flies&quot; as the program always wrote it).</extracomment>
        <translation>Datendateien</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
</context>
<context>
    <name>korvland::MapAccessibility</name>
    <message>
        <source>Map</source>
        <extracomment>The accessible name of the map, whose items are the markers.</extracomment>
        <translation>Karte</translation>
    </message>
    <message>
        <source>switched off</source>
        <extracomment>Read out by a screen reader after a marker&apos;s name.</extracomment>
        <translation>ausgeschaltet</translation>
    </message>
</context>
<context>
    <name>korvland::MapComparison</name>
    <message>
        <source>id</source>
        <translation>Kennung</translation>
    </message>
    <message>
        <source>aux word</source>
        <translation>Zusatzwort</translation>
    </message>
    <message>
        <source>type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>sub-type</source>
        <translation>Untertyp</translation>
    </message>
    <message>
        <source>side</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>northSouth</source>
        <translation>Nord-Süd</translation>
    </message>
    <message>
        <source>eastWest</source>
        <translation>Ost-West</translation>
    </message>
    <message>
        <source>elevation</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>rotation</source>
        <translation>Drehung</translation>
    </message>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>name bytes after its end</source>
        <translation>Namensbytes nach seinem Ende</translation>
    </message>
    <message>
        <source>state</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Allied</source>
        <translation>Alliiert</translation>
    </message>
    <message>
        <source>on</source>
        <translation>an</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>%1 differ</source>
        <translation>%1 verschieden</translation>
    </message>
    <message>
        <source>added</source>
        <translation>hinzugekommen</translation>
    </message>
    <message numerus="yes">
        <source>Compared with %1: %n changed</source>
        <extracomment>The comparison&apos;s legend: %1 is the name of the file compared with.</extracomment>
        <translation>
            <numerusform>Verglichen mit %1: %n geändert</numerusform>
            <numerusform>Verglichen mit %1: %n geändert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n added</source>
        <translation>
            <numerusform>, %n hinzugekommen</numerusform>
            <numerusform>, %n hinzugekommen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n removed</source>
        <translation>
            <numerusform>, %n entfernt</numerusform>
            <numerusform>, %n entfernt</numerusform>
        </translation>
    </message>
    <message>
        <source> (another region: %1)</source>
        <extracomment>%1 is the other region&apos;s location line, &quot;Landmarks of the Verdun Region&quot;.</extracomment>
        <translation> (andere Region: %1)</translation>
    </message>
    <message numerus="yes">
        <source>%n unknown byte(s) differ</source>
        <translation>
            <numerusform>%n unbekanntes Byte unterscheidet sich</numerusform>
            <numerusform>%n unbekannte Bytes unterscheiden sich</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>korvland::MapMarker</name>
    <message>
        <source>Allied %1%2</source>
        <extracomment>A marker&apos;s hint: %1 is the landmark&apos;s kind with its colon (&quot;Airfield: &quot;), %2 its name.</extracomment>
        <translation>%1%2 (Alliiert)</translation>
    </message>
    <message>
        <source>German %1%2</source>
        <extracomment>A marker&apos;s hint: %1 is the landmark&apos;s kind with its colon (&quot;Airfield: &quot;), %2 its name.</extracomment>
        <translation>%1%2 (Deutsch)</translation>
    </message>
</context>
<context>
    <name>korvland::MapWindow</name>
    <message>
        <source>object PB1: TPaintBox</source>
        <extracomment>The map window&apos;s caption until a file names its region. In English it is the old program&apos;s name of its drawing surface; a translation may simply name the map.</extracomment>
        <translation>Karte</translation>
    </message>
    <message>
        <source>1:2 Sca&amp;le</source>
        <translation>M&amp;aßstab 1:2</translation>
    </message>
    <message>
        <source>&amp;1:1 Scale</source>
        <translation>Maßstab &amp;1:1</translation>
    </message>
    <message>
        <source>&amp;2:1 Scale</source>
        <translation>Maßstab &amp;2:1</translation>
    </message>
    <message>
        <source>&amp;4:1 Scale</source>
        <translation>Maßstab &amp;4:1</translation>
    </message>
    <message>
        <source>&amp;Front Line</source>
        <translation>F&amp;rontlinie</translation>
    </message>
    <message>
        <source>&amp;Names</source>
        <translation>&amp;Namen</translation>
    </message>
    <message>
        <source>&amp;Compare With...</source>
        <translation>&amp;Vergleichen mit...</translation>
    </message>
    <message>
        <source>S&amp;top Comparing</source>
        <translation>Vergleich &amp;beenden</translation>
    </message>
    <message>
        <source>&amp;Background Picture...</source>
        <translation>&amp;Hintergrundbild...</translation>
    </message>
    <message>
        <source>&amp;Remove Background Picture</source>
        <translation>Hintergrundbild en&amp;tfernen</translation>
    </message>
    <message>
        <source>Compare With</source>
        <translation>Vergleichen mit</translation>
    </message>
    <message>
        <source>Landmark files</source>
        <translation>Landmarkendateien</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>The picture cannot be read</source>
        <translation>Das Bild kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Background Picture</source>
        <translation>Hintergrundbild</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Bilder</translation>
    </message>
</context>
<context>
    <name>korvland::OwnershipWindow</name>
    <message>
        <source>No Allied airfields</source>
        <extracomment>The tool tip of a count of none.</extracomment>
        <translation>Keine alliierten Flugplätze</translation>
    </message>
    <message>
        <source>No Allied cities</source>
        <translation>Keine alliierten Großstädte</translation>
    </message>
    <message>
        <source>No Allied supply landmarks</source>
        <translation>Keine alliierten Nachschub-Landmarken</translation>
    </message>
    <message>
        <source>No Allied train stations</source>
        <translation>Keine alliierten Bahnhöfe</translation>
    </message>
    <message>
        <source>No Allied bridges</source>
        <translation>Keine alliierten Brücken</translation>
    </message>
    <message>
        <source>No Allied factories</source>
        <translation>Keine alliierten Fabriken</translation>
    </message>
    <message>
        <source>No Allied towns</source>
        <translation>Keine alliierten Städte</translation>
    </message>
    <message>
        <source>No Allied villages</source>
        <translation>Keine alliierten Dörfer</translation>
    </message>
    <message>
        <source>No Allied blank landmarks</source>
        <translation>Keine alliierten leeren Landmarken</translation>
    </message>
    <message>
        <source>No German airfields</source>
        <translation>Keine deutschen Flugplätze</translation>
    </message>
    <message>
        <source>No German cities</source>
        <translation>Keine deutschen Großstädte</translation>
    </message>
    <message>
        <source>No German supply landmarks</source>
        <translation>Keine deutschen Nachschub-Landmarken</translation>
    </message>
    <message>
        <source>No German train stations</source>
        <translation>Keine deutschen Bahnhöfe</translation>
    </message>
    <message>
        <source>No German bridges</source>
        <translation>Keine deutschen Brücken</translation>
    </message>
    <message>
        <source>No German factories</source>
        <translation>Keine deutschen Fabriken</translation>
    </message>
    <message>
        <source>No German towns</source>
        <translation>Keine deutschen Städte</translation>
    </message>
    <message>
        <source>No German villages</source>
        <translation>Keine deutschen Dörfer</translation>
    </message>
    <message>
        <source>No German blank landmarks</source>
        <translation>Keine deutschen leeren Landmarken</translation>
    </message>
    <message>
        <source>Airfields</source>
        <translation>Flugplätze</translation>
    </message>
    <message>
        <source>Cities</source>
        <translation>Großst.</translation>
    </message>
    <message>
        <source>Supply</source>
        <translation>Nachsch.</translation>
    </message>
    <message>
        <source>Train Stations</source>
        <translation>Bahnhöfe</translation>
    </message>
    <message>
        <source>Bridges</source>
        <translation>Brücken</translation>
    </message>
    <message>
        <source>Factories</source>
        <translation>Fabriken</translation>
    </message>
    <message>
        <source>Towns</source>
        <translation>Städte</translation>
    </message>
    <message>
        <source>Villages</source>
        <translation>Dörfer</translation>
    </message>
    <message>
        <source>Blanks</source>
        <translation>Leere</translation>
    </message>
    <message>
        <source>Allied</source>
        <extracomment>Row caption of the ownership table: the landmarks the Allied side owns.</extracomment>
        <translation>Alliiert</translation>
    </message>
    <message>
        <source>German</source>
        <extracomment>Row caption of the ownership table: the landmarks the German side owns.</extracomment>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Active Landmark Ownership Table</source>
        <translation>Besitztabelle der aktiven Landmarken</translation>
    </message>
    <message>
        <source>Update Data</source>
        <extracomment>Menu bar command: counts the landmarks again.</extracomment>
        <translation>Daten aktualisieren</translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>Menu bar command: hides the ownership table.</extracomment>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Owner</source>
        <extracomment>Caption above the row captions &quot;Allied&quot; and &quot;German&quot;: the side that owns the landmarks.</extracomment>
        <translation>Besitzer</translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied airfields</source>
        <extracomment>The tool tip of a count of one or more that selects what it counts: &quot;Select the Allied airfield&quot; for one, &quot;Select the %n Allied airfields&quot; for more.</extracomment>
        <translation>
            <numerusform>Den alliierten Flugplatz auswählen</numerusform>
            <numerusform>Die %n alliierten Flugplätze auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied airfields</source>
        <extracomment>What the status table keeps to, shown in its filter row as &quot;Only %1&quot; (korvland::FilterRow): use the case that follows &quot;Only&quot;. &quot;the Allied airfield&quot; for one, &quot;the %n Allied airfields&quot; for more.</extracomment>
        <translation>
            <numerusform>der alliierte Flugplatz</numerusform>
            <numerusform>die %n alliierten Flugplätze</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied cities</source>
        <translation>
            <numerusform>Die alliierte Großstadt auswählen</numerusform>
            <numerusform>Die %n alliierten Großstädte auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied cities</source>
        <translation>
            <numerusform>die alliierte Großstadt</numerusform>
            <numerusform>die %n alliierten Großstädte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied supply landmarks</source>
        <translation>
            <numerusform>Die alliierte Nachschub-Landmarke auswählen</numerusform>
            <numerusform>Die %n alliierten Nachschub-Landmarken auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied supply landmarks</source>
        <translation>
            <numerusform>die alliierte Nachschub-Landmarke</numerusform>
            <numerusform>die %n alliierten Nachschub-Landmarken</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied train stations</source>
        <translation>
            <numerusform>Den alliierten Bahnhof auswählen</numerusform>
            <numerusform>Die %n alliierten Bahnhöfe auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied train stations</source>
        <translation>
            <numerusform>der alliierte Bahnhof</numerusform>
            <numerusform>die %n alliierten Bahnhöfe</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied bridges</source>
        <translation>
            <numerusform>Die alliierte Brücke auswählen</numerusform>
            <numerusform>Die %n alliierten Brücken auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied bridges</source>
        <translation>
            <numerusform>die alliierte Brücke</numerusform>
            <numerusform>die %n alliierten Brücken</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied factories</source>
        <translation>
            <numerusform>Die alliierte Fabrik auswählen</numerusform>
            <numerusform>Die %n alliierten Fabriken auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied factories</source>
        <translation>
            <numerusform>die alliierte Fabrik</numerusform>
            <numerusform>die %n alliierten Fabriken</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied towns</source>
        <translation>
            <numerusform>Die alliierte Stadt auswählen</numerusform>
            <numerusform>Die %n alliierten Städte auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied towns</source>
        <translation>
            <numerusform>die alliierte Stadt</numerusform>
            <numerusform>die %n alliierten Städte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied villages</source>
        <translation>
            <numerusform>Das alliierte Dorf auswählen</numerusform>
            <numerusform>Die %n alliierten Dörfer auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied villages</source>
        <translation>
            <numerusform>das alliierte Dorf</numerusform>
            <numerusform>die %n alliierten Dörfer</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied blank landmarks</source>
        <translation>
            <numerusform>Die alliierte leere Landmarke auswählen</numerusform>
            <numerusform>Die %n alliierten leeren Landmarken auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied blank landmarks</source>
        <translation>
            <numerusform>die alliierte leere Landmarke</numerusform>
            <numerusform>die %n alliierten leeren Landmarken</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German airfields</source>
        <translation>
            <numerusform>Den deutschen Flugplatz auswählen</numerusform>
            <numerusform>Die %n deutschen Flugplätze auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German airfields</source>
        <translation>
            <numerusform>der deutsche Flugplatz</numerusform>
            <numerusform>die %n deutschen Flugplätze</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German cities</source>
        <translation>
            <numerusform>Die deutsche Großstadt auswählen</numerusform>
            <numerusform>Die %n deutschen Großstädte auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German cities</source>
        <translation>
            <numerusform>die deutsche Großstadt</numerusform>
            <numerusform>die %n deutschen Großstädte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German supply landmarks</source>
        <translation>
            <numerusform>Die deutsche Nachschub-Landmarke auswählen</numerusform>
            <numerusform>Die %n deutschen Nachschub-Landmarken auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German supply landmarks</source>
        <translation>
            <numerusform>die deutsche Nachschub-Landmarke</numerusform>
            <numerusform>die %n deutschen Nachschub-Landmarken</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German train stations</source>
        <translation>
            <numerusform>Den deutschen Bahnhof auswählen</numerusform>
            <numerusform>Die %n deutschen Bahnhöfe auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German train stations</source>
        <translation>
            <numerusform>der deutsche Bahnhof</numerusform>
            <numerusform>die %n deutschen Bahnhöfe</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German bridges</source>
        <translation>
            <numerusform>Die deutsche Brücke auswählen</numerusform>
            <numerusform>Die %n deutschen Brücken auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German bridges</source>
        <translation>
            <numerusform>die deutsche Brücke</numerusform>
            <numerusform>die %n deutschen Brücken</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German factories</source>
        <translation>
            <numerusform>Die deutsche Fabrik auswählen</numerusform>
            <numerusform>Die %n deutschen Fabriken auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German factories</source>
        <translation>
            <numerusform>die deutsche Fabrik</numerusform>
            <numerusform>die %n deutschen Fabriken</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German towns</source>
        <translation>
            <numerusform>Die deutsche Stadt auswählen</numerusform>
            <numerusform>Die %n deutschen Städte auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German towns</source>
        <translation>
            <numerusform>die deutsche Stadt</numerusform>
            <numerusform>die %n deutschen Städte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German villages</source>
        <translation>
            <numerusform>Das deutsche Dorf auswählen</numerusform>
            <numerusform>Die %n deutschen Dörfer auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German villages</source>
        <translation>
            <numerusform>das deutsche Dorf</numerusform>
            <numerusform>die %n deutschen Dörfer</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German blank landmarks</source>
        <translation>
            <numerusform>Die deutsche leere Landmarke auswählen</numerusform>
            <numerusform>Die %n deutschen leeren Landmarken auswählen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German blank landmarks</source>
        <translation>
            <numerusform>die deutsche leere Landmarke</numerusform>
            <numerusform>die %n deutschen leeren Landmarken</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>korvland::QtDialogs</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>korvland::RecordCommands</name>
    <message>
        <source>Side of %1</source>
        <extracomment>Undo step: the side (German or Allied) of a landmark or of &quot;3 Landmarks&quot;.</extracomment>
        <translation>Seite von %1</translation>
    </message>
    <message>
        <source>Switch On %1</source>
        <extracomment>Undo step: a landmark or &quot;3 Landmarks&quot; switched on.</extracomment>
        <translation>%1 einschalten</translation>
    </message>
    <message>
        <source>Switch Off %1</source>
        <extracomment>Undo step: a landmark or &quot;3 Landmarks&quot; switched off.</extracomment>
        <translation>%1 ausschalten</translation>
    </message>
    <message>
        <source>Name of %1</source>
        <extracomment>Undo step: a landmark&apos;s name typed.</extracomment>
        <translation>Name von %1</translation>
    </message>
    <message>
        <source>Type of %1</source>
        <extracomment>Undo step: a landmark&apos;s type changed.</extracomment>
        <translation>Typ von %1</translation>
    </message>
    <message>
        <source>Sub-Type of %1</source>
        <extracomment>Undo step: a landmark&apos;s sub-type changed.</extracomment>
        <translation>Untertyp von %1</translation>
    </message>
    <message>
        <source>1 Landmark</source>
        <extracomment>The subject of an undo step on one selected landmark (&quot;Switch On 1 Landmark&quot;).</extracomment>
        <translation>1 Landmarke</translation>
    </message>
    <message>
        <source>%1 Landmarks</source>
        <extracomment>The subject of an undo step on many selected landmarks (&quot;Switch On 3 Landmarks&quot;).</extracomment>
        <translation>%1 Landmarken</translation>
    </message>
    <message>
        <source>Landmark %1</source>
        <extracomment>A landmark without a name, by its record number.</extracomment>
        <translation>Landmarke %1</translation>
    </message>
</context>
<context>
    <name>korvland::RecordFormat</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <extracomment>%1 is what the user typed into a type box, with a leading &quot;$&quot;.</extracomment>
        <translation>&apos;%1&apos; ist kein gültiger ganzzahliger Wert</translation>
    </message>
    <message>
        <source>A landmark of type 06 stays switched off: give it another type first.</source>
        <translation>Eine Landmarke vom Typ 06 bleibt ausgeschaltet: Geben Sie ihr zuerst einen anderen Typ.</translation>
    </message>
    <message>
        <source>%1 landmarks of type 06 stay switched off: give them another type first.</source>
        <extracomment>%1 is a number of landmarks, always more than one.</extracomment>
        <translation>%1 Landmarken vom Typ 06 bleiben ausgeschaltet: Geben Sie ihnen zuerst einen anderen Typ.</translation>
    </message>
</context>
<context>
    <name>korvland::Region</name>
    <message>
        <source>Map of Marne Region</source>
        <translation>Karte der Region Marne</translation>
    </message>
    <message>
        <source>Landmarks of the Marne Region</source>
        <translation>Landmarken der Region Marne</translation>
    </message>
    <message>
        <source>Map of Flanders Region</source>
        <translation>Karte der Region Flandern</translation>
    </message>
    <message>
        <source>Landmarks of the Flanders Region</source>
        <translation>Landmarken der Region Flandern</translation>
    </message>
    <message>
        <source>Map of Verdun Region</source>
        <translation>Karte der Region Verdun</translation>
    </message>
    <message>
        <source>Landmarks of the Verdun Region</source>
        <translation>Landmarken der Region Verdun</translation>
    </message>
    <message>
        <source>Map of Alsace Region</source>
        <translation>Karte der Region Elsass</translation>
    </message>
    <message>
        <source>Landmarks of the Alsace Region</source>
        <translation>Landmarken der Region Elsass</translation>
    </message>
    <message>
        <source>Map of Island Region</source>
        <translation>Karte der Inselregion</translation>
    </message>
    <message>
        <source>Landmarks of the Island Region</source>
        <translation>Landmarken der Inselregion</translation>
    </message>
</context>
<context>
    <name>korvland::SaveQuestions</name>
    <message>
        <source>%1 is a profile. Replace it with landmarks?</source>
        <translation>%1 ist ein Profil. Möchten Sie es durch Landmarken ersetzen?</translation>
    </message>
    <message>
        <source>%1 has been changed by another program since it was opened. Replace it with the editor&apos;s landmarks?</source>
        <translation>%1 wurde seit dem Öffnen von einem anderen Programm geändert. Möchten Sie die Datei durch die Landmarken des Editors ersetzen?</translation>
    </message>
    <message>
        <source>%1 is a landmark file. Replace it with a profile?</source>
        <translation>%1 ist eine Landmarkendatei. Möchten Sie sie durch ein Profil ersetzen?</translation>
    </message>
    <message>
        <source>%1 in %2 is not the file being edited (%3). Replace it?</source>
        <extracomment>%1 is a file name, %2 its folder, %3 the full path of the file being edited.</extracomment>
        <translation>%1 in %2 ist nicht die bearbeitete Datei (%3). Ersetzen?</translation>
    </message>
    <message numerus="yes">
        <source>%n change(s) not saved.</source>
        <extracomment>The first sentence of the question before unsaved changes are lost.</extracomment>
        <translation>
            <numerusform>%n Änderung nicht gespeichert.</numerusform>
            <numerusform>%n Änderungen nicht gespeichert.</numerusform>
        </translation>
    </message>
    <message>
        <source>There are unsaved changes.</source>
        <translation>Es gibt ungespeicherte Änderungen.</translation>
    </message>
    <message numerus="yes">
        <source>Save the change(s) to %1 before quitting?</source>
        <extracomment>%1 is the file being edited.</extracomment>
        <translation>
            <numerusform>Die Änderung an %1 vor dem Beenden speichern?</numerusform>
            <numerusform>Die Änderungen an %1 vor dem Beenden speichern?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Save the change(s) to %1 before opening %2?</source>
        <extracomment>%1 is the file being edited, %2 the file about to be opened.</extracomment>
        <translation>
            <numerusform>Die Änderung an %1 vor dem Öffnen von %2 speichern?</numerusform>
            <numerusform>Die Änderungen an %1 vor dem Öffnen von %2 speichern?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>korvland::SingleInstance</name>
    <message>
        <source>korvland: no private folder for this user&apos;s editor socket; this editor runs on its own, and another may open the same settings.</source>
        <translation>korvland: Kein privater Ordner für den Editor-Socket dieses Benutzers; dieser Editor läuft für sich, und ein weiterer kann dieselben Einstellungen öffnen.</translation>
    </message>
</context>
<context>
    <name>korvland::SplashWindow</name>
    <message>
        <source>Generating Map Landmarks. Please Wait</source>
        <translation>Landmarken werden erzeugt. Bitte warten</translation>
    </message>
</context>
<context>
    <name>korvland::Startup</name>
    <message>
        <source>korvland: this user has no home folder; unsaved work is not kept for a restart.</source>
        <translation>korvland: Dieser Benutzer hat keinen Home-Ordner; ungespeicherte Arbeit wird nicht für einen Neustart aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>korvland::StatusModel</name>
    <message>
        <source>Allied</source>
        <extracomment>A status row&apos;s side, read out by a screen reader.</extracomment>
        <translation>Alliiert</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>switched on</source>
        <translation>eingeschaltet</translation>
    </message>
    <message>
        <source>switched off</source>
        <translation>ausgeschaltet</translation>
    </message>
    <message>
        <source>%1, %2, %3</source>
        <extracomment>A status row read out by a screen reader: kind, side and state (&quot;Town, Allied, switched off&quot;).</extracomment>
        <translation>%1, %2, %3</translation>
    </message>
</context>
<context>
    <name>korvland::StatusWindow</name>
    <message>
        <source>Landmarks Status Table</source>
        <translation>Statustabelle der Landmarken</translation>
    </message>
    <message>
        <source>Landmarks</source>
        <extracomment>The accessible name of the status table&apos;s list of landmarks.</extracomment>
        <translation>Landmarken</translation>
    </message>
</context>
<context>
    <name>korvland::UserError</name>
    <message>
        <source>&apos;%1&apos; is the same file as the input &apos;%2&apos;; write the output to another file</source>
        <translation>„%1“ ist dieselbe Datei wie die Eingabe „%2“; schreiben Sie die Ausgabe in eine andere Datei</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>Zugriff auf die Datei verweigert</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Zu viele offene Dateien</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Datenträger voll</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <extracomment>%1 is the operating system&apos;s error number</extracomment>
        <translation>Ein-/Ausgabefehler %1</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message>
        <source>landmarks</source>
        <extracomment>what a file holds, filled into &quot;&apos;%1&apos; holds %2, not %3; ...&quot;</extracomment>
        <translation>Landmarken</translation>
    </message>
    <message>
        <source>a profile</source>
        <extracomment>what a file holds, filled into &quot;&apos;%1&apos; holds %2, not %3; ...&quot;</extracomment>
        <translation>ein Profil</translation>
    </message>
    <message>
        <source>something else</source>
        <extracomment>what a file holds, filled into &quot;&apos;%1&apos; holds %2, not %3; ...&quot;</extracomment>
        <translation>etwas anderes</translation>
    </message>
    <message>
        <source>&apos;%1&apos; holds %2, not %3; remove it first or choose another name</source>
        <extracomment>%1 is a path; %2 and %3 are &quot;landmarks&quot;, &quot;a profile&quot; or &quot;something else&quot;</extracomment>
        <translation>„%1“ enthält %2, nicht %3; entfernen Sie die Datei zuerst oder wählen Sie einen anderen Namen</translation>
    </message>
    <message>
        <source>Invalid landmark file: it holds %1 records; a landmark file holds 1 to 1024.</source>
        <translation>Ungültige Landmarkendatei mit %1 Datensätzen; eine Landmarkendatei enthält 1 bis 1024.</translation>
    </message>
    <message>
        <source>Read beyond end of file</source>
        <translation>Lesen über das Dateiende hinaus</translation>
    </message>
    <message>
        <source>The file&apos;s full path is %1 bytes long; at most 127 bytes can be kept</source>
        <translation>Der vollständige Pfad der Datei ist %1 Byte lang; höchstens 127 Byte können gespeichert werden</translation>
    </message>
    <message>
        <source>No landmark file has been read yet; there is nothing to write.</source>
        <translation>Es wurde noch keine Landmarkendatei gelesen; es gibt nichts zu schreiben.</translation>
    </message>
    <message>
        <source>The profile names no landmark file.</source>
        <translation>Das Profil nennt keine Landmarkendatei.</translation>
    </message>
    <message>
        <source>Invalid profile: it is longer than %1 bytes; a profile is exactly %2 bytes.</source>
        <translation>Ungültiges Profil: Es ist länger als %1 Byte; ein Profil ist genau %2 Byte lang.</translation>
    </message>
    <message>
        <source>Invalid profile: the landmark file&apos;s path has no terminating zero byte within its %1 bytes.</source>
        <translation>Ungültiges Profil: Der Pfad der Landmarkendatei hat innerhalb seiner %1 Byte kein abschließendes Nullbyte.</translation>
    </message>
    <message>
        <source>Invalid profile: it counts %1 records; a landmark file holds at most %2.</source>
        <translation>Ungültiges Profil: Es zählt %1 Datensätze; eine Landmarkendatei enthält höchstens %2.</translation>
    </message>
    <message>
        <source>Invalid profile: the flag of record %1 is %2; a flag is 0, 1 or 2.</source>
        <extracomment>%1 is a record number, %2 the flag&apos;s value</extracomment>
        <translation>Ungültiges Profil: Das Kennzeichen von Datensatz %1 ist %2; ein Kennzeichen ist 0, 1 oder 2.</translation>
    </message>
    <message>
        <source>%1; the old contents were kept as %2 and the complete new file as %3</source>
        <extracomment>%1 is what went wrong (&quot;Disk full&quot;), %2 and %3 are paths</extracomment>
        <translation>%1; der alte Inhalt wurde als %2 und die vollständige neue Datei als %3 aufbewahrt</translation>
    </message>
    <message>
        <source>Another program is still saving this file; try again in a moment</source>
        <translation>Ein anderes Programm speichert diese Datei noch; bitte gleich noch einmal versuchen</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>The settings file %1 cannot keep a name or value that would not read back the same</source>
        <translation>Die Einstellungsdatei %1 kann keinen Namen oder Wert aufnehmen, der beim Lesen nicht gleich zurückkäme</translation>
    </message>
    <message>
        <source>The settings file %1 is larger than 1 MiB, more than this program ever writes. It is left as it is; this run uses the default settings and saves none</source>
        <translation>Die Einstellungsdatei %1 ist größer als 1 MiB, mehr als dieses Programm je schreibt. Sie bleibt unverändert; dieser Lauf verwendet die Standardeinstellungen und speichert keine</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige Ganzzahl</translation>
    </message>
    <message>
        <source>The file is larger than any landmark file can be (64 MiB).</source>
        <translation>Die Datei ist größer, als eine Landmarkendatei sein kann (64 MiB).</translation>
    </message>
    <message>
        <source>an interrupted save of %1 was not finished: the file changed since; its copy is kept at %2</source>
        <extracomment>%1 is the file that was being saved, %2 the path of its new contents&apos; complete copy</extracomment>
        <translation>ein unterbrochenes Speichern von %1 wurde nicht abgeschlossen: Die Datei hat sich seitdem geändert; ihre Kopie liegt unter %2</translation>
    </message>
    <message>
        <source>finished an interrupted save of %1</source>
        <extracomment>%1 is the file whose save was interrupted</extracomment>
        <translation>unterbrochenes Speichern von %1 abgeschlossen</translation>
    </message>
    <message>
        <source>rolled back an interrupted save of %1</source>
        <translation>unterbrochenes Speichern von %1 zurückgenommen</translation>
    </message>
    <message>
        <source>%1 can only be saved in place, and this user has no home folder for its journal</source>
        <extracomment>%1 is the file to be saved</extracomment>
        <translation>%1 lässt sich nur an Ort und Stelle speichern, und dieser Benutzer hat keinen Home-Ordner für das Journal</translation>
    </message>
    <message>
        <source>The unsaved changes name landmarks that &apos;%1&apos; no longer has; they cannot be merged</source>
        <translation>Die ungespeicherten Änderungen betreffen Landmarken, die &apos;%1&apos; nicht mehr enthält; sie können nicht zusammengeführt werden</translation>
    </message>
</context>
<context>
    <name>korvland::WelcomeWindow</name>
    <message>
        <source>Use this editor at your own risk.
Make a backup of all of your 
LndmrksX.dat files!</source>
        <extracomment>Lines broken by hand to fit the warning box (about 40 characters a line); break the translation&apos;s lines to fit as well.</extracomment>
        <translation>Benutzung dieses Editors auf eigene Gefahr.
Sichern Sie alle Ihre
LndmrksX.dat-Dateien!</translation>
    </message>
    <message>
        <source>Read Pellam&apos;s documentation on how to 
use this utility and how to set up the 
server to use the new Landmarks files. </source>
        <extracomment>Lines broken by hand to fit the warning box (about 40 characters a line); break the translation&apos;s lines to fit as well.</extracomment>
        <translation>Lesen Sie in Pellams Anleitung, wie Sie
das Programm benutzen und den Server
für die neuen Landmarkendateien einrichten.</translation>
    </message>
    <message>
        <source>Good luck &amp; Enjoy!</source>
        <extracomment>The &quot;&amp;&quot; is a plain ampersand, not an access key.</extracomment>
        <translation>Viel Glück &amp; viel Spaß!</translation>
    </message>
    <message>
        <source>Click to Start TLQ Landmarks Editor</source>
        <translation>TLQ Landmarks Editor starten</translation>
    </message>
    <message>
        <source>Landmarks folder not set.</source>
        <translation>Der Landmarkenordner ist nicht festgelegt.</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>Accessible name of the welcome window&apos;s warning text.</extracomment>
        <translation>Warnung</translation>
    </message>
</context>
</TS>
