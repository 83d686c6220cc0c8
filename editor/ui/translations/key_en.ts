<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>keyui::action::Names</name>
    <message>
        <source>Ausschneiden</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Taste verschieben</source>
        <translation>Move Key</translation>
    </message>
    <message>
        <source>Tastengröße ändern</source>
        <translation>Resize Key</translation>
    </message>
    <message>
        <source>Tastenprogrammierung</source>
        <translation>Key Programming</translation>
    </message>
    <message>
        <source>Tastenbeschriftung</source>
        <translation>Key Caption</translation>
    </message>
    <message>
        <source>Beschriftungsoptionen</source>
        <translation>Caption Options</translation>
    </message>
    <message>
        <source>Ebenen</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>Tastatureinstellungen</source>
        <translation>Keyboard Settings</translation>
    </message>
    <message>
        <source>Module</source>
        <translation>Modules</translation>
    </message>
</context>
<context>
    <name>keyui::app::AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Die Tastatur wird abgefragt ...</source>
        <translation>Asking the keyboard ...</translation>
    </message>
</context>
<context>
    <name>keyui::app::Commands</name>
    <message>
        <source>&amp;Neu</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Erstellt eine neue Tastaturschablone.
Neu</source>
        <translation>Creates a new keyboard layout.
New</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Öffnet eine bestehende Tastaturschablone.
Öffnen</source>
        <translation>Opens an existing keyboard layout.
Open</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Schließt die aktive Tastaturschablone.
Schließen</source>
        <translation>Closes the active keyboard layout.
Close</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Speichert die aktive Tastaturschablone.
Speichern</source>
        <translation>Saves the active keyboard layout.
Save</translation>
    </message>
    <message>
        <source>Speichern &amp;unter...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Speichert die aktive Tastaturschablone unter einem neuen Namen.
Speichern unter</source>
        <translation>Saves the active keyboard layout under a new name.
Save As</translation>
    </message>
    <message>
        <source>Einstellungen an Tastatur sen&amp;den</source>
        <translation>Sen&amp;d Settings to Keyboard</translation>
    </message>
    <message>
        <source>Speichert die aktive Tastaturschablone in der Tastatur.
Speicher in Tastatur</source>
        <translation>Stores the active keyboard layout in the keyboard.
Store in Keyboard</translation>
    </message>
    <message>
        <source>Belegung speichern und &amp;testen</source>
        <translation>Save Layout and &amp;Test</translation>
    </message>
    <message>
        <source>Speichert die Belegung und übersetzt sie zur Probe.
Speichern und testen</source>
        <translation>Saves the layout and compiles it as a test.
Save and Test</translation>
    </message>
    <message>
        <source>&amp;Drucken...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Druckt die Tastenbeschriftungen der aktiven Tastaturschablone.
Drucken</source>
        <translation>Prints the key legends of the active keyboard layout.
Print</translation>
    </message>
    <message>
        <source>Seiten&amp;ansicht</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>Zeigt die Tastenbeschriftungen so, wie sie gedruckt werden.
Seitenansicht</source>
        <translation>Shows the key legends as they will be printed.
Print Preview</translation>
    </message>
    <message>
        <source>Drucker&amp;einrichtung...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>Wählt den Drucker und seine Einstellungen.
Druckereinrichtung</source>
        <translation>Chooses the printer and its settings.
Print Setup</translation>
    </message>
    <message>
        <source>Zuletzt geöffnete Datei</source>
        <translation>Recent File</translation>
    </message>
    <message>
        <source>Öffnet diese Tastaturschablone.
Zuletzt geöffnet</source>
        <translation>Opens this keyboard layout.
Recent File</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Beendet das Programm und fragt nach dem Speichern geänderter Schablonen.
Beenden</source>
        <translation>Quits the program, asking to save changed layouts.
Exit</translation>
    </message>
    <message>
        <source>&amp;Ausschneiden</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>Schneidet die markierte Taste aus und legt sie in die Zwischenablage.
Ausschneiden</source>
        <translation>Cuts the selected key and puts it on the clipboard.
Cut</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Kopiert die markierte Taste in die Zwischenablage.
Kopieren</source>
        <translation>Copies the selected key to the clipboard.
