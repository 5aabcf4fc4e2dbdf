<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CheckpointBar</name>
    <message>
        <source>1. Photos: drop or add them</source>
        <translation>1. Fotos: ablegen oder hinzufügen</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <source>2. Crops: choose what to crop</source>
        <translation>2. Zuschnitte: wählen, was zugeschnitten wird</translation>
    </message>
    <message>
        <source>Crops</source>
        <translation>Zuschnitte</translation>
    </message>
    <message>
        <source>3. Pairs: pair and export</source>
        <translation>3. Paare: Paare bilden und exportieren</translation>
    </message>
    <message>
        <source>Pairs and Export</source>
        <translation>Paare und Export</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>morvick2-cli: %1
Try &apos;morvick2-cli --help&apos;.
</source>
        <translation>morvick2-cli: %1
»morvick2-cli --help« zeigt die Hilfe.
</translation>
    </message>
    <message>
        <source>Crops photos to the object they show, joins pairs side by side and writes every single photo and every pair into a folder.
Reads JPEG, PNG, WebP, HEIC, HEIF, AVIF, TIFF, BMP and camera RAW files (CR2, CR3, NEF, ARW, DNG, RAF, ORF, RW2, PEF and others).</source>
        <translation>Schneidet Fotos auf das Objekt zu, das sie zeigen, fügt Paare nebeneinander zusammen und schreibt jedes einzelne Foto und jedes Paar in einen Ordner.
