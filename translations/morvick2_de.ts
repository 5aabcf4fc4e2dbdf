<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CheckpointBar</name>
    <message>
        <source>1. Photos: drop or add them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2. Crops: choose what to crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crops</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3. Pairs: pair and export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pairs and Export</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>morvick2-cli: %1
Try &apos;morvick2-cli --help&apos;.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crops photos to the object they show, joins pairs side by side and writes every single photo and every pair into a folder.
Reads JPEG, PNG, WebP, HEIC, HEIF, AVIF, TIFF, BMP and camera RAW files (CR2, CR3, NEF, ARW, DNG, RAF, ORF, RW2, PEF and others).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder to write into; made (with parents) when missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop every photo to its object.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margin around the object in pixels (default 50), or N% of the object&apos;s longer side.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width of a cropped photo in pixels (default 400), or original: the cut-out&apos;s own size.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never scale a cut-out up to the width, only down.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join inputs A and B side by side (0-based positions in the FILE list, a folder counting as its photos, or their files or file names; A on the left); repeatable; a photo in a pair is not written alone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stretch (default): the right photo at the left&apos;s height, its width kept; proportional: scaled to the left&apos;s height; canvas: both at the lower height on a background.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixels around and between a canvas&apos;s photos (default 20).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A canvas&apos;s colour: a name or #rrggbb (default white).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>index (default): &quot;3.png&quot;, pairs &quot;0_3.png&quot;; original: the input&apos;s file name without extension, pairs &quot;left+right&quot;, a name already used in this run gets &quot;-2&quot;, &quot;-3&quot;, ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>png, jpg or webp (default png).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1..100 for jpg and webp (default 90).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>keep (default): the photo&apos;s colour profile goes with it, pixels untouched; srgb: converted to sRGB, for the web.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>keep (default): the photo&apos;s EXIF, IPTC and XMP go with it; no-location: all but GPS; strip: none.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Worker threads (default: the number of cores).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory the workers&apos; images may take together, in MiB (default 512); workers wait for room, a photo that needs more runs alone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace files that already exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No progress.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos to process, or folders of them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no output folder (-o DIR)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no input files (or only empty folders)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--padding takes a whole number of pixels or a percentage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--width takes a positive whole number of pixels or original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--jobs takes a positive whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--budget takes a positive whole number of MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--quality takes a whole number from 1 to 100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown format &apos;%1&apos; (png, jpg, webp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--colour takes keep or srgb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--metadata takes keep, strip or no-location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--pair-layout takes stretch, proportional or canvas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--gap takes a whole number of pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--background takes a colour name or #rrggbb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--names takes index or original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--pair %1: not two positions or files of the %2 inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--pair %1: a photo cannot pair with itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--pair %1: a photo can be in one pair only</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1/%n photo(s), %2 s left</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>cannot make the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning: %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>nothing written: %n file(s) are already in %1 (--force replaces them):
  %2</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CropEditor</name>
    <message>
        <source>Drag the box&apos;s edges, corners or the whole box.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate the photo a quarter turn to the left (Ctrl+L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate the photo a quarter turn to the right (Ctrl+R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Straighten: %1°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn the photo by a small angle, clockwise to the right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back to the box edge detection found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The same box for every selected photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the large view (Escape)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Straighten</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Decode</name>
    <message>
        <source>over %1 megapixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file ends early: its lower part is missing.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Detection</name>
    <message>
        <source>No object was found: check this crop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The object fills nearly the whole photo: check this crop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The object is tiny: check this crop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The object touches the photo&apos;s edge: it may be cut off.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditPage</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Padding: mixed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Padding: %1 % of the Object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Padding: %1 Pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Padding in percent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The margin as a share of the object&apos;s longer side</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum Width: mixed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum Width: %1 Pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Original size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the cut-out at its own size, whatever the width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never enlarge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scale a small object down to the width, never up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop the selected photos to their object (double-click a photo to fix its box)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the selected photos whole</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn the selected photos a quarter to the left (Ctrl+L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn the selected photos a quarter to the right (Ctrl+R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set as Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New photos, in this session and the next, start with these padding and sizes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select every photo (Ctrl+A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select no photo (Escape)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the selected photos out of the session (Delete)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click photos to select them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Padding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum Width</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageItem</name>
    <message>
        <source>Cropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whole</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImportPage</name>
    <message>
        <source>Drag Your Images Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) could not be read: %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Notice</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close this message</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PairList</name>
    <message>
        <source>Pair</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unpair</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pair in Order</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoList</name>
    <message>
        <source>Automatic Box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Straighten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Padding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StitchPage</name>
    <message numerus="yes">
        <source>%n file(s) already exist in</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Export cancelled: %1 of %n file(s) written into %2.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) could not be written into %2. Press Export to choose another folder.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) written into %1.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Pair %1, left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pair %1, right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: paired; click its pair to unpair it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Original names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name the files by number (3.png, 0_3.png) or after the originals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG keeps every pixel; JPEG and WebP make smaller files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality of JPEG and WebP files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stretch to the left&apos;s height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Same height, proportions kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit on a canvas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How the two photos of a pair share one picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixels around and between the photos on the canvas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The canvas&apos;s colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colours: keep the photo&apos;s profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colours: convert to sRGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep each photo&apos;s colour profile, or convert to sRGB for the web</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Metadata: keep all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Metadata: remove the location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Metadata: remove all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What of the camera&apos;s EXIF, IPTC and XMP the files keep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the session open after export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stay here after the files are written, to export again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pair in Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pair the unpaired photos one after another: 1 with 2, 3 with 4, ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click two photos to pair them. Click a pair to unpair it; Undo brings it back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to unpair %1 (Ctrl+Z pairs them again)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write every file, replacing those already there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Another Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write nothing and pick another folder (Escape closes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop after the files being written; those stay whole</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close this message (Escape)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the written files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos to pair</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chosen: choose another to pair them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not paired</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pair layout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Canvas colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Metadata</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to unpair them (Ctrl+Z pairs them again)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Morvick2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go back a step; nothing is lost (Alt+Left)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Photos…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add photos from a folder (Ctrl+O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo %1 (Ctrl+Z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo %1 (Ctrl+Shift+Z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the crops (Ctrl+Return)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pair the photos (Ctrl+Return)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write every photo and pair into a folder (Ctrl+E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s) are in the session already and were not added again.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Choose the export folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