Copy</translation>
    </message>
    <message>
        <source>E&amp;infügen</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Überträgt die Taste der Zwischenablage auf die markierte Taste.
Einfügen</source>
        <translation>Gives the selected key the content of the clipboard key.
Paste</translation>
    </message>
    <message>
        <source>&amp;Rückgängig</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Macht die letzte Aktion rückgängig.
Rückgängig</source>
        <translation>Undoes the last action.
Undo</translation>
    </message>
    <message>
        <source>Tasten&amp;beschriftung...</source>
        <translation>Key &amp;Caption...</translation>
    </message>
    <message>
        <source>Ändert die Beschriftung der markierten Taste.
Tastenbeschriftung</source>
        <translation>Changes the caption of the selected key.
Key Caption</translation>
    </message>
    <message>
        <source>Tasten&amp;programmierung...</source>
        <translation>Key &amp;Programming...</translation>
    </message>
    <message>
        <source>Ändert die Programmierung der markierten Taste.
Tastenprogrammierung</source>
        <translation>Changes the programming of the selected key.
Key Programming</translation>
    </message>
    <message>
        <source>Beschriftung für &amp;Gruppe...</source>
        <translation>Caption for &amp;Group...</translation>
    </message>
    <message>
        <source>Ändert die Beschriftungsoptionen aller markierten Tasten.
Gruppenbeschriftung</source>
        <translation>Changes the caption options of all selected keys.
Group Caption</translation>
    </message>
    <message>
        <source>&amp;Layereinstellungen...</source>
        <translation>&amp;Layer Settings...</translation>
    </message>
    <message>
        <source>Legt die Layer und ihre Bedingungen fest.
Layereinstellungen</source>
        <translation>Defines the layers and their conditions.
Layer Settings</translation>
    </message>
    <message>
        <source>&amp;Globale Beschriftungsoptionen...</source>
        <translation>&amp;Global Caption Options...</translation>
    </message>
    <message>
        <source>Ändert die Beschriftungsoptionen aller Tasten ohne eigene Einstellungen.
Globale Beschriftungsoptionen</source>
        <translation>Changes the caption options of all keys without settings of their own.
Global Caption Options</translation>
    </message>
    <message>
        <source>&amp;Allgemeine Tastatureinstellungen...</source>
        <translation>General &amp;Keyboard Settings...</translation>
    </message>
    <message>
        <source>Stellt Land, Schnittstelle, Ton, Tastenwiederholung und Tastenform ein.
Tastatureinstellungen</source>
        <translation>Sets country, interface, sound, typematic rate and key shape.
Keyboard Settings</translation>
    </message>
    <message>
        <source>&amp;Module...</source>
        <translation>&amp;Modules...</translation>
    </message>
    <message>
        <source>Stellt die Module der Tastatur ein.
Module</source>
        <translation>Sets up the keyboard&apos;s modules.
Modules</translation>
    </message>
    <message>
        <source>&amp;Symbolleiste</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>Blendet die Symbolleiste ein oder aus.
Symbolleiste ein/aus</source>
        <translation>Shows or hides the toolbar.
Toggle Toolbar</translation>
    </message>
    <message>
        <source>S&amp;tatusleiste</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>Blendet die Statusleiste ein oder aus.
Statusleiste ein/aus</source>
        <translation>Shows or hides the status bar.
Toggle Status Bar</translation>
    </message>
    <message>
        <source>&amp;Layerdatenanzeige</source>
        <translation>&amp;Layer Data Display</translation>
    </message>
    <message>
        <source>Zeigt die Programmierung der Taste unter dem Mauszeiger.
Layerdatenanzeige</source>
        <translation>Shows the programming of the key under the mouse pointer.
Layer Data Display</translation>
    </message>
    <message>
        <source>100% Standard</source>
        <translation>100% Standard</translation>
    </message>
    <message>
        <source>Zeigt die Tastatur in Originalgröße.
100%</source>
        <translation>Shows the keyboard at its real size.
100%</translation>
    </message>
    <message>
        <source>200% Vergrößerung</source>
        <translation>200% Magnified</translation>
    </message>
    <message>
        <source>Zeigt die Tastatur in doppelter Größe.