Liest JPEG, PNG, WebP, HEIC, HEIF, AVIF, TIFF, BMP und RAW-Dateien von Kameras (CR2, CR3, NEF, ARW, DNG, RAF, ORF, RW2, PEF und weitere).</translation>
    </message>
    <message>
        <source>Folder to write into; made (with parents) when missing.</source>
        <translation>Ordner, in den geschrieben wird; fehlt er, wird er (samt übergeordneten Ordnern) angelegt.</translation>
    </message>
    <message>
        <source>Crop every photo to its object.</source>
        <translation>Jedes Foto auf sein Objekt zuschneiden.</translation>
    </message>
    <message>
        <source>Margin around the object in pixels (default 50), or N% of the object&apos;s longer side.</source>
        <translation>Rand um das Objekt in Pixeln (Standard 50) oder N % der längeren Seite des Objekts.</translation>
    </message>
    <message>
        <source>Width of a cropped photo in pixels (default 400), or original: the cut-out&apos;s own size.</source>
        <translation>Breite eines zugeschnittenen Fotos in Pixeln (Standard 400) oder original: die eigene Größe des Ausschnitts.</translation>
    </message>
    <message>
        <source>Never scale a cut-out up to the width, only down.</source>
        <translation>Einen Ausschnitt nie auf die Breite vergrößern, nur verkleinern.</translation>
    </message>
    <message>
        <source>Join inputs A and B side by side (0-based positions in the FILE list, a folder counting as its photos, or their files or file names; A on the left); repeatable; a photo in a pair is not written alone.</source>
        <translation>Eingaben A und B nebeneinander zusammenfügen (Positionen in der FILE-Liste ab 0, ein Ordner zählt als seine Fotos, oder ihre Dateien oder Dateinamen; A links); wiederholbar; ein Foto in einem Paar wird nicht einzeln geschrieben.</translation>
    </message>
    <message>
        <source>stretch (default): the right photo at the left&apos;s height, its width kept; proportional: scaled to the left&apos;s height; canvas: both at the lower height on a background.</source>
        <translation>stretch (Standard): das rechte Foto auf der Höhe des linken, seine Breite bleibt; proportional: auf die Höhe des linken skaliert; canvas: beide auf der kleineren Höhe auf einem Hintergrund.</translation>
    </message>
    <message>
        <source>Pixels around and between a canvas&apos;s photos (default 20).</source>
        <translation>Pixel um die Fotos einer Leinwand und zwischen ihnen (Standard 20).</translation>
    </message>
    <message>
        <source>A canvas&apos;s colour: a name or #rrggbb (default white).</source>
        <translation>Farbe einer Leinwand: ein Name oder #rrggbb (Standard white).</translation>
    </message>
    <message>
        <source>index (default): &quot;3.png&quot;, pairs &quot;0_3.png&quot;; original: the input&apos;s file name without extension, pairs &quot;left+right&quot;, a name already used in this run gets &quot;-2&quot;, &quot;-3&quot;, ...</source>
        <translation>index (Standard): „3.png“, Paare „0_3.png“; original: der Dateiname der Eingabe ohne Endung, Paare „links+rechts“, ein in diesem Lauf schon vergebener Name erhält „-2“, „-3“, …</translation>
    </message>
    <message>
        <source>png, jpg or webp (default png).</source>
        <translation>png, jpg oder webp (Standard png).</translation>
    </message>
    <message>
        <source>1..100 for jpg and webp (default 90).</source>
        <translation>1..100 für jpg und webp (Standard 90).</translation>
    </message>
    <message>
        <source>keep (default): the photo&apos;s colour profile goes with it, pixels untouched; srgb: converted to sRGB, for the web.</source>
        <translation>keep (Standard): das Farbprofil des Fotos geht mit, die Pixel bleiben unberührt; srgb: nach sRGB umgerechnet, für das Web.</translation>
    </message>
    <message>
        <source>keep (default): the photo&apos;s EXIF, IPTC and XMP go with it; no-location: all but GPS; strip: none.</source>
        <translation>keep (Standard): EXIF, IPTC und XMP des Fotos gehen mit; no-location: alles außer GPS; strip: nichts davon.</translation>
    </message>
    <message>
        <source>Worker threads (default: the number of cores).</source>
        <translation>Arbeits-Threads (Standard: die Zahl der Kerne).</translation>
    </message>
    <message>
        <source>Memory the workers&apos; images may take together, in MiB (default 512); workers wait for room, a photo that needs more runs alone.</source>
        <translation>Speicher, den die Bilder der Threads zusammen belegen dürfen, in MiB (Standard 512); Threads warten auf Platz, ein Foto, das mehr braucht, läuft allein.</translation>
    </message>
    <message>
        <source>Replace files that already exist.</source>
        <translation>Vorhandene Dateien ersetzen.</translation>
    </message>
    <message>
        <source>No progress.</source>
        <translation>Keine Fortschrittsanzeige.</translation>
    </message>
    <message>
        <source>Photos to process, or folders of them.</source>
        <translation>Zu bearbeitende Fotos oder Ordner mit Fotos.</translation>
    </message>
    <message>
        <source>no output folder (-o DIR)</source>
        <translation>kein Ausgabeordner (-o DIR)</translation>
    </message>
    <message>
        <source>no input files (or only empty folders)</source>
        <translation>keine Eingabedateien (oder nur leere Ordner)</translation>
    </message>
    <message>
        <source>--padding takes a whole number of pixels or a percentage</source>
        <translation>--padding erwartet eine ganze Zahl von Pixeln oder einen Prozentwert</translation>
    </message>
    <message>
        <source>--width takes a positive whole number of pixels or original</source>
        <translation>--width erwartet eine positive ganze Zahl von Pixeln oder original</translation>
    </message>
    <message>
        <source>--jobs takes a positive whole number</source>
        <translation>--jobs erwartet eine positive ganze Zahl</translation>
    </message>
    <message>
        <source>--budget takes a positive whole number of MiB</source>
        <translation>--budget erwartet eine positive ganze Zahl von MiB</translation>
    </message>
    <message>
        <source>--quality takes a whole number from 1 to 100</source>
        <translation>--quality erwartet eine ganze Zahl von 1 bis 100</translation>
    </message>
    <message>
        <source>unknown format &apos;%1&apos; (png, jpg, webp)</source>
        <translation>unbekanntes Format „%1“ (png, jpg, webp)</translation>
    </message>
    <message>
        <source>--colour takes keep or srgb</source>
        <translation>--colour erwartet keep oder srgb</translation>
    </message>
    <message>
        <source>--metadata takes keep, strip or no-location</source>
        <translation>--metadata erwartet keep, strip oder no-location</translation>
    </message>
    <message>
        <source>--pair-layout takes stretch, proportional or canvas</source>
        <translation>--pair-layout erwartet stretch, proportional oder canvas</translation>
    </message>
    <message>
        <source>--gap takes a whole number of pixels</source>
        <translation>--gap erwartet eine ganze Zahl von Pixeln</translation>
    </message>
    <message>
        <source>--background takes a colour name or #rrggbb</source>
        <translation>--background erwartet einen Farbnamen oder #rrggbb</translation>
    </message>
    <message>
        <source>--names takes index or original</source>
        <translation>--names erwartet index oder original</translation>
    </message>
    <message>
        <source>--pair %1: not two positions or files of the %2 inputs</source>
        <translation>--pair %1: nicht zwei Positionen oder Dateien der %2 Eingaben</translation>
    </message>
    <message>
        <source>--pair %1: a photo cannot pair with itself</source>
        <translation>--pair %1: ein Foto kann kein Paar mit sich selbst bilden</translation>
    </message>
    <message>
        <source>--pair %1: a photo can be in one pair only</source>
        <translation>--pair %1: ein Foto kann nur in einem Paar sein</translation>
    </message>
    <message numerus="yes">
        <source>%1/%n photo(s), %2 s left</source>
        <translation>
            <numerusform>%1/%n Foto, noch %2 s</numerusform>
            <numerusform>%1/%n Fotos, noch %2 s</numerusform>
        </translation>
    </message>
    <message>
        <source>cannot make the folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>warning: %1: %2</source>
        <translation>Warnung: %1: %2</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message numerus="yes">
        <source>nothing written: %n file(s) are already in %1 (--force replaces them):
  %2</source>
        <translation>
            <numerusform>nichts geschrieben: %n Datei ist schon in %1 (--force ersetzt sie):
  %2</numerusform>
            <numerusform>nichts geschrieben: %n Dateien sind schon in %1 (--force ersetzt sie):
  %2</numerusform>
        </translation>
    </message>
    <message>
        <source>How --crop finds the object: edges (default): the largest region of edges, for a plain background; object: the object told from its background, for any background, and fast.</source>
        <translation>Wie --crop das Objekt findet: edges (Vorgabe): die größte Region von Kanten, für einen schlichten Hintergrund; object: das Objekt, von seinem Hintergrund unterschieden, für jeden Hintergrund, und schnell.</translation>
    </message>
    <message>
        <source>--detect takes edges or object</source>
        <translation>--detect nimmt edges oder object</translation>
    </message>
    <message>
        <source>Grow every photo&apos;s crop (a whole photo when not cropped), and every pair, to a frame of this aspect around it (1:1, 4:5, 3:4, 2:3, 16:9, ...); free (default): its own.</source>
        <translation>Den Zuschnitt jedes Fotos (ein ganzes Foto, wenn nicht zugeschnitten) und jedes Paar zu einem Rahmen dieses Seitenverhältnisses erweitern (1:1, 4:5, 3:4, 2:3, 16:9, ...); free (Vorgabe): das eigene.</translation>
    </message>
    <message>
        <source>The object fills N% of the frame (its longer side), instead of --padding.</source>
        <translation>Das Objekt füllt N % des Rahmens (seine längere Seite), statt --padding.</translation>
    </message>
    <message>
        <source>Where a frame reaches beyond the photo: a name or #rrggbb (default white); a pair&apos;s frame takes --background on a canvas.</source>
        <translation>Wo ein Rahmen über das Foto hinausreicht: ein Name oder #rrggbb (Vorgabe Weiß); der Rahmen eines Paars auf einer Leinwand nimmt --background.</translation>
    </message>
    <message>
        <source>A frame with a name (%1); the options above given beside it win.</source>
        <translation>Ein Rahmen mit Namen (%1); die Optionen oben, daneben angegeben, haben Vorrang.</translation>
    </message>
    <message>
        <source>--preset takes one of %1</source>
        <translation>--preset nimmt eines von %1</translation>
    </message>
    <message>
        <source>--aspect takes W:H (two positive whole numbers) or free</source>
        <translation>--aspect nimmt B:H (zwei positive ganze Zahlen) oder free</translation>
    </message>
    <message>
        <source>--fill takes a percentage from 1 to 100</source>
        <translation>--fill nimmt einen Prozentsatz von 1 bis 100</translation>
    </message>
    <message>
        <source>--size takes WxH (two positive whole numbers)</source>
        <translation>--size nimmt BxH (zwei positive ganze Zahlen)</translation>
    </message>
    <message>
        <source>--frame-colour takes a colour name or #rrggbb</source>
        <translation>--frame-colour nimmt einen Farbnamen oder #rrggbb</translation>
    </message>
    <message>
        <source>Every photo, and every pair, exactly W × H pixels (the frame&apos;s aspect is then W:H); with --no-enlarge a smaller crop is not scaled up but framed.</source>
        <translation>Jedes Foto und jedes Paar genau B × H Pixel (das Seitenverhältnis des Rahmens ist dann B:H); mit --no-enlarge wird ein kleinerer Zuschnitt nicht vergrößert, sondern gerahmt.</translation>
    </message>
    <message>
        <source>Export a session saved in the window (a .morvick2 file) as the window would, with its own choices: no FILE, the photo and export options unused.</source>
        <translation>Eine im Fenster gespeicherte Sitzung (eine .morvick2-Datei) exportieren, wie das Fenster es täte, mit ihren eigenen Einstellungen: keine DATEI, die Foto- und Exportoptionen bleiben ungenutzt.</translation>
    </message>
    <message>
        <source>--session takes its photos from the session, not FILE</source>
        <translation>--session nimmt seine Fotos aus der Sitzung, nicht aus DATEI</translation>
    </message>
    <message>
        <source>changed since the session was saved: %1</source>
        <translation>geändert, seit die Sitzung gespeichert wurde: %1</translation>
    </message>
    <message>
        <source>cannot open the session %1: %2</source>
        <translation>die Sitzung %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>left out, not found or not readable: %1</source>
        <translation>ausgelassen, nicht gefunden oder nicht lesbar: %1</translation>
    </message>
    <message numerus="yes">
        <source>nothing written: %n file(s) are already in %1 (--force replaces them)</source>
        <translation>
            <numerusform>nichts geschrieben: %n Datei ist bereits in %1 (--force ersetzt sie)</numerusform>
            <numerusform>nichts geschrieben: %n Dateien sind bereits in %1 (--force ersetzt sie)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) could not be written into %2</source>
        <translation>
            <numerusform>%1 von %n Datei konnte nicht in %2 geschrieben werden</numerusform>
            <numerusform>%1 von %n Dateien konnten nicht in %2 geschrieben werden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) written into %1</source>
        <translation>
            <numerusform>%n Datei in %1 geschrieben</numerusform>
            <numerusform>%n Dateien in %1 geschrieben</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CropEditor</name>
    <message>
        <source>Drag the box&apos;s edges, corners or the whole box.</source>
        <translation>Ziehen Sie die Kanten oder Ecken des Rahmens oder den ganzen Rahmen.</translation>
    </message>
    <message>
        <source>Rotate the photo a quarter turn to the left (Ctrl+L)</source>
        <translation>Das Foto eine Vierteldrehung nach links drehen (Strg+L)</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Links drehen</translation>
    </message>
    <message>
        <source>Rotate the photo a quarter turn to the right (Ctrl+R)</source>
        <translation>Das Foto eine Vierteldrehung nach rechts drehen (Strg+R)</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Rechts drehen</translation>
    </message>
    <message>
        <source>Straighten: %1°</source>
        <translation>Begradigen: %1°</translation>
    </message>
    <message>
        <source>Turn the photo by a small angle, clockwise to the right</source>
        <translation>Das Foto um einen kleinen Winkel drehen, nach rechts im Uhrzeigersinn</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Back to the box edge detection found</source>
        <translation>Zurück zum Rahmen, den die Kantenerkennung gefunden hat</translation>
    </message>
    <message>
        <source>Apply to Selected</source>
        <translation>Auf Auswahl anwenden</translation>
    </message>
    <message>
        <source>The same box for every selected photo</source>
        <translation>Derselbe Rahmen für jedes ausgewählte Foto</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Close the large view (Escape)</source>
        <translation>Die große Ansicht schließen (Esc)</translation>
    </message>
    <message>
        <source>Straighten</source>
        <translation>Begradigen</translation>
    </message>
