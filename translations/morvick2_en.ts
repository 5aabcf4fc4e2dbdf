<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Cli</name>
    <message numerus="yes">
        <source>%1/%n photo(s), %2 s left</source>
        <translation>
            <numerusform>%1/%n photo, %2 s left</numerusform>
            <numerusform>%1/%n photos, %2 s left</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>nothing written: %n file(s) are already in %1 (--force replaces them):
  %2</source>
        <translation>
            <numerusform>nothing written: %n file is already in %1 (--force replaces them):
  %2</numerusform>
            <numerusform>nothing written: %n files are already in %1 (--force replaces them):
  %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>nothing written: %n file(s) are already in %1 (--force replaces them)</source>
        <translation>
            <numerusform>nothing written: %n file is already in %1 (--force replaces them)</numerusform>
            <numerusform>nothing written: %n files are already in %1 (--force replaces them)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) could not be written into %2</source>
        <translation>
            <numerusform>%1 of %n file could not be written into %2</numerusform>
            <numerusform>%1 of %n files could not be written into %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) written into %1</source>
        <translation>
            <numerusform>%n file written into %1</numerusform>
            <numerusform>%n files written into %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExportFlow</name>
    <message numerus="yes">
        <source>%n file(s) already exist in</source>
        <translation>
            <numerusform>%n file already exists in</numerusform>
            <numerusform>%n files already exist in</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Export cancelled: %1 of %n file(s) written into %2.</source>
        <translation>
            <numerusform>Export cancelled: %1 of %n file written into %2.</numerusform>
            <numerusform>Export cancelled: %1 of %n files written into %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) could not be written into %2. Press Export to choose another folder.</source>
        <translation>
            <numerusform>%1 of %n file could not be written into %2. Press Export to choose another folder.</numerusform>
            <numerusform>%1 of %n files could not be written into %2. Press Export to choose another folder.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) written into %1.</source>
        <translation>
            <numerusform>%n file written into %1.</numerusform>
            <numerusform>%n files written into %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportPage</name>
    <message numerus="yes">
        <source>%n file(s) could not be read: %1</source>
        <translation>
            <numerusform>%n file could not be read: %1</numerusform>
            <numerusform>%n files could not be read: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SessionControl</name>
    <message numerus="yes">
        <source>%n photo(s) of the session could not be found: %1.</source>
        <translation>
            <numerusform>%n photo of the session could not be found: %1.</numerusform>
            <numerusform>%n photos of the session could not be found: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s) changed since the session was saved: %1.</source>
        <translation>
            <numerusform>%n photo changed since the session was saved: %1.</numerusform>
            <numerusform>%n photos changed since the session was saved: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Close and discard the work on %n photo(s)?</source>
        <translation>
            <numerusform>Close and discard the work on %n photo?</numerusform>
            <numerusform>Close and discard the work on %n photos?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The last session ended unexpectedly. Restore its work on %n photo(s)?</source>
        <translation>
            <numerusform>The last session ended unexpectedly. Restore its work on %n photo?</numerusform>
            <numerusform>The last session ended unexpectedly. Restore its work on %n photos?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>main</name>
    <message numerus="yes">
        <source>%n photo(s)</source>
        <translation>
            <numerusform>%n photo</numerusform>
            <numerusform>%n photos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s) are in the session already and were not added again.</source>
        <translation>
            <numerusform>%n photo is in the session already and was not added again.</numerusform>
            <numerusform>%n photos are in the session already and were not added again.</numerusform>
        </translation>
    </message>
</context>
</TS>