200%</source>
        <translation>Shows the keyboard at twice its size.
200%</translation>
    </message>
    <message>
        <source>Gesamtansicht</source>
        <translation>Whole Keyboard</translation>
    </message>
    <message>
        <source>Zeigt die ganze Tastatur im Fenster.
Gesamtansicht</source>
        <translation>Shows the whole keyboard in the window.
Whole Keyboard</translation>
    </message>
    <message>
        <source>&amp;Neues Fenster</source>
        <translation>&amp;New Window</translation>
    </message>
    <message>
        <source>Öffnet ein weiteres Fenster der aktiven Tastaturschablone.
Neues Fenster</source>
        <translation>Opens another window on the active keyboard layout.
New Window</translation>
    </message>
    <message>
        <source>Ü&amp;berlappend</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>Ordnet die Fenster überlappend an.
Überlappend</source>
        <translation>Arranges the windows overlapping.
Cascade</translation>
    </message>
    <message>
        <source>&amp;Nebeneinander</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>Ordnet die Fenster nebeneinander an.
Nebeneinander</source>
        <translation>Arranges the windows side by side.
Tile</translation>
    </message>
    <message>
        <source>&amp;Symbole anordnen</source>
        <translation>&amp;Arrange Icons</translation>
    </message>
    <message>
        <source>Ordnet die Symbole der Fenster am unteren Rand an.
Symbole anordnen</source>
        <translation>Arranges the window icons along the bottom.
Arrange Icons</translation>
    </message>
    <message>
        <source>&amp;Hilfethemen</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>Zeigt die Themen der Hilfe.
Hilfethemen</source>
        <translation>Shows the help topics.
Help Topics</translation>
    </message>
    <message>
        <source>&amp;Info über Vyrn Layomat...</source>
        <translation>&amp;About Vyrn Layomat...</translation>
    </message>
    <message>
        <source>Zeigt Programminformationen und die Version der Tastatur.
Info</source>
        <translation>Shows program information and the keyboard version.
About</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Bricht den laufenden Vorgang ab.
Abbrechen</source>
        <translation>Cancels the current operation.
Cancel</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Zeigt die Hilfe.
Hilfe</source>
        <translation>Shows the help.
Help</translation>
    </message>
    <message>
        <source>Direkthilfe</source>
        <translation>Context Help</translation>
    </message>
    <message>
        <source>Zeigt die Hilfe zu einem angeklickten Element.
Direkthilfe</source>
        <translation>Shows the help for an element clicked on.
Context Help</translation>
    </message>
    <message>
        <source>Nächster Ausschnitt</source>
        <translation>Next Pane</translation>
    </message>
    <message>
        <source>Wechselt zum nächsten Fensterausschnitt.
Nächster Ausschnitt</source>
        <translation>Switches to the next pane.
Next Pane</translation>
    </message>
    <message>
        <source>Vorheriger Ausschnitt</source>
        <translation>Previous Pane</translation>
    </message>
    <message>
        <source>Wechselt zum vorherigen Fensterausschnitt.
Vorheriger Ausschnitt</source>
        <translation>Switches to the previous pane.
Previous Pane</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Ansicht</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Bearbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Einzel&amp;tasten</source>
        <translation>&amp;Keys</translation>
    </message>
    <message>
        <source>&amp;Einstellungen</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Fenster</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>Tastenbeschriftung ändern...	F3</source>
        <translation>Change Key Caption...	F3</translation>
    </message>
    <message>
        <source>Tastenprogrammierung ändern...	F4</source>
        <translation>Change Key Programming...	F4</translation>
    </message>
    <message>
        <source>Tastenbeschriftung für Gruppe ändern...</source>
        <translation>Change Caption for Group...</translation>
    </message>
    <message>
        <source>Layereinstellungen...</source>
        <translation>Layer Settings...</translation>
    </message>
    <message>
        <source>Globale Beschriftungsoptionen...</source>
        <translation>Global Caption Options...</translation>
    </message>
    <message>
        <source>Layerdatenanzeige</source>
        <translation>Layer Data Display</translation>
    </message>
    <message>
        <source>&amp;Wiederherstellen</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Führt die zuletzt rückgängig gemachte Aktion erneut aus.