</context>
<context>
    <name>Decode</name>
    <message>
        <source>over %1 megapixels</source>
        <translation>über %1 Megapixel</translation>
    </message>
    <message>
        <source>The file ends early: its lower part is missing.</source>
        <translation>Die Datei endet zu früh: ihr unterer Teil fehlt.</translation>
    </message>
</context>
<context>
    <name>Detection</name>
    <message>
        <source>No object was found: check this crop.</source>
        <translation>Kein Objekt gefunden: Prüfen Sie diesen Zuschnitt.</translation>
    </message>
    <message>
        <source>The object fills nearly the whole photo: check this crop.</source>
        <translation>Das Objekt füllt fast das ganze Foto: Prüfen Sie diesen Zuschnitt.</translation>
    </message>
    <message>
        <source>The object is tiny: check this crop.</source>
        <translation>Das Objekt ist winzig: Prüfen Sie diesen Zuschnitt.</translation>
    </message>
    <message>
        <source>The object touches the photo&apos;s edge: it may be cut off.</source>
        <translation>Das Objekt berührt den Rand des Fotos: Es ist vielleicht abgeschnitten.</translation>
    </message>
    <message>
        <source>The object could not be told from its background: check this crop.</source>
        <translation>Das Objekt ließ sich nicht von seinem Hintergrund unterscheiden: Zuschnitt prüfen.</translation>
    </message>