Wiederherstellen</source>
        <translation>Redoes the last action undone.
Redo</translation>
    </message>
    <message>
        <source>&amp;Rückgängig: %1</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>&amp;Wiederherstellen: %1</source>
        <translation>&amp;Redo %1</translation>
    </message>
</context>
<context>
    <name>keyui::app::FileCommands</name>
    <message>
        <source>Keyboard (*.kbf)</source>
        <translation>Keyboard (*.kbf)</translation>
    </message>
    <message>
        <source>Die Datei existiert nicht.</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>Die Datei kann nicht gelesen werden.</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>Die Datei ist zu groß für eine Tastaturbelegung.</source>
        <translation>The file is too large for a keyboard layout.</translation>
    </message>
    <message>
        <source>Die Datei enthält keine Tastaturbelegung.</source>
        <translation>The file holds no keyboard layout.</translation>
    </message>
    <message>
        <source>%1 kann nicht geöffnet werden.
%2</source>
        <translation>%1 cannot be opened.
%2</translation>
    </message>
    <message>
        <source>Open Keyboard File</source>
        <translation>Open Keyboard File</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>%1 konnte nicht gespeichert werden.
%2</source>
        <translation>%1 could not be saved.
%2</translation>
    </message>
</context>
<context>
    <name>keyui::app::LayerBar</name>
    <message>
        <source>Layer</source>
        <translation>Layer</translation>
    </message>
</context>
<context>
    <name>keyui::app::MainWindow</name>
    <message>
        <source>Symbolleiste</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Keine Taste markiert: zuerst eine Taste anklicken.</source>
        <translation>No key selected: click a key first.</translation>
    </message>
</context>
<context>
    <name>keyui::app::NewDocumentDialog</name>
    <message>
        <source>Tastaturtyp</source>
        <translation>Keyboard Type</translation>
    </message>
    <message>
        <source>OPOS Einstellungen</source>
        <translation>OPOS settings</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>GR - Deutschland</source>
        <translation>GR - Germany</translation>
    </message>
    <message>
        <source>US - International</source>
        <translation>US - International</translation>
    </message>
    <message>
        <source>IT - Italien (142)</source>
        <translation>IT - Italy (142)</translation>
    </message>
    <message>
        <source>FR - Frankreich (189)</source>
        <translation>FR - France (189)</translation>
    </message>
    <message>
        <source>SF - Schweiz französisch</source>
        <translation>SF - Switzerland French</translation>
    </message>
    <message>
        <source>SG - Schweiz deutsch</source>
        <translation>SG - Switzerland German</translation>
    </message>
    <message>
        <source>UK - Großbritannien (166)</source>
        <translation>UK - Great Britain (166)</translation>
    </message>
    <message>
        <source>SP - Spanien</source>
        <translation>SP - Spain</translation>
    </message>
</context>
<context>
    <name>keyui::app::QtUserDialogs</name>
    <message>
        <source>Vyrn Layomat</source>
        <translation>Vyrn Layomat</translation>
    </message>
    <message>
        <source>Änderungen in %1 speichern?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::CaptionDialog</name>
    <message>
        <source>Ein Backslash am Ende der Beschriftung leitet keinen Code ein. Für einen Backslash \\ eingeben.</source>
        <translation>A backslash at the end of a caption starts no code. Type \\ for a backslash.</translation>
    </message>
    <message>
        <source>Tastenbeschriftung ändern </source>
        <translation>Change key caption </translation>
    </message>
    <message>
        <source>Beschriftungstext</source>
        <translation>Caption text</translation>
    </message>
    <message>
        <source>Zeilenumbruch</source>
        <translation>Line break</translation>
    </message>
    <message>
        <source>Piktogramm...</source>
        <translation>Pictogram...</translation>
    </message>
    <message>
        <source>Lokale Einstellungen nur für diese Taste...</source>
        <translation>Local settings for this key only...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Taste mit Grafik belegen</source>
        <translation>Assign a picture to the key</translation>
    </message>
    <message>
        <source>Windows Bitmap (*.bmp)</source>
        <translation>Windows Bitmap (*.bmp)</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::CaptionOptionsDialog</name>
    <message>
        <source>Tasten-Beschriftungseinstellungen</source>
        <translation>Key caption settings</translation>
    </message>
    <message>
        <source>Zeilenabstand:</source>
        <translation>Line spacing:</translation>
    </message>
    <message>
        <source>Freiraum links:</source>
        <translation>Left margin:</translation>
    </message>
    <message>
        <source>Freiraum oben:</source>
        <translation>Top margin:</translation>
    </message>
    <message>
        <source>Textfarbe</source>
        <translation>Text colour</translation>
    </message>
    <message>
        <source>Tastenfarbe</source>
        <translation>Key colour</translation>
    </message>
    <message>
        <source>Tastenschrift</source>
        <translation>Key font</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::CountryPage</name>
    <message>
        <source>US - Vereinigte Staaten</source>
        <translation>US - United States</translation>
    </message>
    <message>
        <source>GR - Deutschland</source>
        <translation>GR - Germany</translation>
    </message>
    <message>
        <source>FR - Frankreich (FR189)</source>
        <translation>FR - France (FR189)</translation>
    </message>
    <message>
        <source>UK - Großbritannien (UK166)</source>
        <translation>UK - Great Britain (UK166)</translation>
    </message>
    <message>
        <source>SG - Schweiz (Deutsch)</source>
        <translation>SG - Switzerland (German)</translation>
    </message>
    <message>
        <source>SF - Schweiz (Französisch)</source>
        <translation>SF - Switzerland (French)</translation>
    </message>
    <message>
        <source>IT - Italien (IT142)</source>
        <translation>IT - Italy (IT142)</translation>
    </message>
    <message>
        <source>SP - Spanien</source>
        <translation>SP - Spain</translation>
    </message>
    <message>
        <source>ShiftLock</source>
        <translation>ShiftLock</translation>
    </message>
    <message>
        <source>CapsLock</source>
        <translation>CapsLock</translation>
    </message>
    <message>
        <source>Hotkeys für Online Programmierung</source>
        <translation>Hotkeys for online programming</translation>
    </message>
    <message>
        <source>Hotkeys für Online Programmierung aktivieren:
Alt+Druck für Zeichenketten,
Strg+Alt+Druck für Einzeltasten</source>
        <translation>Enable hotkeys for online programming:
Alt+Print for strings,
Ctrl+Alt+Print for single keys</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::InterfacePage</name>
    <message>
        <source>AT / USB</source>
        <translation>AT / USB</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>PC</translation>
    </message>
    <message>
        <source>COM:</source>
        <translation>COM:</translation>
    </message>
    <message>
        <source>E - Gerade</source>
        <translation>E - Even</translation>
    </message>
    <message>
        <source>O - Ungerade</source>
        <translation>O - Odd</translation>
    </message>
    <message>
        <source>N - Keine Parität</source>
        <translation>N - No parity</translation>
    </message>
    <message>
        <source> Schnittstelle </source>
        <translation> Interface </translation>
    </message>
    <message>
        <source> COM: - Konfiguration </source>
        <translation> COM: configuration </translation>
    </message>
    <message>
        <source>RTS / CTS</source>
        <translation>RTS / CTS</translation>
    </message>
    <message>
        <source>Parität:</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>Baudrate:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>Datenbits:</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <source>verkettete Tastatur</source>
        <translation>chained keyboard</translation>
    </message>
    <message>
        <source>Verkettete Tastatur initialisieren und
LED-Informationen an sie senden</source>
        <translation>Initialise the chained keyboard and
send LED information to it</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::KeyShapePage</name>
    <message>
        <source>12mm Beschriftungszone</source>
        <translation>12mm caption zone</translation>
    </message>
    <message>
        <source>13mm Beschriftungszone</source>
        <translation>13mm caption zone</translation>
    </message>
    <message>
        <source>Achtung: Eine Änderung setzt alle Tasten
auf die gewählte Größe (1x1)!</source>
        <translation>Caution: a change sets all keys