</context>
<context>
    <name>EditPage</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Padding: mixed</source>
        <translation>Rand: gemischt</translation>
    </message>
    <message>
        <source>Padding: %1 % of the Object</source>
        <translation>Rand: %1 % des Objekts</translation>
    </message>
    <message>
        <source>Padding: %1 Pixels</source>
        <translation>Rand: %1 Pixel</translation>
    </message>
    <message>
        <source>Padding in percent</source>
        <translation>Rand in Prozent</translation>
    </message>
    <message>
        <source>The margin as a share of the object&apos;s longer side</source>
        <translation>Der Rand als Anteil der längeren Seite des Objekts</translation>
    </message>
    <message>
        <source>Maximum Width: mixed</source>
        <translation>Maximale Breite: gemischt</translation>
    </message>
    <message>
        <source>Maximum Width: %1 Pixels</source>
        <translation>Maximale Breite: %1 Pixel</translation>
    </message>
    <message>
        <source>Original size</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>Keep the cut-out at its own size, whatever the width</source>
        <translation>Den Ausschnitt in seiner eigenen Größe lassen, gleich welche Breite</translation>
    </message>
    <message>
        <source>Never enlarge</source>
        <translation>Nie vergrößern</translation>
    </message>
    <message>
        <source>Scale a small object down to the width, never up</source>
        <translation>Ein kleines Objekt auf die Breite verkleinern, nie vergrößern</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Zuschneiden</translation>
    </message>
    <message>
        <source>Crop the selected photos to their object (double-click a photo to fix its box)</source>
        <translation>Die ausgewählten Fotos auf ihr Objekt zuschneiden (Doppelklick auf ein Foto, um seinen Rahmen festzulegen)</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Keep the selected photos whole</source>
        <translation>Die ausgewählten Fotos ganz lassen</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Links drehen</translation>
    </message>
    <message>
        <source>Turn the selected photos a quarter to the left (Ctrl+L)</source>
        <translation>Die ausgewählten Fotos eine Vierteldrehung nach links drehen (Strg+L)</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Rechts drehen</translation>
    </message>
    <message>
        <source>Turn the selected photos a quarter to the right (Ctrl+R)</source>
        <translation>Die ausgewählten Fotos eine Vierteldrehung nach rechts drehen (Strg+R)</translation>
    </message>
    <message>
        <source>Set as Default</source>
        <translation>Als Standard festlegen</translation>
    </message>
    <message>
        <source>New photos, in this session and the next, start with these padding and sizes</source>
        <translation>Neue Fotos, in dieser Sitzung und der nächsten, beginnen mit diesem Rand und diesen Größen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Select every photo (Ctrl+A)</source>
        <translation>Jedes Foto auswählen (Strg+A)</translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation>Auswahl aufheben</translation>
    </message>
    <message>
        <source>Select no photo (Escape)</source>
        <translation>Kein Foto auswählen (Esc)</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Take the selected photos out of the session (Delete)</source>
        <translation>Die ausgewählten Fotos aus der Sitzung nehmen (Entf)</translation>
    </message>
    <message>
        <source>Click photos to select them</source>
        <translation>Klicken Sie Fotos an, um sie auszuwählen</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <source>Padding</source>
        <translation>Rand</translation>
    </message>
    <message>
        <source>Maximum Width</source>
        <translation>Maximale Breite</translation>
    </message>
    <message>
        <source>Detection: mixed</source>
        <translation>Erkennung: gemischt</translation>
    </message>
    <message>
        <source>Detection</source>
        <translation>Erkennung</translation>
    </message>
    <message>
        <source>Edges</source>
        <translation>Kanten</translation>
    </message>
    <message>
        <source>The largest region of edges in the full photo: for a plain background</source>
        <translation>Die größte Region von Kanten im ganzen Foto: für einen schlichten Hintergrund</translation>
    </message>
    <message>
        <source>Object</source>
        <translation>Objekt</translation>
    </message>
    <message>
        <source>The object told from its background: for plain and busy backgrounds alike, in an instant</source>
        <translation>Das Objekt, von seinem Hintergrund unterschieden: für schlichte und unruhige Hintergründe, im Nu</translation>
    </message>
    <message>
        <source>No frame</source>
        <translation>Kein Rahmen</translation>
    </message>
    <message>
        <source>mixed</source>
        <translation>gemischt</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>Frei</translation>
    </message>
    <message>
        <source>Frame: mixed</source>
        <translation>Rahmen: gemischt</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>Own frame</source>
        <translation>Eigener Rahmen</translation>
    </message>
    <message>
        <source>The shape and size the places photos go ask for</source>
        <translation>Form und Größe, die Shops und Feeds verlangen</translation>
    </message>
    <message>
        <source>Aspect</source>
        <translation>Seitenverhältnis</translation>
    </message>
    <message>
        <source>Width to height of the frame around the crop; type your own as W:H</source>
        <translation>Breite zu Höhe des Rahmens um den Zuschnitt; ein eigenes als B:H eintippen</translation>
    </message>
    <message>
        <source>Object fills</source>
        <translation>Objekt füllt</translation>
    </message>
    <message>
        <source>The object&apos;s longer side fills this share of the frame, instead of the padding</source>
        <translation>Die längere Seite des Objekts füllt diesen Anteil des Rahmens, statt des Rands</translation>
    </message>
    <message>
        <source>Object fills, percent</source>
        <translation>Objekt füllt, Prozent</translation>
    </message>
    <message>
        <source>Exact size</source>
        <translation>Genaue Größe</translation>
    </message>
    <message>
        <source>The picture exactly this many pixels, W×H; never enlarged, a smaller crop is framed</source>
        <translation>Das Bild genau so viele Pixel, B×H; nie vergrößert, ein kleinerer Zuschnitt wird gerahmt</translation>
    </message>
    <message>
        <source>Frame colour</source>
        <translation>Rahmenfarbe</translation>
    </message>
    <message>
        <source>Where the frame reaches beyond the photo, #rrggbb</source>
        <translation>Wo der Rahmen über das Foto hinausreicht, #rrggbb</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Name der Vorlage</translation>
    </message>
    <message>
        <source>Save Preset</source>
        <translation>Vorlage sichern</translation>
    </message>
    <message>
        <source>Keep the shown frame under this name, for every session</source>
        <translation>Den gezeigten Rahmen unter diesem Namen behalten, für jede Sitzung</translation>
    </message>
</context>
<context>
    <name>ExportFlow</name>
    <message numerus="yes">
        <source>%n file(s) already exist in</source>
        <translation>
            <numerusform>%n Datei gibt es schon in</numerusform>
            <numerusform>%n Dateien gibt es schon in</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Export cancelled: %1 of %n file(s) written into %2.</source>
        <translation>
            <numerusform>Export abgebrochen: %1 von %n Datei in %2 geschrieben.</numerusform>
            <numerusform>Export abgebrochen: %1 von %n Dateien in %2 geschrieben.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) could not be written into %2. Press Export to choose another folder.</source>
        <translation>
            <numerusform>%1 von %n Datei konnte nicht in %2 geschrieben werden. Drücken Sie Exportieren, um einen anderen Ordner zu wählen.</numerusform>
            <numerusform>%1 von %n Dateien konnten nicht in %2 geschrieben werden. Drücken Sie Exportieren, um einen anderen Ordner zu wählen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) written into %1.</source>
        <translation>
            <numerusform>%n Datei in %1 geschrieben.</numerusform>
            <numerusform>%n Dateien in %1 geschrieben.</numerusform>
        </translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Write every file, replacing those already there</source>
        <translation>Jede Datei schreiben und die vorhandenen ersetzen</translation>
    </message>
    <message>
        <source>Choose Another Folder</source>
        <translation>Anderen Ordner wählen</translation>
    </message>
    <message>
        <source>Write nothing and pick another folder (Escape closes)</source>
        <translation>Nichts schreiben und einen anderen Ordner wählen (Esc schließt)</translation>
    </message>
    <message>
        <source>Exporting %1 of %2</source>
        <translation>Exportiere %1 von %2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stop after the files being written; those stay whole</source>
        <translation>Nach den Dateien aufhören, die gerade geschrieben werden; diese bleiben vollständig</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close this message (Escape)</source>
        <translation>Diese Meldung schließen (Esc)</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Show the written files</source>
        <translation>Die geschriebenen Dateien zeigen</translation>
    </message>