to the chosen size (1x1)!</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::KeyboardSettingsSheet</name>
    <message>
        <source>Keyboard Parameter einstellen</source>
        <translation>Set keyboard parameters</translation>
    </message>
    <message>
        <source>Land</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>Schnittstelle</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>Ton</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Tastenwiederholung</source>
        <translation>Key repeat</translation>
    </message>
    <message>
        <source>Tastenform</source>
        <translation>Key shape</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::LayerPage</name>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Scroll</source>
        <translation>Scroll</translation>
    </message>
    <message>
        <source>NumLock</source>
        <translation>NumLock</translation>
    </message>
    <message>
        <source>CapsLock</source>
        <translation>CapsLock</translation>
    </message>
    <message>
        <source>Funktionstasten</source>
        <translation>Function keys</translation>
    </message>
    <message>
        <source>Tastaturklick</source>
        <translation>Key click</translation>
    </message>
    <message>
        <source>Automatische Tastenwiederholung</source>
        <translation>Automatic key repeat</translation>
    </message>
    <message>
        <source>Geschützte Taste</source>
        <translation>Protected key</translation>
    </message>
    <message>
        <source>MakeBreak</source>
        <translation>MakeBreak</translation>
    </message>
    <message>
        <source>Kein Restore</source>
        <translation>No restore</translation>
    </message>
    <message>
        <source>lösen</source>
        <translation>release</translation>
    </message>
    <message>
        <source>drücken+lösen</source>
        <translation>press+release</translation>
    </message>
    <message>
        <source>drücken</source>
        <translation>press</translation>
    </message>
    <message>
        <source>Layername:</source>
        <translation>Layer name:</translation>
    </message>
    <message>
        <source> Ebene </source>
        <translation> Level </translation>
    </message>
    <message>
        <source> Erweiterte Ebenen </source>
        <translation> Extended levels </translation>
    </message>
    <message>
        <source> Attribute </source>
        <translation> Attributes </translation>
    </message>
    <message>
        <source> Taste auslösen bei </source>
        <translation> Trigger key on </translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::LayerSheet</name>
    <message>
        <source>Layer definieren</source>
        <translation>Define layers</translation>
    </message>
    <message>
        <source>Neuer Layer</source>
        <translation>New layer</translation>
    </message>
    <message>
        <source>Die Layerdefinitionen konnten nicht in die Datei %1 geschrieben werden.
Die Änderungen gelten nur bis zum Programmende.</source>
        <translation>The layer definitions could not be written to the file %1.
The changes last only until the program ends.</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::ModulePage</name>
    <message>
        <source>Barcode</source>
        <translation>Barcode</translation>
    </message>
    <message>
        <source>Funktionskarte</source>
        <translation>Function card</translation>
    </message>
    <message>
        <source>Schlüsselschalter</source>
        <translation>Key lock</translation>
    </message>
    <message>
        <source>KVK Leser</source>
        <translation>KVK reader</translation>
    </message>
    <message>
        <source>MSR</source>
        <translation>MSR</translation>
    </message>
    <message>
        <source>Autoinput</source>
        <translation>Autoinput</translation>
    </message>
    <message>
        <source>Sentinels (Rahmendaten senden)</source>
        <translation>Sentinels (send framing data)</translation>
    </message>
    <message>
        <source>Spur 1</source>
        <translation>Track 1</translation>
    </message>
    <message>
        <source>Spur 2</source>
        <translation>Track 2</translation>
    </message>
    <message>
        <source>Spur 3</source>
        <translation>Track 3</translation>
    </message>
    <message>
        <source>3-Spur-Leser</source>
        <translation>3-track reader</translation>
    </message>
    <message>
        <source>LRC ausgeben</source>
        <translation>Output LRC</translation>
    </message>
    <message>
        <source>Einsetzen</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Herausnehmen</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>BA0 / Festformat</source>
        <translation>BA0 / fixed format</translation>
    </message>
    <message>
        <source>BA1 / ASN.1</source>
        <translation>BA1 / ASN.1</translation>
    </message>
    <message>
        <source>BA2</source>
        <translation>BA2</translation>
    </message>
    <message>
        <source>Vorspann</source>
        <translation>Header</translation>
    </message>
    <message>
        <source>Abspann</source>
        <translation>Trailer</translation>
    </message>
    <message>
        <source>Bad Read String:</source>
        <translation>Bad Read String:</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::ModuleSheet</name>
    <message>
        <source>Module einstellen</source>
        <translation>Set up modules</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::ProgrammingPage</name>
    <message>
        <source>Tastaturklick</source>
        <translation>Key click</translation>
    </message>
    <message>
        <source>Automatische Tastenwiederholung</source>
        <translation>Automatic key repeat</translation>
    </message>
    <message>
        <source>Geschützte Taste</source>
        <translation>Protected key</translation>
    </message>
    <message>
        <source>Langsame Ausgabe</source>
        <translation>Slow output</translation>
    </message>
    <message>
        <source>Tastenprogrammierung:</source>
        <translation>Key programming:</translation>
    </message>
    <message>
        <source> Tasten-lokale Attribute </source>
        <translation> Key-local attributes </translation>
    </message>
    <message>
        <source>Nächste Tasteneingabe als Programmierung übernehmen</source>
        <translation>Take the next keystroke as programming</translation>
    </message>
    <message>
        <source> Taste simulieren </source>
        <translation> Simulate key </translation>
    </message>
    <message>
        <source>Nur einfachen Tastendruck eingeben.</source>
        <translation>Enter a single keystroke only.</translation>
    </message>
    <message>
        <source>Tastenkombinationen anwählen:</source>
        <translation>Select key combinations:</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Tastenbefehle &gt;&gt;</source>
        <translation>Key commands &gt;&gt;</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::ProgrammingSheet</name>
    <message>
        <source>Diese Programmierung ergibt mehr Bytes, als eine Taste der Tastatur aufnehmen kann. Bitte kürzen.</source>
        <translation>This programming gives more bytes than one key of the keyboard can hold. Please shorten it.</translation>
    </message>
    <message>
        <source>Diese Programmierung enthält einen Namen in geschweiften Klammern oder eine Folge mit Backslash, die der Compiler nicht kennt.</source>
        <translation>This programming contains a name in braces or a backslash sequence that the compiler does not know.</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::PropertySheet</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::RatePage</name>
    <message>
        <source>DEFAULT -  Normal</source>
        <translation>DEFAULT -  Normal</translation>
    </message>
    <message>
        <source>FAST - Schnell</source>
        <translation>FAST - Fast</translation>
    </message>
    <message>
        <source>MEDIUM - Mittel</source>
        <translation>MEDIUM - Medium</translation>
    </message>
    <message>
        <source>SLOW - Langsam</source>
        <translation>SLOW - Slow</translation>
    </message>
    <message>
        <source>VERY SLOW - Sehr langsam</source>
        <translation>VERY SLOW - Very slow</translation>
    </message>
    <message>
        <source> Normale Tasten </source>
        <translation> Normal keys </translation>
    </message>
    <message>
        <source>Tastenfrequenz:</source>
        <translation>Key rate:</translation>
    </message>
    <message>
        <source>Verzögerung:</source>
        <translation>Delay:</translation>
    </message>
    <message>
        <source> Langsame Tasten </source>
        <translation> Slow keys </translation>
    </message>
    <message>
        <source>%1 Zeichen/s</source>
        <translation>%1 characters/s</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
</context>
<context>
    <name>keyui::dialogs::SoundPage</name>
    <message>
        <source>Lautstärke:</source>
        <translation>Volume:</translation>
    </message>
    <message>
        <source>Dauer:</source>
        <translation>Duration:</translation>
    </message>
    <message>
        <source> Tastenklick </source>
        <translation> Key click </translation>
    </message>
    <message>
        <source> Fehleralarm </source>
        <translation> Error alarm </translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
</context>
<context>
    <name>keyui::download::DownloadCommands</name>
    <message>
        <source>Fehler beim Speichern</source>
        <translation>Error Saving</translation>
    </message>
    <message>
        <source>Die Belegung konnte nicht nach %1 geschrieben werden.
%2</source>
        <translation>The layout could not be written to %1.
%2</translation>
    </message>