</context>
<context>
    <name>ExportOptions</name>
    <message>
        <source>File names</source>
        <translation>Dateinamen</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Nummern</translation>
    </message>
    <message>
        <source>Original names</source>
        <translation>Originalnamen</translation>
    </message>
    <message>
        <source>Name the files by number (3.png, 0_3.png) or after the originals</source>
        <translation>Die Dateien nach Nummern (3.png, 0_3.png) oder nach den Originalen benennen</translation>
    </message>
    <message>
        <source>File format</source>
        <translation>Dateiformat</translation>
    </message>
    <message>
        <source>PNG keeps every pixel; JPEG and WebP make smaller files</source>
        <translation>PNG bewahrt jedes Pixel; JPEG und WebP ergeben kleinere Dateien</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Quality of JPEG and WebP files</source>
        <translation>Qualität von JPEG- und WebP-Dateien</translation>
    </message>
    <message>
        <source>Pair layout</source>
        <translation>Anordnung der Paare</translation>
    </message>
    <message>
        <source>Stretch to the left&apos;s height</source>
        <translation>Auf die Höhe des linken strecken</translation>
    </message>
    <message>
        <source>Same height, proportions kept</source>
        <translation>Gleiche Höhe, Proportionen bleiben</translation>
    </message>
    <message>
        <source>Fit on a canvas</source>
        <translation>Auf eine Leinwand setzen</translation>
    </message>
    <message>
        <source>How the two photos of a pair share one picture</source>
        <translation>Wie die beiden Fotos eines Paars sich ein Bild teilen</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>Pixels around and between the photos on the canvas</source>
        <translation>Pixel um die Fotos auf der Leinwand und zwischen ihnen</translation>
    </message>
    <message>
        <source>Canvas colour</source>
        <translation>Farbe der Leinwand</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Grey</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>The colour of the canvas and of the frame</source>
        <translation>Die Farbe der Leinwand und des Rahmens</translation>
    </message>
    <message>
        <source>Pair frame</source>
        <translation>Rahmen des Paars</translation>
    </message>
    <message>
        <source>No frame</source>
        <translation>Kein Rahmen</translation>
    </message>
    <message>
        <source>Each pair in the middle of a frame of this shape and size</source>
        <translation>Jedes Paar in der Mitte eines Rahmens dieser Form und Größe</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Colours: keep the photo&apos;s profile</source>
        <translation>Farben: Profil des Fotos behalten</translation>
    </message>
    <message>
        <source>Colours: convert to sRGB</source>
        <translation>Farben: nach sRGB umrechnen</translation>
    </message>
    <message>
        <source>Keep each photo&apos;s colour profile, or convert to sRGB for the web</source>
        <translation>Das Farbprofil jedes Fotos behalten oder für das Web nach sRGB umrechnen</translation>
    </message>
    <message>
        <source>Metadata</source>
        <translation>Metadaten</translation>
    </message>
    <message>
        <source>Metadata: keep all</source>
        <translation>Metadaten: alle behalten</translation>
    </message>
    <message>
        <source>Metadata: remove the location</source>
        <translation>Metadaten: Ort entfernen</translation>
    </message>
    <message>
        <source>Metadata: remove all</source>
        <translation>Metadaten: alle entfernen</translation>
    </message>
    <message>
        <source>What of the camera&apos;s EXIF, IPTC and XMP the files keep</source>
        <translation>Was die Dateien von EXIF, IPTC und XMP der Kamera behalten</translation>
    </message>
    <message>
        <source>Keep the session open after export</source>
        <translation>Die Sitzung nach dem Export offen lassen</translation>
    </message>
    <message>
        <source>Stay here after the files are written, to export again</source>
        <translation>Nach dem Schreiben der Dateien hier bleiben, um erneut zu exportieren</translation>
    </message>