</context>
<context>
    <name>keyui::download::InterfaceDialog</name>
    <message>
        <source>E - Gerade</source>
        <translation>E - Even</translation>
    </message>
    <message>
        <source>O - Ungerade</source>
        <translation>O - Odd</translation>
    </message>
    <message>
        <source>N - No Parity</source>
        <translation>N - No Parity</translation>
    </message>
    <message>
        <source>Schnittstelle zum Download</source>
        <translation>Download Interface</translation>
    </message>
    <message>
        <source>AT</source>
        <translation>AT</translation>
    </message>
    <message>
        <source>USB (OPOS Treiber erforderlich)</source>
        <translation>USB (OPOS driver required)</translation>
    </message>
    <message>
        <source>COM:</source>
        <translation>COM:</translation>
    </message>
    <message>
        <source>COM%1:</source>
        <translation>COM%1:</translation>
    </message>
    <message>
        <source>RTS / CTS</source>
        <translation>RTS / CTS</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>&amp;Parität:</source>
        <translation>&amp;Parity:</translation>
    </message>
    <message>
        <source>&amp;Baudrate:</source>
        <translation>&amp;Baud rate:</translation>
    </message>
    <message>
        <source>&amp;Datenbits:</source>
        <translation>&amp;Data bits:</translation>
    </message>
</context>
<context>
    <name>keyui::download::ProgressDialog</name>
    <message>
        <source>Ein Compilierfehler ist aufgetreten</source>
        <translation>A compile error occurred</translation>
    </message>
    <message>
        <source>KBF - Datei wurde nicht gefunden</source>
        <translation>KBF file not found</translation>
    </message>
    <message>
        <source>Ausgabedatei konnte nicht geöffnet werden</source>
        <translation>Output file could not be opened</translation>
    </message>
    <message>
        <source>Kein Dateiname angegeben</source>
        <translation>No file name given</translation>
    </message>
    <message>
        <source>COM - Port konnte nicht geöffnet werden</source>
        <translation>COM port could not be opened</translation>
    </message>
    <message>
        <source>Falsche Schnittstelle angegeben</source>
        <translation>Wrong interface given</translation>
    </message>
    <message>
        <source>COM - Port konnte nicht geschlossen werden</source>
        <translation>COM port could not be closed</translation>
    </message>
    <message>
        <source>Download nicht möglich</source>
        <translation>Download not possible</translation>
    </message>
    <message>
        <source>KBX - Datei ist ungültig</source>
        <translation>KBX file is invalid</translation>
    </message>
    <message>
        <source>KBX - Datei wurde nicht gefunden</source>
        <translation>KBX file not found</translation>
    </message>
    <message>
        <source>Compile &amp; Download</source>
        <translation>Compile &amp; Download</translation>
    </message>
    <message>
        <source>Vorgang läuft...</source>
        <translation>In progress...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Compile</source>
        <translation>Compile</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Fertig</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Das Programm kbx32 wurde unerwartet beendet.</source>
        <translation>The program kbx32 ended unexpectedly.</translation>
    </message>
    <message>
        <source>Die Belegung wurde ohne Fehler compiliert.</source>
        <translation>The layout compiled without errors.</translation>
    </message>
</context>
<context>
    <name>keyui::print::PrintOptionsDialog</name>
    <message>
        <source>Tasten-Einfassung</source>
        <translation>Key border</translation>
    </message>
    <message>
        <source>Schnittlinien</source>
        <translation>Cut lines</translation>
    </message>
    <message>
        <source>Tastenumfeld</source>
        <translation>Key surround</translation>
    </message>
    <message>
        <source>unbenutzte Tasten</source>
        <translation>Unused keys</translation>
    </message>
    <message>
        <source>Hintergrundfarbe drucken</source>
        <translation>Print background colour</translation>
    </message>
    <message>
        <source>Schnittabstand einhalten</source>
        <translation>Keep cutting distance</translation>
    </message>
    <message>
        <source>nur ausgewählte Tasten</source>
        <translation>Selected keys only</translation>
    </message>
    <message>
        <source>auf Seitengröße skalieren</source>
        <translation>Scale to page size</translation>
    </message>
    <message>
        <source>Tastatur-Schablone</source>
        <translation>Keyboard template</translation>
    </message>
    <message>
        <source>Sortiert nach Tastengröße</source>
        <translation>Sorted by key size</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