</context>
<context>
    <name>FramePresets</name>
    <message>
        <source>Square 2000, white</source>
        <translation>Quadrat 2000, weiß</translation>
    </message>
    <message>
        <source>Square 1080, white</source>
        <translation>Quadrat 1080, weiß</translation>
    </message>
    <message>
        <source>Portrait 4:5, 1080 × 1350</source>
        <translation>Hochformat 4:5, 1080 × 1350</translation>
    </message>
    <message>
        <source>Story 9:16, 1080 × 1920</source>
        <translation>Story 9:16, 1080 × 1920</translation>
    </message>
    <message>
        <source>Wide 16:9, 1920 × 1080</source>
        <translation>Breit 16:9, 1920 × 1080</translation>
    </message>
    <message>
        <source>Print 2:3</source>
        <translation>Druck 2:3</translation>
    </message>
    <message>
        <source>Print 3:4</source>
        <translation>Druck 3:4</translation>
    </message>
</context>
<context>
    <name>ImageItem</name>
    <message>
        <source>Cropped</source>
        <translation>Zugeschnitten</translation>
    </message>
    <message>
        <source>Whole</source>
        <translation>Ganz</translation>
    </message>
</context>
<context>
    <name>ImportPage</name>
    <message>
        <source>Drag Your Images Here</source>
        <translation>Ziehen Sie Ihre Bilder hierher</translation>
    </message>
    <message>
        <source>Importing %1 of %2</source>
        <translation>Importiere %1 von %2</translation>
    </message>
    <message>
        <source>Add Photos</source>
        <translation>Fotos hinzufügen</translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation>Bilder (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be read: %1</source>
        <translation>
            <numerusform>%n Datei konnte nicht gelesen werden: %1</numerusform>
            <numerusform>%n Dateien konnten nicht gelesen werden: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Notice</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close this message</source>
        <translation>Diese Meldung schließen</translation>
    </message>
</context>
<context>
    <name>PairList</name>
    <message>
        <source>Pair</source>
        <translation>Paar bilden</translation>
    </message>
    <message>
        <source>Unpair</source>
        <translation>Paar auflösen</translation>
    </message>
    <message>
        <source>Pair in Order</source>
        <translation>Der Reihe nach paaren</translation>
    </message>
</context>
<context>
    <name>PhotoList</name>
    <message>
        <source>Automatic Box</source>
        <translation>Automatischer Rahmen</translation>
    </message>
    <message>
        <source>Box</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Zuschneiden</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Straighten</source>
        <translation>Begradigen</translation>
    </message>
    <message>
        <source>Padding</source>
        <translation>Rand</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Detection</source>
        <translation>Erkennung</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Rahmen</translation>
    </message>
</context>
<context>
    <name>SessionControl</name>
    <message>
        <source>Untitled session</source>
        <translation>Unbenannte Sitzung</translation>
    </message>
    <message>
        <source>Morvick2</source>
        <translation>Morvick2</translation>
    </message>
    <message>
        <source>The session could not be saved: %1</source>
        <translation>Die Sitzung konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The session could not be opened: %1</source>
        <translation>Die Sitzung konnte nicht geöffnet werden: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s) of the session could not be found: %1.</source>
        <translation>
            <numerusform>%n Foto der Sitzung wurde nicht gefunden: %1.</numerusform>
            <numerusform>%n Fotos der Sitzung wurden nicht gefunden: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s) changed since the session was saved: %1.</source>
        <translation>
            <numerusform>%n Foto wurde geändert, seit die Sitzung gespeichert wurde: %1.</numerusform>
            <numerusform>%n Fotos wurden geändert, seit die Sitzung gespeichert wurde: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Close and discard the work on %n photo(s)?</source>
        <translation>
            <numerusform>Schließen und die Arbeit an %n Foto verwerfen?</numerusform>
            <numerusform>Schließen und die Arbeit an %n Fotos verwerfen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message numerus="yes">
        <source>The last session ended unexpectedly. Restore its work on %n photo(s)?</source>
        <translation>
            <numerusform>Die letzte Sitzung endete unerwartet. Ihre Arbeit an %n Foto wiederherstellen?</numerusform>
            <numerusform>Die letzte Sitzung endete unerwartet. Ihre Arbeit an %n Fotos wiederherstellen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Save the session</source>
        <translation>Die Sitzung speichern</translation>
    </message>
    <message>
        <source>Morvick2 sessions (*.morvick2)</source>
        <translation>Morvick2-Sitzungen (*.morvick2)</translation>
    </message>
    <message>
        <source>Open a session</source>
        <translation>Eine Sitzung öffnen</translation>
    </message>
</context>
<context>
    <name>SessionFile</name>
    <message>
        <source>It is far too large to be a session file.</source>
        <translation>Sie ist viel zu groß für eine Sitzungsdatei.</translation>
    </message>
    <message>
        <source>It is damaged or not a session file: it cannot be read.</source>
        <translation>Sie ist beschädigt oder keine Sitzungsdatei: Sie kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>It is not a session file.</source>
        <translation>Sie ist keine Sitzungsdatei.</translation>
    </message>
    <message>
        <source>It was saved by a later version of the application: update to open it.</source>
        <translation>Sie wurde von einer neueren Version der Anwendung gespeichert: Zum Öffnen bitte aktualisieren.</translation>
    </message>
    <message>
        <source>It is damaged: its content does not match its checksum.</source>
        <translation>Sie ist beschädigt: Ihr Inhalt passt nicht zu ihrer Prüfsumme.</translation>
    </message>
    <message>
        <source>It is damaged: a photo is not described whole.</source>
        <translation>Sie ist beschädigt: Ein Foto ist nicht vollständig beschrieben.</translation>
    </message>
    <message>
        <source>It is damaged: a pair names photos it does not hold.</source>
        <translation>Sie ist beschädigt: Ein Paar nennt Fotos, die sie nicht enthält.</translation>
    </message>
</context>
<context>
    <name>StitchPage</name>
    <message>
        <source>Pair %1, left</source>
        <translation>Paar %1, links</translation>
    </message>
    <message>
        <source>Pair %1, right</source>
        <translation>Paar %1, rechts</translation>
    </message>
    <message>
        <source>%1: paired; click its pair to unpair it</source>
        <translation>%1: gepaart; klicken Sie sein Paar an, um es aufzulösen</translation>
    </message>
    <message>
        <source>Pair in Order</source>
        <translation>Der Reihe nach paaren</translation>
    </message>
    <message>
        <source>Pair the unpaired photos one after another: 1 with 2, 3 with 4, ...</source>
        <translation>Die ungepaarten Fotos nacheinander paaren: 1 mit 2, 3 mit 4, …</translation>
    </message>
    <message>
        <source>Click two photos to pair them. Click a pair to unpair it; Undo brings it back.</source>
        <translation>Klicken Sie zwei Fotos an, um sie zu paaren. Ein Klick auf ein Paar löst es auf; Rückgängig holt es zurück.</translation>
    </message>
    <message>
        <source>Click to unpair %1 (Ctrl+Z pairs them again)</source>
        <translation>Klicken, um %1 aufzulösen (Strg+Z paart sie wieder)</translation>
    </message>
    <message>
        <source>Photos to pair</source>
        <translation>Zu paarende Fotos</translation>
    </message>
    <message>
        <source>Chosen: choose another to pair them</source>
        <translation>Gewählt: Wählen Sie ein weiteres, um sie zu paaren</translation>
    </message>
    <message>
        <source>Not paired</source>
        <translation>Nicht gepaart</translation>
    </message>
    <message>
        <source>Press to unpair them (Ctrl+Z pairs them again)</source>
        <translation>Drücken, um sie aufzulösen (Strg+Z paart sie wieder)</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Go back a step; nothing is lost (Alt+Left)</source>
        <translation>Einen Schritt zurück; nichts geht verloren (Alt+Links)</translation>
    </message>
    <message>
        <source>Add Photos…</source>
        <translation>Fotos hinzufügen…</translation>
    </message>
    <message>
        <source>Add photos from a folder (Ctrl+O)</source>
        <translation>Fotos aus einem Ordner hinzufügen (Strg+O)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Undo %1 (Ctrl+Z)</source>
        <translation>%1 rückgängig machen (Strg+Z)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Redo %1 (Ctrl+Shift+Z)</source>
        <translation>%1 wiederholen (Strg+Umschalt+Z)</translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s)</source>
        <translation>
            <numerusform>%n Foto</numerusform>
            <numerusform>%n Fotos</numerusform>
        </translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Choose the crops (Ctrl+Return)</source>
        <translation>Die Zuschnitte wählen (Strg+Eingabe)</translation>
    </message>
    <message>
        <source>Pair the photos (Ctrl+Return)</source>
        <translation>Die Fotos paaren (Strg+Eingabe)</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Write every photo and pair into a folder (Ctrl+E)</source>
        <translation>Jedes Foto und jedes Paar in einen Ordner schreiben (Strg+E)</translation>
    </message>
    <message>
        <source>Add Anyway</source>
        <translation>Trotzdem hinzufügen</translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s) are in the session already and were not added again.</source>
        <translation>
            <numerusform>%n Foto ist schon in der Sitzung und wurde nicht noch einmal hinzugefügt.</numerusform>
            <numerusform>%n Fotos sind schon in der Sitzung und wurden nicht noch einmal hinzugefügt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose the export folder</source>
        <translation>Den Exportordner wählen</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Save the session to go on later, or open a saved one</source>
        <translation>Die Sitzung speichern, um später weiterzumachen, oder eine gespeicherte öffnen</translation>
    </message>
    <message>
        <source>Save Session (Ctrl+S)</source>
        <translation>Sitzung speichern (Strg+S)</translation>
    </message>
    <message>
        <source>Save Session As… (Ctrl+Shift+S)</source>
        <translation>Sitzung speichern unter … (Strg+Umschalt+S)</translation>
    </message>
    <message>
        <source>Open Session… (Ctrl+Shift+O)</source>
        <translation>Sitzung öffnen … (Strg+Umschalt+O)</translation>
    </message>
</context>
</TS>
