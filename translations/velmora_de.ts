<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AppPaths</name>
    <message>
        <source>&quot;%1&quot; is a file, not a folder</source>
        <translation>„%1“ ist eine Datei, kein Ordner</translation>
    </message>
    <message>
        <source>you may not write in &quot;%1&quot;</source>
        <translation>Sie dürfen nicht in „%1“ schreiben</translation>
    </message>
    <message>
        <source>the disk may be full or mounted read-only</source>
        <translation>der Datenträger ist vielleicht voll oder nur lesbar eingehängt</translation>
    </message>
</context>
<context>
    <name>ArchiveAccess</name>
    <message>
        <source>&quot;%1&quot; cannot be read, so it cannot be stored in the map archive.</source>
        <translation>„%1“ kann nicht gelesen und daher nicht im Kartenarchiv gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>ArchiveFailure</name>
    <message>
        <source>The map archive &quot;%1&quot; does not exist or cannot be read.</source>
        <translation>Das Kartenarchiv „%1“ existiert nicht oder kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a map archive, or it is damaged. Choose another map file.</source>
        <translation>„%1“ ist kein Kartenarchiv oder beschädigt. Wählen Sie eine andere Kartendatei.</translation>
    </message>
    <message>
        <source>The map archive &quot;%1&quot; has no entry &quot;%2&quot;.</source>
        <translation>Das Kartenarchiv „%1“ hat keinen Eintrag „%2“.</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; of the map archive &quot;%2&quot; is damaged and cannot be read.</source>
        <translation>Der Eintrag „%1“ des Kartenarchivs „%2“ ist beschädigt und kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; of the map archive &quot;%2&quot; is larger than Velmora reads.</source>
        <translation>Der Eintrag „%1“ des Kartenarchivs „%2“ ist größer, als Velmora liest.</translation>
    </message>
    <message>
        <source>The map archive &quot;%1&quot; is protected and cannot be written.</source>
        <translation>Das Kartenarchiv „%1“ ist geschützt und kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The folder of &quot;%1&quot; cannot be written to. Check that the disk is not full and that you may write there.</source>
        <translation>In den Ordner von „%1“ kann nicht geschrieben werden. Prüfen Sie, ob der Datenträger voll ist und ob Sie dort schreiben dürfen.</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; did not read back correctly from the map archive &quot;%2&quot;; the archive was left as it was.</source>
        <translation>Der Eintrag „%1“ ließ sich aus dem Kartenarchiv „%2“ nicht richtig zurücklesen; das Archiv blieb, wie es war.</translation>
    </message>
    <message>
        <source>The map archive &quot;%1&quot; is damaged or uses a form Velmora cannot read.</source>
        <translation>Das Kartenarchiv „%1“ ist beschädigt oder hat eine Form, die Velmora nicht lesen kann.</translation>
    </message>
</context>
<context>
    <name>Artwork</name>
    <message>
        <source>Version %1.%2</source>
        <translation>Version %1.%2</translation>
    </message>
    <message>
        <source>Pictures into map terrain</source>
        <translation>Bilder ins Kartengelände</translation>
    </message>
    <message>
        <source>Paints a picture into the terrain of a StarCraft map:
one pixel, one tile.</source>
        <translation>Malt ein Bild in das Gelände einer StarCraft-Karte:
ein Pixel, eine Kachel.</translation>
    </message>
</context>
<context>
    <name>BoundedFile</name>
    <message>
        <source>the file is %1 bytes long; files over %2 MiB are not read</source>
        <translation>die Datei ist %1 Byte groß; Dateien über %2 MiB werden nicht gelesen</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>keine solche Datei</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>not a regular file (%1)</source>
        <translation>keine reguläre Datei (%1)</translation>
    </message>
    <message>
        <source>cannot be read (permission denied)</source>
        <translation>kann nicht gelesen werden (keine Berechtigung)</translation>
    </message>
    <message>
        <source>cannot be read (%1)</source>
        <translation>kann nicht gelesen werden (%1)</translation>
    </message>
</context>
<context>
    <name>CascStorage</name>
    <message>
        <source>zlib cannot start</source>
        <translation>zlib kann nicht starten</translation>
    </message>
    <message>
        <source>a zlib chunk does not end where it should</source>
        <translation>ein zlib-Block endet nicht dort, wo er sollte</translation>
    </message>
    <message>
        <source>a zlib chunk is corrupt</source>
        <translation>ein zlib-Block ist beschädigt</translation>
    </message>
    <message>
        <source>a chunk decodes to another size than stated</source>
        <translation>ein Block ergibt entpackt eine andere Größe als angegeben</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>sie ist leer</translation>
    </message>
    <message>
        <source>it has no &quot;Active&quot; or no &quot;Build Key&quot; column</source>
        <translation>ihr fehlt die Spalte „Active“ oder „Build Key“</translation>
    </message>
    <message>
        <source>the active build&apos;s key is not 32 hex digits</source>
        <translation>der Schlüssel des aktiven Builds besteht nicht aus 32 Hexziffern</translation>
    </message>
    <message>
        <source>no build in it is active (installed)</source>
        <translation>kein Build darin ist aktiv (installiert)</translation>
    </message>
    <message>
        <source>it names no valid &quot;root&quot; or &quot;encoding&quot; key</source>
        <translation>sie nennt keinen gültigen Schlüssel „root“ oder „encoding“</translation>
    </message>
    <message>
        <source>it is too short for an index file</source>
        <translation>sie ist zu kurz für eine Indexdatei</translation>
    </message>
    <message>
        <source>its header is not that of an index file of version 7</source>
        <translation>ihr Kopf ist nicht der einer Indexdatei der Version 7</translation>
    </message>
    <message>
        <source>it holds another bucket than its name says</source>
        <translation>sie enthält einen anderen Bucket, als ihr Name sagt</translation>
    </message>
    <message>
        <source>its entries have a layout Velmora does not read</source>
        <translation>ihre Einträge haben einen Aufbau, den Velmora nicht liest</translation>
    </message>
    <message>
        <source>its entries run past its end</source>
        <translation>ihre Einträge reichen über ihr Ende hinaus</translation>
    </message>
    <message>
        <source>the record does not start with &quot;BLTE&quot;</source>
        <translation>der Datensatz beginnt nicht mit „BLTE“</translation>
    </message>
    <message>
        <source>the record is empty</source>
        <translation>der Datensatz ist leer</translation>
    </message>
    <message>
        <source>the record&apos;s chunk table is malformed</source>
        <translation>die Blocktabelle des Datensatzes ist fehlerhaft</translation>
    </message>
    <message>
        <source>the record&apos;s chunks run past its end</source>
        <translation>die Blöcke des Datensatzes reichen über sein Ende hinaus</translation>
    </message>
    <message>
        <source>a chunk states a size its data cannot have</source>
        <translation>ein Block nennt eine Größe, die seine Daten nicht haben können</translation>
    </message>
    <message>
        <source>the record&apos;s chunks do not fill it</source>
        <translation>die Blöcke des Datensatzes füllen ihn nicht aus</translation>
    </message>
    <message>
        <source>a chunk does not match its checksum</source>
        <translation>ein Block passt nicht zu seiner Prüfsumme</translation>
    </message>
    <message>
        <source>a chunk is larger than any such file</source>
        <translation>ein Block ist größer als jede solche Datei</translation>
    </message>
    <message>
        <source>a chunk states a size its zlib data cannot have</source>
        <translation>ein Block nennt eine Größe, die seine zlib-Daten nicht haben können</translation>
    </message>
    <message>
        <source>a part of it is encrypted, which Velmora does not read</source>
        <translation>ein Teil davon ist verschlüsselt, was Velmora nicht liest</translation>
    </message>
    <message>
        <source>a part of it is nested (frame mode F), which Velmora does not read</source>
        <translation>ein Teil davon ist verschachtelt (Frame-Modus F), was Velmora nicht liest</translation>
    </message>
    <message>
        <source>a part of it is LZ4-compressed, which Velmora does not read</source>
        <translation>ein Teil davon ist mit LZ4 komprimiert, was Velmora nicht liest</translation>
    </message>
    <message>
        <source>a chunk has an unknown mode</source>
        <translation>ein Block hat einen unbekannten Modus</translation>
    </message>
    <message>
        <source>the file is larger than any such file</source>
        <translation>die Datei ist größer als jede solche Datei</translation>
    </message>
    <message>
        <source>its chunks decode to another size than the encoding table says</source>
        <translation>ihre Blöcke ergeben entpackt eine andere Größe, als die Kodierungstabelle sagt</translation>
    </message>
    <message>
        <source>its header is not that of an encoding file</source>
        <translation>ihr Kopf ist nicht der einer Kodierungsdatei</translation>
    </message>
    <message>
        <source>its tables run past its end</source>
        <translation>ihre Tabellen reichen über ihr Ende hinaus</translation>
    </message>
    <message>
        <source>its page table is cut short</source>
        <translation>ihre Seitentabelle ist abgeschnitten</translation>
    </message>
    <message>
        <source>its page table is not in key order</source>
        <translation>ihre Seitentabelle ist nicht nach Schlüsseln geordnet</translation>
    </message>
    <message>
        <source>is missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation>kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>is far too large</source>
        <translation>ist viel zu groß</translation>
    </message>
    <message>
        <source>is cut short (the game may need repair)</source>
        <translation>ist abgeschnitten (das Spiel muss vielleicht repariert werden)</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>In the game data folder &quot;%1&quot; (a Remastered installation), &quot;%2&quot; %3.</source>
        <translation>Im Spieldatenordner „%1“ (eine Remastered-Installation): „%2“ %3.</translation>
    </message>
    <message>
        <source>cannot be used: %1</source>
        <translation>kann nicht verwendet werden: %1</translation>
    </message>
    <message>
        <source>(the active build&apos;s config) %1</source>
        <translation>(die Konfiguration des aktiven Builds) %1</translation>
    </message>
    <message>
        <source>the encoding file</source>
        <translation>die Kodierungsdatei</translation>
    </message>
    <message>
        <source>has no %1 in its index files (the game may need repair)</source>
        <translation>hat %1 nicht in seinen Indexdateien (das Spiel muss vielleicht repariert werden)</translation>
    </message>
    <message>
        <source>holds a damaged %1: %2</source>
        <translation>enthält %1 in beschädigter Form: %2</translation>
    </message>
    <message>
        <source>its content does not match its key</source>
        <translation>ihr Inhalt passt nicht zu ihrem Schlüssel</translation>
    </message>
    <message>
        <source>holds a damaged %1: its size is not the one the build config states</source>
        <translation>enthält %1 in beschädigter Form: ihre Größe ist nicht die, die die Build-Konfiguration nennt</translation>
    </message>
    <message>
        <source>the root file</source>
        <translation>die Root-Datei</translation>
    </message>
    <message>
        <source>is missing (the game may need repair)</source>
        <translation>fehlt (das Spiel muss vielleicht repariert werden)</translation>
    </message>
    <message>
        <source>is damaged: %1</source>
        <translation>ist beschädigt: %1</translation>
    </message>
    <message>
        <source>holds %1 in a record far too large</source>
        <translation>enthält %1 in einem viel zu großen Datensatz</translation>
    </message>
    <message>
        <source>(holding %1) %2</source>
        <translation>(mit %1) %2</translation>
    </message>
    <message>
        <source>a table runs past its end</source>
        <translation>eine Tabelle reicht über ihr Ende hinaus</translation>
    </message>
    <message>
        <source>a page does not match its checksum</source>
        <translation>eine Seite passt nicht zu ihrer Prüfsumme</translation>
    </message>
    <message>
        <source>holds a damaged encoding file: %1</source>
        <translation>enthält eine beschädigte Kodierungsdatei: %1</translation>
    </message>
    <message>
        <source>holds an encoding file without %1, which the game lists (the game may need repair)</source>
        <translation>enthält eine Kodierungsdatei ohne %1, das das Spiel aufführt (das Spiel muss vielleicht repariert werden)</translation>
    </message>
    <message>
        <source>has %1 listed but not installed: the game may need repair</source>
        <translation>führt %1 auf, hat es aber nicht installiert: das Spiel muss vielleicht repariert werden</translation>
    </message>
    <message>
        <source>holds %1 damaged: %2</source>
        <translation>enthält %1 beschädigt: %2</translation>
    </message>
</context>
<context>
    <name>ColorFile</name>
    <message>
        <source>line %1 gives colour %2 a value again (first on line %3)</source>
        <translation>Zeile %1 gibt der Farbe %2 erneut einen Wert (zuerst in Zeile %3)</translation>
    </message>
    <message>
        <source>line %1 is not KEY=VALUE: &quot;%2&quot;</source>
        <translation>Zeile %1 hat nicht die Form KEY=VALUE: „%2“</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot; is not a colour key (eight digits, such as 00000255) or a colour (such as #FF0000)</source>
        <translation>Zeile %1: „%2“ ist weder ein Farbschlüssel (acht Ziffern, etwa 00000255) noch eine Farbe (etwa #FF0000)</translation>
    </message>
    <message>
        <source>line %1: the tile value &quot;%2&quot; of colour %3 is not a whole number from 0 to %4</source>
        <translation>Zeile %1: der Kachelwert „%2“ der Farbe %3 ist keine ganze Zahl von 0 bis %4</translation>
    </message>
</context>
<context>
    <name>ColorListModel</name>
    <message>
        <source>no pixel</source>
        <translation>kein Pixel</translation>
    </message>
    <message>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <source>no tile</source>
        <translation>keine Kachel</translation>
    </message>
    <message>
        <source>tile %1</source>
        <translation>Kachel %1</translation>
    </message>
    <message>
        <source>Colour %1: no picture pixel</source>
        <translation>Farbe %1: kein Bildpixel</translation>
    </message>
    <message>
        <source>Colour %1: red %2, green %3, blue %4 (%5)</source>
        <translation>Farbe %1: Rot %2, Grün %3, Blau %4 (%5)</translation>
    </message>
    <message>
        <source>, 1 pixel</source>
        <translation>, 1 Pixel</translation>
    </message>
    <message>
        <source>, %1 pixels</source>
        <translation>, %1 Pixel</translation>
    </message>
    <message>
        <source>, tile value %1</source>
        <translation>, Kachelwert %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
</context>
<context>
    <name>Companion</name>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>the option %1 needs a value</source>
        <translation>die Option %1 braucht einen Wert</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>info takes one map</source>
        <translation>info nimmt eine Karte</translation>
    </message>
    <message>
        <source>colors takes a map and a picture</source>
        <translation>colors nimmt eine Karte und ein Bild</translation>
    </message>
    <message>
        <source>convert takes a map and a picture</source>
        <translation>convert nimmt eine Karte und ein Bild</translation>
    </message>
    <message>
        <source>render takes one map</source>
        <translation>render nimmt eine Karte</translation>
    </message>
    <message>
        <source>--template applies only to the colors command</source>
        <translation>--template gilt nur für den Befehl colors</translation>
    </message>
    <message>
        <source>--colors/--tileset applies only to the convert command</source>
        <translation>--colors/--tileset gilt nur für den Befehl convert</translation>
    </message>
    <message>
        <source>--output applies only to the convert and render commands</source>
        <translation>--output gilt nur für die Befehle convert und render</translation>
    </message>
    <message>
        <source>--tile-size applies only to the render command</source>
        <translation>--tile-size gilt nur für den Befehl render</translation>
    </message>
    <message>
        <source>--match applies only to the colors and convert commands</source>
        <translation>--match gilt nur für die Befehle colors und convert</translation>
    </message>
    <message>
        <source>--template and --match cannot be used together</source>
        <translation>--template und --match können nicht zusammen verwendet werden</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>velmora-cli: converted %1 into %2 (%3 x %4 tiles, %5 colours, %6 not named in %7 and set to 0%8)</source>
        <translation>velmora-cli: %1 in %2 umgewandelt (%3 x %4 Kacheln, %5 Farben, %6 nicht in %7 genannt und auf 0 gesetzt%8)</translation>
    </message>
    <message>
        <source>a colour file</source>
        <translation>einer Farbdatei</translation>
    </message>
    <message>
        <source>%1:%2: colour %3 does not occur in the map&apos;s area of %4</source>
        <translation>%1:%2: die Farbe %3 kommt im Kartenbereich von %4 nicht vor</translation>
    </message>
    <message>
        <source>unknown tileset &quot;%1&quot;; give a name such as Jungle World or a number from 0 to 7</source>
        <translation>unbekanntes Tileset „%1“; geben Sie einen Namen wie Jungle World oder eine Zahl von 0 bis 7 an</translation>
    </message>
    <message>
        <source>the output file name is empty</source>
        <translation>der Name der Ausgabedatei ist leer</translation>
    </message>
    <message>
        <source>render needs the picture to write (-o OUT.png)</source>
        <translation>render braucht das zu schreibende Bild (-o OUT.png)</translation>
    </message>
    <message>
        <source>the tile size &quot;%1&quot; is not a whole number from 1 to 32</source>
        <translation>die Kachelgröße „%1“ ist keine ganze Zahl von 1 bis 32</translation>
    </message>
    <message>
        <source>the tileset &quot;%1&quot; in the game data folder has no terrain tiles to match</source>
        <translation>das Tileset „%1“ im Spieldatenordner hat keine Geländekacheln zum Abgleichen</translation>
    </message>
    <message>
        <source>no game data folder: give --game-data DIR or set VELMORA_GAME_DATA</source>
        <translation>kein Spieldatenordner: geben Sie --game-data DIR an oder setzen Sie VELMORA_GAME_DATA</translation>
    </message>
    <message>
        <source>%1 of the map&apos;s tiles have values outside the tileset &quot;%2&quot;; they show the missing-tile pattern</source>
        <translation>%1 Kacheln der Karte haben Werte außerhalb des Tilesets „%2“; sie zeigen das Muster fehlender Kacheln</translation>
    </message>
    <message>
        <source>velmora-cli: rendered %1 into %2 (%3 x %4 tiles, %5 pixels per tile)</source>
        <translation>velmora-cli: %1 in %2 gezeichnet (%3 x %4 Kacheln, %5 Pixel pro Kachel)</translation>
    </message>
    <message>
        <source>the file cannot be written: %1</source>
        <translation>die Datei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>, tileset %1</source>
        <translation>, Tileset %1</translation>
    </message>
    <message>
        <source>Saving map...</source>
        <translation>Karte wird gespeichert...</translation>
    </message>
    <message>
        <source>Map saved!</source>
        <translation>Karte gespeichert!</translation>
    </message>
    <message>
        <source>%1 had %2 other names (hard links); they still hold the map as it was</source>
        <translation>%1 hatte %2 weitere Namen (harte Links); sie enthalten die Karte weiterhin wie zuvor</translation>
    </message>
    <message>
        <source>no private working folder can be made in this temporary folder (it is missing, full or not writable; set TMPDIR to another folder)</source>
        <translation>in diesem temporären Ordner kann kein privater Arbeitsordner angelegt werden (er fehlt, ist voll oder nicht beschreibbar; setzen Sie TMPDIR auf einen anderen Ordner)</translation>
    </message>
    <message>
        <source>%1 (see velmora-cli --help)</source>
        <translation>%1 (siehe velmora-cli --help)</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>Warnung: %1</translation>
    </message>
    <message>
        <source>--fit/--resample/--dither applies only to the colors and convert commands</source>
        <translation>--fit/--resample/--dither gilt nur für die Befehle colors und convert</translation>
    </message>
    <message>
        <source>--vary applies only to the convert command</source>
        <translation>--vary gilt nur für den Befehl convert</translation>
    </message>
    <message>
        <source>--game-data applies only with --match, --dither, --vary or the render command</source>
        <translation>--game-data gilt nur mit --match, --dither, --vary oder dem Befehl render</translation>
    </message>
    <message>
        <source>convert needs a colour file (--colors FILE), --match or --dither</source>
        <translation>convert braucht eine Farbdatei (--colors FILE), --match oder --dither</translation>
    </message>
    <message>
        <source>unknown fit &quot;%1&quot;; give none, stretch, contain or cover</source>
        <translation>unbekannte Einpassung „%1“; geben Sie none, stretch, contain oder cover an</translation>
    </message>
    <message>
        <source>unknown resampling &quot;%1&quot;; give area or nearest</source>
        <translation>unbekanntes Resampling „%1“; geben Sie area oder nearest an</translation>
    </message>
    <message>
        <source>--dither sets the tile values itself, so it cannot be used with --colors</source>
        <translation>--dither setzt die Kachelwerte selbst und kann daher nicht mit --colors verwendet werden</translation>
    </message>
    <message>
        <source>data takes one game data folder</source>
        <translation>data nimmt einen Spieldatenordner</translation>
    </message>
    <message>
        <source>the map (leave out -o to replace the map itself)</source>
        <translation>die Karte (lassen Sie -o weg, um die Karte selbst zu ersetzen)</translation>
    </message>
    <message>
        <source>the picture</source>
        <translation>dem Bild</translation>
    </message>
    <message>
        <source>the colour file</source>
        <translation>die Farbdatei</translation>
    </message>
    <message>
        <source>the map</source>
        <translation>die Karte</translation>
    </message>
    <message>
        <source>Usage:
  velmora-cli info MAP
  velmora-cli colors MAP PICTURE [--template | --match] [--dither]
                      [--fit MODE] [--resample HOW] [--game-data DIR]
  velmora-cli convert MAP PICTURE [--colors FILE | --dither] [--match] [--vary]
                      [--fit MODE] [--resample HOW] [--game-data DIR]
                      [--tileset NAME|NUMBER] [-o OUT]
  velmora-cli render MAP -o OUT.png [--game-data DIR] [--tile-size N]
  velmora-cli data DIR
  velmora-cli --help | --version

Paints PICTURE into the terrain of the StarCraft map archive MAP (*.scm, *.scx), one
pixel per tile, exactly as the Velmora windows do.

Commands:
  info      Prints the map&apos;s width, height, tileset and the archive&apos;s entries.
  colors    Prints each colour of the picture&apos;s map-sized area in colour list order:
            key, pixel count and #RRGGBB. With --template, prints a colour file with
            every value 0, ready to edit.
  convert   Converts the picture with the tile values of the colour file, optionally
            sets the tileset, and saves to OUT (default: MAP itself, replaced safely).
  render    Draws the map&apos;s terrain (its &quot;MTXM&quot; tiles) with the tileset graphics of
            the game data folder and writes it to OUT.png, N pixels per tile.

Options:
  --colors FILE        the colour file (convert)
  --tileset NAME|NUM   Badlands, Space Platform, Installation, Ash World,
                       Jungle World, Desert, Ice, Twilight, or 0 to 7 (convert)
  -o, --output OUT     where to save the converted map (convert) or the PNG
                       picture (render); not one of the inputs
  --tile-size N        pixels per tile, 1 to 32 (render; default 32: each tile&apos;s
                       own pixels; smaller sizes average them)
  --template           print a colour file instead of the list (colors)
  --match              give each colour the terrain tile whose average colour is
                       nearest (CIELAB, CIE76 distance), from the map&apos;s tileset
                       (or --tileset) in the game data folder (colors, convert)
  --fit MODE           how the picture meets the map: none (default: its top-left
                       map-sized area, one pixel per tile), stretch (the whole
                       picture onto the whole map), contain (the whole picture,
                       its shape kept, centred; no pixel around it), cover (the
                       whole map, from the picture&apos;s centre) (colors, convert)
  --resample HOW       with --fit: area (default: the mean of the pixels under a
                       tile, in linear light) or nearest (the pixel under its centre)
  --dither             give every tile a terrain tile by error diffusion, so the
                       colours read right on average; sets the values itself, so
                       not with --colors (colors, convert)
  --vary               replace each terrain tile written by one of the same tile
                       group and nearly the same colour, chosen by its position
                       (convert)
  --game-data DIR      the game data folder: a Remastered installation (its root or
                       Data folder), the classic game&apos;s folder (StarDat.mpq) or
                       extracted tileset files (default: VELMORA_GAME_DATA;
                       --match, --dither, --vary, render)
  -h, --help           this text
  --version            the program&apos;s version

Colour file: one KEY=VALUE per line. KEY is a colour key as `colors` prints it
(00000255) or a colour as #RRGGBB; VALUE is a tile value from 0 to %1. Blank
lines and lines starting with # are ignored (a line starting with #RRGGBB= is a
colour). A colour of the picture the file does not name gets 0; a colour the
picture does not have is a warning.

Progress goes to standard error when it is a terminal, otherwise a summary line.

Exit status:
   0  success
   1  any other failure
   2  wrong usage: unknown command or option, missing argument, unknown tileset,
      tile size not from 1 to 32
   3  the map file is missing or cannot be read
   4  the map file is not a map archive, or it is damaged
   5  the archive has no scenario entry (staredit\scenario.chk)
   6  the map&apos;s size is not accepted (64, 96, 128, 192 or 256 tiles each way)
   7  the picture is missing or cannot be decoded
   8  the picture&apos;s map-sized area has more than %2 colours
   9  the colour file cannot be read, or a line of it is malformed
  10  a tile value is not a whole number from 0 to %1
  11  the scenario lacks a &quot;TILE&quot;, &quot;MTXM&quot; or &quot;ERA &quot; section, or one is too short
  12  the output file cannot be written or replaced
  13  the private working folder cannot be created or used (missing or read-only
      TMPDIR, or its disk is full)
  14  the map archive is protected and cannot be written
  15  no game data folder, or its tileset files are missing or damaged (--match,
      --dither, --vary, render, data)
A failing command changes no input file.
</source>
        <translation>Aufruf:
  velmora-cli info MAP
  velmora-cli colors MAP PICTURE [--template | --match] [--dither]
                      [--fit MODE] [--resample HOW] [--game-data DIR]
  velmora-cli convert MAP PICTURE [--colors FILE | --dither] [--match] [--vary]
                      [--fit MODE] [--resample HOW] [--game-data DIR]
                      [--tileset NAME|NUMBER] [-o OUT]
  velmora-cli render MAP -o OUT.png [--game-data DIR] [--tile-size N]
  velmora-cli data DIR
  velmora-cli --help | --version

Malt PICTURE in das Gelände des StarCraft-Kartenarchivs MAP (*.scm, *.scx), ein
Pixel pro Kachel, genau wie die Fenster von Velmora.

Befehle:
  info      Gibt Breite, Höhe und Tileset der Karte und die Einträge des Archivs aus.
  colors    Gibt jede Farbe des kartengroßen Bereichs des Bildes in der Reihenfolge
            der Farbliste aus: Schlüssel, Pixelzahl und #RRGGBB. Mit --template
            eine Farbdatei mit jedem Wert 0, bereit zum Bearbeiten.
  convert   Wandelt das Bild mit den Kachelwerten der Farbdatei um, setzt auf Wunsch
            das Tileset und speichert nach OUT (Vorgabe: MAP selbst, sicher ersetzt).
  render    Zeichnet das Gelände der Karte (ihre „MTXM“-Kacheln) mit der Tileset-
            Grafik des Spieldatenordners und schreibt es nach OUT.png, N Pixel pro
            Kachel.

Optionen:
  --colors FILE        die Farbdatei (convert)
  --tileset NAME|NUM   Badlands, Space Platform, Installation, Ash World,
                       Jungle World, Desert, Ice, Twilight oder 0 bis 7 (convert)
  -o, --output OUT     wohin die umgewandelte Karte (convert) oder das PNG-Bild
                       (render) gespeichert wird; keine der Eingaben
  --tile-size N        Pixel pro Kachel, 1 bis 32 (render; Vorgabe 32: die
                       eigenen Pixel jeder Kachel; kleinere Größen mitteln sie)
  --template           eine Farbdatei statt der Liste ausgeben (colors)
  --match              jeder Farbe die Geländekachel geben, deren mittlere Farbe
                       am nächsten liegt (CIELAB, CIE76-Abstand), aus dem Tileset
                       der Karte (oder --tileset) im Spieldatenordner (colors,
                       convert)
  --fit MODE           wie das Bild auf die Karte kommt: none (Vorgabe: sein
                       kartengroßer Bereich oben links, ein Pixel pro Kachel),
                       stretch (das ganze Bild auf die ganze Karte), contain (das
                       ganze Bild, seine Form behalten, mittig; kein Pixel darum),
                       cover (die ganze Karte, von der Bildmitte aus) (colors,
                       convert)
  --resample HOW       mit --fit: area (Vorgabe: das Mittel der Pixel unter einer
                       Kachel, in linearem Licht) oder nearest (das Pixel unter
                       ihrer Mitte)
  --dither             jeder Kachel eine Geländekachel per Fehlerdiffusion geben,
                       sodass die Farben im Mittel stimmen; setzt die Werte selbst,
                       also nicht mit --colors (colors, convert)
  --vary               jede geschriebene Geländekachel durch eine derselben
                       Kachelgruppe und fast derselben Farbe ersetzen, nach ihrer
                       Position gewählt (convert)
  --game-data DIR      der Spieldatenordner: eine Remastered-Installation (ihr
                       Wurzel- oder Data-Ordner), der Ordner des klassischen Spiels
                       (StarDat.mpq) oder entpackte Tileset-Dateien (Vorgabe:
                       VELMORA_GAME_DATA; --match, --dither, --vary, render)
  -h, --help           dieser Text
  --version            die Version des Programms

Farbdatei: ein KEY=VALUE pro Zeile. KEY ist ein Farbschlüssel, wie `colors` ihn
ausgibt (00000255), oder eine Farbe als #RRGGBB; VALUE ist ein Kachelwert von 0 bis
%1. Leere Zeilen und Zeilen, die mit # beginnen, werden übergangen (eine Zeile,
die mit #RRGGBB= beginnt, ist eine Farbe). Eine Farbe des Bildes, die die Datei
nicht nennt, erhält 0; eine Farbe, die das Bild nicht hat, ergibt eine Warnung.

Der Fortschritt geht auf die Standardfehlerausgabe, wenn sie ein Terminal ist,
sonst eine Zusammenfassung in einer Zeile.

Exit-Status:
   0  Erfolg
   1  jeder andere Fehler
   2  falscher Aufruf: unbekannter Befehl oder unbekannte Option, fehlendes
      Argument, unbekanntes Tileset, Kachelgröße nicht von 1 bis 32
   3  die Kartendatei fehlt oder kann nicht gelesen werden
   4  die Kartendatei ist kein Kartenarchiv oder beschädigt
   5  das Archiv hat keinen Szenario-Eintrag (staredit\scenario.chk)
   6  die Größe der Karte wird nicht angenommen (64, 96, 128, 192 oder 256 Kacheln
      in jeder Richtung)
   7  das Bild fehlt oder kann nicht dekodiert werden
   8  der kartengroße Bereich des Bildes hat mehr als %2 Farben
   9  die Farbdatei kann nicht gelesen werden, oder eine ihrer Zeilen ist fehlerhaft
  10  ein Kachelwert ist keine ganze Zahl von 0 bis %1
  11  dem Szenario fehlt ein Abschnitt „TILE“, „MTXM“ oder „ERA “, oder einer ist
      zu kurz
  12  die Ausgabedatei kann nicht geschrieben oder ersetzt werden
  13  der private Arbeitsordner kann nicht angelegt oder verwendet werden (TMPDIR
      fehlt oder ist schreibgeschützt, oder sein Datenträger ist voll)
  14  das Kartenarchiv ist geschützt und kann nicht geschrieben werden
  15  kein Spieldatenordner, oder seine Tileset-Dateien fehlen oder sind beschädigt
      (--match, --dither, --vary, render, data)
Ein fehlgeschlagener Befehl verändert keine Eingabedatei.
</translation>
    </message>
</context>
<context>
    <name>Conversion</name>
    <message>
        <source>The scenario of %1 has no %2 section, so the picture cannot be converted into it.</source>
        <translation>Das Szenario von %1 hat keinen Abschnitt %2, daher kann das Bild nicht hineingewandelt werden.</translation>
    </message>
    <message>
        <source>The scenario of %1 ends inside the header of its %2 section; the map is damaged.</source>
        <translation>Das Szenario von %1 endet im Kopf seines Abschnitts %2; die Karte ist beschädigt.</translation>
    </message>
    <message>
        <source>The %1 section of %2 holds %3 bytes, but the map&apos;s size needs %4; the map is damaged or its size is wrong.</source>
        <translation>Der Abschnitt %1 von %2 enthält %3 Byte, die Kartengröße verlangt aber %4; die Karte ist beschädigt oder ihre Größe falsch.</translation>
    </message>
    <message>
        <source>The scenario of %1 ends inside its %2 section (%3 bytes short); the map is damaged.</source>
        <translation>Das Szenario von %1 endet in seinem Abschnitt %2 (%3 Byte zu kurz); die Karte ist beschädigt.</translation>
    </message>
    <message>
        <source>Location &quot;MTXM&quot; region.</source>
        <translation>Bereich „MTXM“ wird gesucht.</translation>
    </message>
    <message>
        <source>Inserting data in %1 region... (%2, %3)</source>
        <translation>Daten werden in den Bereich %1 eingefügt... (%2, %3)</translation>
    </message>
    <message>
        <source>No picture is loaded. Load a picture before converting.</source>
        <translation>Es ist kein Bild geladen. Laden Sie vor dem Umwandeln ein Bild.</translation>
    </message>
    <message>
        <source>The map size %1 x %2 is not valid. Load the map again.</source>
        <translation>Die Kartengröße %1 x %2 ist ungültig. Laden Sie die Karte erneut.</translation>
    </message>
    <message>
        <source>The colour list has %1 entries but the tile value list has %2. Load the picture again.</source>
        <translation>Die Farbliste hat %1 Einträge, die Liste der Kachelwerte aber %2. Laden Sie das Bild erneut.</translation>
    </message>
    <message>
        <source>The colour list has %1 entries; at most %2 can be converted.</source>
        <translation>Die Farbliste hat %1 Einträge; höchstens %2 können umgewandelt werden.</translation>
    </message>
    <message>
        <source>The colour %1 of pixel (%2, %3) is not in the colour list. Load the picture again so the list matches it.</source>
        <translation>Die Farbe %1 des Pixels (%2, %3) steht nicht in der Farbliste. Laden Sie das Bild erneut, damit die Liste dazu passt.</translation>
    </message>
    <message>
        <source>The &quot;TILE&quot; and &quot;MTXM&quot; sections of %1 overlap; the map is damaged and cannot be converted.</source>
        <translation>Die Abschnitte „TILE“ und „MTXM“ von %1 überlappen sich; die Karte ist beschädigt und kann nicht umgewandelt werden.</translation>
    </message>
    <message>
        <source>Location &quot;TILE&quot; region.</source>
        <translation>Bereich „TILE“ wird gesucht.</translation>
    </message>
    <message>
        <source>Conversion successful!</source>
        <translation>Umwandlung erfolgreich!</translation>
    </message>
    <message>
        <source>The tile value %1 is not from 0 to %2.</source>
        <translation>Der Kachelwert %1 liegt nicht zwischen 0 und %2.</translation>
    </message>
    <message>
        <source>The tile value &quot;%1&quot; of colour %2 is not a whole number from 0 to %3. Correct it and convert again.</source>
        <translation>Der Kachelwert „%1“ der Farbe %2 ist keine ganze Zahl von 0 bis %3. Korrigieren Sie ihn und wandeln Sie erneut um.</translation>
    </message>
</context>
<context>
    <name>FileIdentity</name>
    <message>
        <source>missing</source>
        <translation>nicht vorhanden</translation>
    </message>
    <message>
        <source>a regular file</source>
        <translation>eine reguläre Datei</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
</context>
<context>
    <name>FileNames</name>
    <message>
        <source>its folder holds names that are not valid in the system&apos;s encoding (UTF-8), which file dialogs do not list and which change when given as text: %1; rename such a file to open it here</source>
        <translation>sein Ordner enthält Namen, die in der Kodierung des Systems (UTF-8) nicht gültig sind, die Dateidialoge nicht anzeigen und die sich als Text weitergegeben ändern: %1; benennen Sie eine solche Datei um, um sie hier zu öffnen</translation>
    </message>
</context>
<context>
    <name>GameData</name>
    <message>
        <source>The game data folder &quot;%1&quot; does not exist.</source>
        <translation>Der Spieldatenordner „%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>The game archive &quot;%1&quot; is damaged or is not an archive, so the tileset file &quot;%2&quot; cannot be read from it.</source>
        <translation>Das Spielarchiv „%1“ ist beschädigt oder kein Archiv, daher kann die Tileset-Datei „%2“ nicht daraus gelesen werden.</translation>
    </message>
    <message>
        <source>The game data folder &quot;%1&quot; has no tileset file &quot;%2&quot;.</source>
        <translation>Der Spieldatenordner „%1“ hat keine Tileset-Datei „%2“.</translation>
    </message>
    <message>
        <source>The game data folder &quot;%1&quot; holds neither a Remastered installation, StarDat.mpq, BrooDat.mpq nor a &quot;tileset&quot; folder. Choose the folder the game is installed in.</source>
        <translation>Der Spieldatenordner „%1“ enthält weder eine Remastered-Installation, StarDat.mpq, BrooDat.mpq noch einen Ordner „tileset“. Wählen Sie den Ordner, in dem das Spiel installiert ist.</translation>
    </message>
    <message>
        <source>Its storage holds nothing under a &quot;tileset&quot; folder.</source>
        <translation>Sein Speicher enthält nichts unter einem Ordner „tileset“.</translation>
    </message>
    <message>
        <source>Under &quot;tileset&quot; folders its storage holds: %1.</source>
        <translation>Unter Ordnern „tileset“ enthält sein Speicher: %1.</translation>
    </message>
    <message>
        <source>The game archive &quot;%1&quot; is not usable: %2.</source>
        <translation>Das Spielarchiv „%1“ ist nicht verwendbar: %2.</translation>
    </message>
    <message>
        <source>The tileset folder &quot;%1&quot; cannot be read (permission denied).</source>
        <translation>Der Tileset-Ordner „%1“ kann nicht gelesen werden (keine Berechtigung).</translation>
    </message>
    <message>
        <source>The tileset file &quot;%1&quot; is not usable: %2.</source>
        <translation>Die Tileset-Datei „%1“ ist nicht verwendbar: %2.</translation>
    </message>
</context>
<context>
    <name>InstanceLock</name>
    <message>
        <source>you may not write in &quot;%1&quot;</source>
        <translation>Sie dürfen nicht in „%1“ schreiben</translation>
    </message>
    <message>
        <source>the file cannot be created</source>
        <translation>die Datei kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>it cannot be read as a lock and cannot be removed</source>
        <translation>sie kann weder als Sperre gelesen noch entfernt werden</translation>
    </message>
</context>
<context>
    <name>MapSaver</name>
    <message>
        <source>&quot;%1&quot; is a folder; choose a file name for the map.</source>
        <translation>„%1“ ist ein Ordner; wählen Sie einen Dateinamen für die Karte.</translation>
    </message>
    <message>
        <source>The folder of &quot;%1&quot; does not exist; choose another place for the map.</source>
        <translation>Der Ordner von „%1“ existiert nicht; wählen Sie einen anderen Ort für die Karte.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is one of the program&apos;s working files; choose another place for the map.</source>
        <translation>„%1“ ist eine der Arbeitsdateien des Programms; wählen Sie einen anderen Ort für die Karte.</translation>
    </message>
    <message>
        <source>The working copy of the map cannot be read, so &quot;%1&quot; was not changed.</source>
        <translation>Die Arbeitskopie der Karte kann nicht gelesen werden, daher wurde „%1“ nicht verändert.</translation>
    </message>
    <message>
        <source>The working copy of the map did not hold the map as it was stored, so &quot;%1&quot; was not changed.</source>
        <translation>Die Arbeitskopie der Karte enthielt die Karte nicht so, wie sie gespeichert war, daher wurde „%1“ nicht verändert.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; could not be written (%2); it was left as it was.</source>
        <translation>Die Karte „%1“ konnte nicht geschrieben werden (%2); sie blieb, wie sie war.</translation>
    </message>
</context>
<context>
    <name>MapSession</name>
    <message>
        <source>No map is loaded. Load a map first.</source>
        <translation>Es ist keine Karte geladen. Laden Sie zuerst eine Karte.</translation>
    </message>
    <message>
        <source>The working folder &quot;%1&quot; cannot be used for &quot;%2&quot;: its disk may be full, or it may not be writable.</source>
        <translation>Der Arbeitsordner „%1“ kann für „%2“ nicht verwendet werden: sein Datenträger ist vielleicht voll oder nicht beschreibbar.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; does not exist.</source>
        <translation>Die Karte „%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file.</source>
        <translation>„%1“ ist keine Datei.</translation>
    </message>
    <message>
        <source>Loading Map...</source>
        <translation>Karte wird geladen...</translation>
    </message>
    <message>
        <source>Location &quot;DIM &quot; region.</source>
        <translation>Bereich „DIM “ wird gesucht.</translation>
    </message>
    <message>
        <source>Checking dimension...</source>
        <translation>Größe wird geprüft...</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; is %2 x %3 tiles; Velmora accepts only 64, 96, 128, 192 or 256 tiles each way.</source>
        <translation>Die Karte „%1“ ist %2 x %3 Kacheln groß; Velmora nimmt nur 64, 96, 128, 192 oder 256 Kacheln in jeder Richtung an.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; could not be saved; it was left as it was.</source>
        <translation>Die Karte „%1“ konnte nicht gespeichert werden; sie blieb, wie sie war.</translation>
    </message>
    <message>
        <source>Change Tileset</source>
        <translation>Tileset wechseln</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>Load Picture</source>
        <translation>Bild laden</translation>
    </message>
    <message>
        <source>Type Value</source>
        <translation>Wert eingeben</translation>
    </message>
    <message>
        <source>Pick Tile</source>
        <translation>Kachel wählen</translation>
    </message>
    <message>
        <source>The working copy of &quot;%1&quot; was changed outside Velmora; the step cannot be taken back. Load the map again.</source>
        <translation>Die Arbeitskopie von „%1“ wurde außerhalb von Velmora geändert; der Schritt kann nicht zurückgenommen werden. Laden Sie die Karte erneut.</translation>
    </message>
    <message>
        <source>The colour list changed.</source>
        <translation>Die Farbliste hat sich geändert.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; does not exist (%2).</source>
        <translation>Die Karte „%1“ existiert nicht (%2).</translation>
    </message>
</context>
<context>
    <name>MpqControl</name>
    <message>
        <source>Velmora&apos;s archive helper &quot;%1&quot; is missing; install Velmora again.</source>
        <translation>Velmoras Archivhelfer „%1“ fehlt; installieren Sie Velmora erneut.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an entry name that can be extracted.</source>
        <translation>„%1“ ist kein Eintragsname, der entpackt werden kann.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written. Check that the disk is not full and that you may write there.</source>
        <translation>„%1“ konnte nicht geschrieben werden. Prüfen Sie, ob der Datenträger voll ist und ob Sie dort schreiben dürfen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read, so it cannot be stored in the map archive.</source>
        <translation>„%1“ kann nicht gelesen und daher nicht im Kartenarchiv gespeichert werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large to be stored in a map archive.</source>
        <translation>„%1“ ist zu groß, um in einem Kartenarchiv gespeichert zu werden.</translation>
    </message>
</context>
<context>
    <name>OutputTarget</name>
    <message>
        <source>No file name was given for the output.</source>
        <translation>Für die Ausgabe wurde kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, not a regular file; Velmora writes only regular files or new names. Choose another file.</source>
        <translation>„%1“ ist %2, keine reguläre Datei; Velmora schreibt nur reguläre Dateien oder neue Namen. Wählen Sie eine andere Datei.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, which this job reads; choose another file.</source>
        <translation>„%1“ ist %2 und wird von diesem Auftrag gelesen; wählen Sie eine andere Datei.</translation>
    </message>
</context>
<context>
    <name>PictureModule</name>
    <message>
        <source>this kind of picture needs Qt&apos;s picture decoders, and %1, which holds them, is not installed</source>
        <translation>diese Art Bild braucht Qts Bilddekoder, und %1, das sie enthält, ist nicht installiert</translation>
    </message>
    <message>
        <source>this kind of picture needs Qt&apos;s picture decoders, and %1, which holds them, cannot be loaded: %2</source>
        <translation>diese Art Bild braucht Qts Bilddekoder, und %1, das sie enthält, kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>this kind of picture needs Qt&apos;s picture decoders, and the %1 found does not hold them</source>
        <translation>diese Art Bild braucht Qts Bilddekoder, und das gefundene %1 enthält sie nicht</translation>
    </message>
</context>
<context>
    <name>PicturePipeline</name>
    <message>
        <source>the picture cannot be decoded: %1</source>
        <translation>das Bild kann nicht dekodiert werden: %1</translation>
    </message>
    <message>
        <source>the picture is incomplete: %1</source>
        <translation>das Bild ist unvollständig: %1</translation>
    </message>
    <message>
        <source>Scanning pixels... %1% complete.</source>
        <translation>Pixel werden gelesen... %1% fertig.</translation>
    </message>
    <message>
        <source>the map&apos;s %1 x %2 area of the picture has %3 colours; at most %4 fit the colour list</source>
        <translation>der %1 x %2 große Kartenbereich des Bildes hat %3 Farben; höchstens %4 passen in die Farbliste</translation>
    </message>
    <message>
        <source>; Dither gives it the colours of the tiles instead</source>
        <translation>; Dithering gibt ihm stattdessen die Farben der Kacheln</translation>
    </message>
</context>
<context>
    <name>PictureReader</name>
    <message>
        <source>the file ends inside the BMP header</source>
        <translation>die Datei endet im BMP-Kopf</translation>
    </message>
    <message>
        <source>the BMP header states no valid size</source>
        <translation>der BMP-Kopf nennt keine gültige Größe</translation>
    </message>
    <message>
        <source>the file ends inside the BMP colour table</source>
        <translation>die Datei endet in der BMP-Farbtabelle</translation>
    </message>
    <message>
        <source>the picture&apos;s size does not fit in 32 bits</source>
        <translation>die Größe des Bildes passt nicht in 32 Bit</translation>
    </message>
    <message>
        <source>the file ends before the last row of pixels its header announces</source>
        <translation>die Datei endet vor der letzten Pixelzeile, die ihr Kopf ankündigt</translation>
    </message>
    <message>
        <source>the file cannot be read: %1</source>
        <translation>die Datei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>the file ends before the last row of pixels the map needs</source>
        <translation>die Datei endet vor der letzten Pixelzeile, die die Karte braucht</translation>
    </message>
    <message>
        <source>the GIF data is damaged (%1)</source>
        <translation>die GIF-Daten sind beschädigt (%1)</translation>
    </message>
    <message>
        <source>the JPEG data is damaged (more than %1 scans)</source>
        <translation>die JPEG-Daten sind beschädigt (mehr als %1 Scans)</translation>
    </message>
    <message>
        <source>decoding the picture needs more memory than Velmora allows</source>
        <translation>das Dekodieren des Bildes braucht mehr Speicher, als Velmora erlaubt</translation>
    </message>
    <message>
        <source>the JPEG data is damaged (%1)</source>
        <translation>die JPEG-Daten sind beschädigt (%1)</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>keine solche Datei</translation>
    </message>
    <message>
        <source>it is not a BMP, PNG, GIF or JPEG picture</source>
        <translation>es ist kein BMP-, PNG-, GIF- oder JPEG-Bild</translation>
    </message>
    <message>
        <source>no decoder for this kind of picture is installed</source>
        <translation>für diese Art Bild ist kein Dekoder installiert</translation>
    </message>
    <message>
        <source>the PNG data is damaged (%1)</source>
        <translation>die PNG-Daten sind beschädigt (%1)</translation>
    </message>
    <message>
        <source>there is not enough memory to read the picture</source>
        <translation>es ist nicht genug Speicher da, um das Bild zu lesen</translation>
    </message>
    <message>
        <source>one row of the picture (%1 pixels wide) needs more memory than Velmora allows</source>
        <translation>eine Zeile des Bildes (%1 Pixel breit) braucht mehr Speicher, als Velmora erlaubt</translation>
    </message>
    <message>
        <source>a map of %1 x %2 tiles is too large to fit a picture to</source>
        <translation>eine Karte von %1 x %2 Kacheln ist zu groß, um ein Bild darauf einzupassen</translation>
    </message>
    <message>
        <source>the picture is too complex: its JPEG data has more than %1 scans</source>
        <translation>das Bild ist zu komplex: seine JPEG-Daten haben mehr als %1 Scans</translation>
    </message>
    <message>
        <source>the picture is too large: it is %1 x %2 pixels and stored in several scans, so all of it is decoded at once; that takes %3 MiB, more than the %4 MiB Velmora allows</source>
        <translation>das Bild ist zu groß: es ist %1 x %2 Pixel groß und in mehreren Scans gespeichert, wird also ganz auf einmal dekodiert; das braucht %3 MiB, mehr als die %4 MiB, die Velmora erlaubt</translation>
    </message>
    <message>
        <source>the picture is too complex: %1 scans over %2 MiB of coefficients would take more than Velmora allows (%3 GiB of scan work)</source>
        <translation>das Bild ist zu komplex: %1 Scans über %2 MiB Koeffizienten bräuchten mehr, als Velmora erlaubt (%3 GiB Scanarbeit)</translation>
    </message>
    <message>
        <source>the picture is too large to fit to the map: it is %1 x %2 pixels, and Velmora fits pictures of up to %3 million pixels</source>
        <translation>das Bild ist zu groß, um es auf die Karte einzupassen: es ist %1 x %2 Pixel groß, und Velmora passt Bilder bis %3 Millionen Pixel ein</translation>
    </message>
    <message>
        <source>not a regular file (%1)</source>
        <translation>keine reguläre Datei (%1)</translation>
    </message>
    <message>
        <source>the picture is too large: it is %1 x %2 pixels and interlaced, so all of it is decoded; Velmora decodes interlaced PNGs up to %3 MiB of pixels (save it without interlacing)</source>
        <translation>das Bild ist zu groß: es ist %1 x %2 Pixel groß und interlaced, wird also ganz dekodiert; Velmora dekodiert interlaced PNGs bis %3 MiB Pixel (speichern Sie es ohne Interlacing)</translation>
    </message>
    <message>
        <source>no such file; %1</source>
        <translation>keine solche Datei; %1</translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>there is nothing to draw</source>
        <translation>es gibt nichts zu zeichnen</translation>
    </message>
    <message>
        <source>there is not enough memory to write the picture</source>
        <translation>es ist nicht genug Speicher da, um das Bild zu schreiben</translation>
    </message>
    <message>
        <source>the picture cannot be written: %1</source>
        <translation>das Bild kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>the picture cannot be encoded</source>
        <translation>das Bild kann nicht kodiert werden</translation>
    </message>
</context>
<context>
    <name>QtImage</name>
    <message>
        <source>the picture is %1 x %2 pixels; Velmora reads pictures of this format only whole and up to %3 MiB of pixels, so save it as BMP or PNG</source>
        <translation>das Bild ist %1 x %2 Pixel groß; Bilder dieses Formats liest Velmora nur ganz und bis %3 MiB Pixel, speichern Sie es also als BMP oder PNG</translation>
    </message>
</context>
<context>
    <name>RecentMapsMenu</name>
    <message>
        <source>Recent &amp;Maps</source>
        <translation>&amp;Zuletzt geöffnete Karten</translation>
    </message>
    <message>
        <source>%1 is no longer there.</source>
        <translation>%1 gibt es nicht mehr.</translation>
    </message>
</context>
<context>
    <name>ScenarioFile</name>
    <message>
        <source>The scenario file of &quot;%1&quot; cannot be read.</source>
        <translation>Die Szenariodatei von „%1“ kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The scenario file of &quot;%1&quot; is too large.</source>
        <translation>Die Szenariodatei von „%1“ ist zu groß.</translation>
    </message>
    <message>
        <source>The scenario file of &quot;%1&quot; cannot be opened for writing (%2).</source>
        <translation>Die Szenariodatei von „%1“ kann nicht zum Schreiben geöffnet werden (%2).</translation>
    </message>
    <message>
        <source>The scenario file of &quot;%1&quot; changed while it was being edited. Try again.</source>
        <translation>Die Szenariodatei von „%1“ hat sich während der Bearbeitung geändert. Versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The scenario file of &quot;%1&quot; could not be written (%2). Check that the disk is not full or write-protected.</source>
        <translation>Die Szenariodatei von „%1“ konnte nicht geschrieben werden (%2). Prüfen Sie, ob der Datenträger voll oder schreibgeschützt ist.</translation>
    </message>
    <message>
        <source>The scenario file of &quot;%1&quot; ends before the place to write; it may be damaged.</source>
        <translation>Die Szenariodatei von „%1“ endet vor der Stelle, an die geschrieben werden soll; sie ist vielleicht beschädigt.</translation>
    </message>
    <message>
        <source>The scenario of &quot;%1&quot; has no &quot;DIM &quot; section, so the map size is unknown.</source>
        <translation>Das Szenario von „%1“ hat keinen Abschnitt „DIM “, daher ist die Kartengröße unbekannt.</translation>
    </message>
    <message>
        <source>The scenario of &quot;%1&quot; ends inside its &quot;DIM &quot; section; the map is damaged.</source>
        <translation>Das Szenario von „%1“ endet in seinem Abschnitt „DIM “; die Karte ist beschädigt.</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The lock file &quot;%1&quot; cannot be taken: %2. Velmora runs anyway, but cannot tell whether another copy of it is running.</source>
        <translation>Die Sperrdatei „%1“ kann nicht belegt werden: %2. Velmora läuft trotzdem, kann aber nicht erkennen, ob eine weitere Kopie läuft.</translation>
    </message>
    <message>
        <source>Velmora is already running (process %1) and did not answer. Close it, or end that process, and start Velmora again. Its lock file is &quot;%2&quot;.</source>
        <translation>Velmora läuft bereits (Prozess %1) und hat nicht geantwortet. Schließen Sie es oder beenden Sie diesen Prozess und starten Sie Velmora erneut. Seine Sperrdatei ist „%2“.</translation>
    </message>
</context>
<context>
    <name>TerrainSource</name>
    <message>
        <source>The path of the game data folder &quot;%1&quot; is too long to be kept in the settings file.</source>
        <translation>Der Pfad des Spieldatenordners „%1“ ist zu lang für die Einstellungsdatei.</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; cannot be written.</source>
        <translation>Die Einstellungsdatei „%1“ kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>No game data folder is set: terrain graphics come from the folder the game is installed in.</source>
        <translation>Es ist kein Spieldatenordner eingestellt: Die Geländegrafik kommt aus dem Ordner, in dem das Spiel installiert ist.</translation>
    </message>
    <message>
        <source>in the game data folder &quot;%1&quot;</source>
        <translation>im Spieldatenordner „%1“</translation>
    </message>
</context>
<context>
    <name>TerrainView</name>
    <message>
        <source>Terrain</source>
        <translation>Gelände</translation>
    </message>
</context>
<context>
    <name>TileGraphics</name>
    <message>
        <source>The tileset file &quot;%1.%2&quot; in the game data folder &quot;%3&quot; is damaged: %4</source>
        <translation>Die Tileset-Datei „%1.%2“ im Spieldatenordner „%3“ ist beschädigt: %4</translation>
    </message>
    <message>
        <source>it is empty.</source>
        <translation>sie ist leer.</translation>
    </message>
    <message>
        <source>its %1 bytes are not a whole number of %2-byte %3.</source>
        <translation>ihre %1 Byte sind keine ganze Zahl von %3 zu je %2 Byte.</translation>
    </message>
    <message>
        <source>tile groups</source>
        <translation>Kachelgruppen</translation>
    </message>
    <message>
        <source>megatiles</source>
        <translation>Megakacheln</translation>
    </message>
    <message>
        <source>minitiles</source>
        <translation>Minikacheln</translation>
    </message>
    <message>
        <source>it holds %1 bytes instead of the palette&apos;s 1024.</source>
        <translation>sie enthält %1 Byte statt der 1024 der Palette.</translation>
    </message>
</context>
<context>
    <name>TileMap</name>
    <message>
        <source>The scenario of &quot;%1&quot; has no complete &quot;%2&quot; section; the map is damaged.</source>
        <translation>Das Szenario von „%1“ hat keinen vollständigen Abschnitt „%2“; die Karte ist beschädigt.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; is %2 x %3 tiles, a size the program does not accept.</source>
        <translation>Die Karte „%1“ ist %2 x %3 Kacheln groß, eine Größe, die das Programm nicht annimmt.</translation>
    </message>
    <message>
        <source>The scenario of &quot;%1&quot; cannot be read.</source>
        <translation>Das Szenario von „%1“ kann nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>TilePaletteModel</name>
    <message>
        <source>Group %1</source>
        <translation>Gruppe %1</translation>
    </message>
    <message>
        <source>Tile group %1 holds doodads; matching never uses them.</source>
        <translation>Die Kachelgruppe %1 enthält Doodads; der Abgleich verwendet sie nie.</translation>
    </message>
    <message>
        <source>Tile group %1, terrain type %2. Tick groups to match colours with the ticked groups only.</source>
        <translation>Kachelgruppe %1, Geländeart %2. Haken Sie Gruppen an, um Farben nur mit den angehakten Gruppen abzugleichen.</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>Kachel %1</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
</context>
<context>
    <name>Tileset</name>
    <message>
        <source>The map has no tileset section, so its tileset cannot be changed.</source>
        <translation>Die Karte hat keinen Tileset-Abschnitt, daher kann ihr Tileset nicht geändert werden.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; has no tileset section, so its tileset cannot be changed.</source>
        <translation>Die Karte „%1“ hat keinen Tileset-Abschnitt, daher kann ihr Tileset nicht geändert werden.</translation>
    </message>
    <message>
        <source>The map&apos;s scenario ends before its tileset; it may be damaged.</source>
        <translation>Das Szenario der Karte endet vor ihrem Tileset; sie ist vielleicht beschädigt.</translation>
    </message>
    <message>
        <source>The map&apos;s working copy is gone. Load the map again.</source>
        <translation>Die Arbeitskopie der Karte ist verschwunden. Laden Sie die Karte erneut.</translation>
    </message>
    <message>
        <source>The scenario of &quot;%1&quot; cannot be read.</source>
        <translation>Das Szenario von „%1“ kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 is not a tileset number.</source>
        <translation>%1 ist keine Tileset-Nummer.</translation>
    </message>
    <message>
        <source>The map changed while the tileset dialog was open. Open the dialog again.</source>
        <translation>Die Karte hat sich geändert, während der Tileset-Dialog offen war. Öffnen Sie den Dialog erneut.</translation>
    </message>
</context>
<context>
    <name>UnsavedWork</name>
    <message>
        <source>The changes to %1 have not been saved.

Save them before going on?</source>
        <translation>Die Änderungen an %1 wurden nicht gespeichert.

Vor dem Fortfahren speichern?</translation>
    </message>
</context>
<context>
    <name>Workspace</name>
    <message>
        <source>The working file &quot;%1&quot; cannot be deleted. Close any program that uses it and try again.</source>
        <translation>Die Arbeitsdatei „%1“ kann nicht gelöscht werden. Schließen Sie jedes Programm, das sie verwendet, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The working folder &quot;%1&quot; cannot be created or written: %2.</source>
        <translation>Der Arbeitsordner „%1“ kann nicht angelegt oder beschrieben werden: %2.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; does not exist or is not a file.</source>
        <translation>Die Karte „%1“ existiert nicht oder ist keine Datei.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; cannot be loaded: %2.</source>
        <translation>Die Karte „%1“ kann nicht geladen werden: %2.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; cannot be copied into the working folder &quot;%2&quot;. Check that its disk is not full and that you may write there.</source>
        <translation>Die Karte „%1“ kann nicht in den Arbeitsordner „%2“ kopiert werden. Prüfen Sie, ob sein Datenträger voll ist und ob Sie dort schreiben dürfen.</translation>
    </message>
    <message>
        <source>The scenario of the map could not be extracted to &quot;%1&quot;.</source>
        <translation>Das Szenario der Karte konnte nicht nach „%1“ entpackt werden.</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Velmora, version %1.%2</source>
        <translation>Velmora, Version %1.%2</translation>
    </message>
</context>
<context>
    <name>frmColorList</name>
    <message>
        <source>no colour</source>
        <translation>keine Farbe</translation>
    </message>
    <message>
        <source>red %1, green %2, blue %3</source>
        <translation>Rot %1, Grün %2, Blau %3</translation>
    </message>
    <message>
        <source>::[Color List]::::....</source>
        <translation>::[Farbliste]::::....</translation>
    </message>
    <message>
        <source>::Color List::::....</source>
        <translation>::Farbliste::::....</translation>
    </message>
    <message>
        <source>Color List</source>
        <translation>Farbliste</translation>
    </message>
    <message>
        <source>::Color::::....</source>
        <translation>::Farbe::::....</translation>
    </message>
    <message>
        <source>Selected color</source>
        <translation>Gewählte Farbe</translation>
    </message>
    <message>
        <source>::Replace::::....</source>
        <translation>::Ersetzen::::....</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Tile</source>
        <translation>Kachel</translation>
    </message>
    <message>
        <source>Set the game data folder in Preferences to see tiles.</source>
        <translation>Stellen Sie in den Einstellungen den Spieldatenordner ein, um Kacheln zu sehen.</translation>
    </message>
    <message>
        <source>&amp;Pick Tile...</source>
        <translation>Kachel &amp;wählen...</translation>
    </message>
    <message>
        <source>&amp;Match Colours</source>
        <translation>Farben &amp;abgleichen</translation>
    </message>
    <message>
        <source>&amp;Import Colours...</source>
        <translation>Farben &amp;importieren...</translation>
    </message>
    <message>
        <source>Read the tile values from a colour file</source>
        <translation>Die Kachelwerte aus einer Farbdatei lesen</translation>
    </message>
    <message>
        <source>E&amp;xport Colours...</source>
        <translation>Farben e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Write the colours and their tile values to a colour file</source>
        <translation>Die Farben und ihre Kachelwerte in eine Farbdatei schreiben</translation>
    </message>
    <message>
        <source>No tiles</source>
        <translation>Keine Kacheln</translation>
    </message>
    <message>
        <source>No value</source>
        <translation>Kein Wert</translation>
    </message>
    <message>
        <source>Too large</source>
        <translation>Zu groß</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>Kachel %1</translation>
    </message>
    <message>
        <source>Colour Files (*.txt) (*.txt);;All Files (*.*) (*)</source>
        <translation>Farbdateien (*.txt) (*.txt);;Alle Dateien (*.*) (*)</translation>
    </message>
    <message>
        <source>Export Colours</source>
        <translation>Farben exportieren</translation>
    </message>
    <message>
        <source>Import Colours</source>
        <translation>Farben importieren</translation>
    </message>
    <message>
        <source>%1 could not be written: %2.</source>
        <translation>%1 konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>%1 cannot be imported: %2.

No tile value was changed.</source>
        <translation>%1 kann nicht importiert werden: %2.

Kein Kachelwert wurde geändert.</translation>
    </message>
    <message>
        <source>line %1: colour %2</source>
        <translation>Zeile %1: Farbe %2</translation>
    </message>
    <message>
        <source>the picture</source>
        <translation>dem Bild</translation>
    </message>
    <message>
        <source>%1 names a colour that does not occur in the map&apos;s area of %2; it was left out:</source>
        <translation>%1 nennt eine Farbe, die im Kartenbereich von %2 nicht vorkommt; sie wurde ausgelassen:</translation>
    </message>
    <message>
        <source>%1 names %2 colours that do not occur in the map&apos;s area of %3; they were left out:</source>
        <translation>%1 nennt %2 Farben, die im Kartenbereich von %3 nicht vorkommen; sie wurden ausgelassen:</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
    <message>
        <source>No tile value was changed.</source>
        <translation>Kein Kachelwert wurde geändert.</translation>
    </message>
    <message>
        <source>The file&apos;s other colour was applied.</source>
        <translation>Die andere Farbe der Datei wurde übernommen.</translation>
    </message>
    <message>
        <source>The file&apos;s other %1 colours were applied.</source>
        <translation>Die anderen %1 Farben der Datei wurden übernommen.</translation>
    </message>
    <message>
        <source>the map the colours come from</source>
        <translation>die Karte, aus der die Farben stammen</translation>
    </message>
    <message>
        <source>the picture the colours come from</source>
        <translation>das Bild, aus dem die Farben stammen</translation>
    </message>
    <message>
        <source>Tile values go up to %1.</source>
        <translation>Kachelwerte gehen bis %1.</translation>
    </message>
    <message>
        <source>The tile value &quot;%1&quot; of colour %2 is not a whole number from 0 to %3. Correct it and export again; %4 was not written.</source>
        <translation>Der Kachelwert „%1“ der Farbe %2 ist keine ganze Zahl von 0 bis %3. Korrigieren Sie ihn und exportieren Sie erneut; %4 wurde nicht geschrieben.</translation>
    </message>
    <message>
        <source>Give every colour the terrain tile of the nearest average colour</source>
        <translation>Jeder Farbe die Geländekachel mit der nächstliegenden mittleren Farbe geben</translation>
    </message>
    <message>
        <source>&amp;Dither</source>
        <translation>&amp;Dithern</translation>
    </message>
    <message>
        <source>Give every cell of the picture a terrain tile by error diffusion, so the terrain matches the picture&apos;s colours on average</source>
        <translation>Jeder Zelle des Bildes per Fehlerdiffusion eine Geländekachel geben, sodass das Gelände im Mittel die Farben des Bildes trifft</translation>
    </message>
</context>
<context>
    <name>frmPicture</name>
    <message>
        <source>::[Picture]:::....</source>
        <translation>::[Bild]:::....</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>&amp;Load</source>
        <translation>&amp;Laden</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;1x</source>
        <translation>&amp;1x</translation>
    </message>
    <message>
        <source>&amp;2x</source>
        <translation>&amp;2x</translation>
    </message>
    <message>
        <source>&amp;4x</source>
        <translation>&amp;4x</translation>
    </message>
    <message>
        <source>&amp;8x</source>
        <translation>&amp;8x</translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation>&amp;Einpassen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Load Picture</source>
        <translation>Bild laden</translation>
    </message>
    <message>
        <source>%1 cannot be used: %2.</source>
        <translation>%1 kann nicht verwendet werden: %2.</translation>
    </message>
    <message>
        <source>Removing duplicates...</source>
        <translation>Doppelte werden entfernt...</translation>
    </message>
    <message>
        <source>Picture loaded!</source>
        <translation>Bild geladen!</translation>
    </message>
    <message>
        <source>All Picture Files (*.bmp; *.gif; *.jpg) (*.bmp *.gif *.jpg *.jpeg *.png);;Bitmap Images (*.bmp) (*.bmp);;GIF Images (*.gif) (*.gif);;JPEG Images (*.jpg; *.jpeg) (*.jpg *.jpeg);;PNG Images (*.png) (*.png);;All Files (*.*) (*)</source>
        <translation>Alle Bilddateien (*.bmp; *.gif; *.jpg) (*.bmp *.gif *.jpg *.jpeg *.png);;Bitmap-Bilder (*.bmp) (*.bmp);;GIF-Bilder (*.gif) (*.gif);;JPEG-Bilder (*.jpg; *.jpeg) (*.jpg *.jpeg);;PNG-Bilder (*.png) (*.png);;Alle Dateien (*.*) (*)</translation>
    </message>
    <message>
        <source>%1 could not be loaded: %2.</source>
        <translation>%1 konnte nicht geladen werden: %2.</translation>
    </message>
    <message>
        <source>Fi&amp;t to Map</source>
        <translation>An Karte an&amp;passen</translation>
    </message>
    <message>
        <source>&amp;None (top-left corner)</source>
        <translation>&amp;Keine (Ecke oben links)</translation>
    </message>
    <message>
        <source>&amp;Stretch</source>
        <translation>&amp;Strecken</translation>
    </message>
    <message>
        <source>&amp;Contain</source>
        <translation>&amp;Einpassen</translation>
    </message>
    <message>
        <source>C&amp;over</source>
        <translation>&amp;Füllen</translation>
    </message>
    <message>
        <source>&amp;Resampling</source>
        <translation>&amp;Abtastung</translation>
    </message>
    <message>
        <source>&amp;Area (mean colour)</source>
        <translation>&amp;Fläche (mittlere Farbe)</translation>
    </message>
    <message>
        <source>&amp;Nearest pixel</source>
        <translation>&amp;Nächstes Pixel</translation>
    </message>
    <message>
        <source>The map&apos;s area of this picture has too many colors for the color list (%1 &gt; %2).</source>
        <translation>Der Kartenbereich dieses Bildes hat zu viele Farben für die Farbliste (%1 &gt; %2).</translation>
    </message>
    <message>
        <source>The picture fitted to the map has too many colors for the color list (%1 &gt; %2).</source>
        <translation>Das an die Karte angepasste Bild hat zu viele Farben für die Farbliste (%1 &gt; %2).</translation>
    </message>
    <message>
        <source>Reduce the number of colors in the picture and load it again.</source>
        <translation>Verringern Sie die Zahl der Farben im Bild und laden Sie es erneut.</translation>
    </message>
    <message>
        <source>Dither in the color list gives it the colors of the tiles instead.</source>
        <translation>Dithern in der Farbliste gibt ihm stattdessen die Farben der Kacheln.</translation>
    </message>
    <message>
        <source>Dither in the color list could give it the colors of the tiles, but it needs the tiles of the map&apos;s tileset first:

%1</source>
        <translation>Dithern in der Farbliste könnte ihm die Farben der Kacheln geben, braucht aber zuerst die Kacheln des Tilesets der Karte:

%1</translation>
    </message>
</context>
<context>
    <name>frmPreferences</name>
    <message>
        <source>a folder has that name</source>
        <translation>ein Ordner trägt diesen Namen</translation>
    </message>
    <message>
        <source>the file cannot be written; it may be read-only or too large to be a settings file</source>
        <translation>die Datei kann nicht geschrieben werden; sie ist vielleicht schreibgeschützt oder zu groß für eine Einstellungsdatei</translation>
    </message>
    <message>
        <source>::General::::....</source>
        <translation>::Allgemein::::....</translation>
    </message>
    <message>
        <source>Show splash screen</source>
        <translation>Startbild zeigen</translation>
    </message>
    <message>
        <source>Enable status bar</source>
        <translation>Statusleiste einschalten</translation>
    </message>
    <message>
        <source>Show load dialog on start</source>
        <translation>Beim Start Ladedialog zeigen</translation>
    </message>
    <message>
        <source>&amp;Game data folder:</source>
        <translation>Spiel&amp;datenordner:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>D&amp;urchsuchen...</translation>
    </message>
    <message>
        <source>La&amp;nguage:</source>
        <translation>&amp;Sprache:</translation>
    </message>
    <message>
        <source>From the next start.</source>
        <translation>Ab dem nächsten Start.</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>Ü&amp;bernehmen</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Game data folder</source>
        <translation>Spieldatenordner</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>The language of the windows, from the next start. System: the desktop&apos;s language.</source>
        <translation>Die Sprache der Fenster, ab dem nächsten Start. System: die Sprache der Arbeitsumgebung.</translation>
    </message>
    <message>
        <source>The settings could not be saved to &quot;%1&quot;: %2.</source>
        <translation>Die Einstellungen konnten nicht in „%1“ gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Game Data Folder</source>
        <translation>Spieldatenordner</translation>
    </message>
    <message>
        <source>The Remastered installation (with .build.info and Data), the classic game&apos;s folder (with StarDat.mpq), or a folder of extracted tileset files. Empty: no terrain graphics.</source>
        <translation>Die Remastered-Installation (mit .build.info und Data), der Ordner des klassischen Spiels (mit StarDat.mpq) oder ein Ordner mit entpackten Tileset-Dateien. Leer: keine Geländegrafik.</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>sie ist %1, keine reguläre Datei</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Velmora, version %1.%2</source>
        <translation>Velmora, Version %1.%2</translation>
    </message>
    <message>
        <source>Click or press a key to continue.</source>
        <translation>Klicken oder eine Taste drücken, um fortzufahren.</translation>
    </message>
</context>
<context>
    <name>frmTerrainPreview</name>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Terrain Preview</source>
        <translation>Geländevorschau</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Export scale</source>
        <translation>Exportmaßstab</translation>
    </message>
    <message>
        <source>%1 px per tile</source>
        <translation>%1 px pro Kachel</translation>
    </message>
    <message>
        <source>&amp;Export PNG...</source>
        <translation>PNG e&amp;xportieren...</translation>
    </message>
    <message>
        <source>&amp;Zoom:</source>
        <translation>&amp;Zoom:</translation>
    </message>
    <message>
        <source>Load a map to see its terrain.</source>
        <translation>Laden Sie eine Karte, um ihr Gelände zu sehen.</translation>
    </message>
    <message>
        <source>%1 x %2 tiles</source>
        <translation>%1 x %2 Kacheln</translation>
    </message>
    <message>
        <source>; tiles not in the tileset (drawn magenta and black): %1</source>
        <translation>; Kacheln, die nicht im Tileset sind (magenta und schwarz gezeichnet): %1</translation>
    </message>
    <message>
        <source>Tile (%1, %2): value %3</source>
        <translation>Kachel (%1, %2): Wert %3</translation>
    </message>
    <message>
        <source>Export Terrain</source>
        <translation>Gelände exportieren</translation>
    </message>
    <message>
        <source>PNG Images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>there is no terrain</source>
        <translation>es gibt kein Gelände</translation>
    </message>
    <message>
        <source>The terrain could not be written to &quot;%1&quot; (%2).</source>
        <translation>Das Gelände konnte nicht nach „%1“ geschrieben werden (%2).</translation>
    </message>
    <message>
        <source>&amp;Picture</source>
        <translation>&amp;Bild</translation>
    </message>
    <message>
        <source>Show the picture&apos;s cells in place of the terrain (P)</source>
        <translation>Die Zellen des Bildes statt des Geländes zeigen (P)</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>the map the terrain comes from</source>
        <translation>die Karte, aus der das Gelände stammt</translation>
    </message>
</context>
<context>
    <name>frmTilePalette</name>
    <message>
        <source>Tile Palette - %1</source>
        <translation>Kachelpalette - %1</translation>
    </message>
    <message>
        <source>Tile Palette</source>
        <translation>Kachelpalette</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <source>&amp;Zoom:</source>
        <translation>&amp;Zoom:</translation>
    </message>
    <message>
        <source>Tiles</source>
        <translation>Kacheln</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Wählen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>Kachel %1</translation>
    </message>
    <message>
        <source>Matching uses every terrain group.</source>
        <translation>Der Abgleich verwendet jede Geländegruppe.</translation>
    </message>
    <message>
        <source>Matching uses the ticked group only.</source>
        <translation>Der Abgleich verwendet nur die angehakte Gruppe.</translation>
    </message>
    <message>
        <source>Matching uses the %1 ticked groups only.</source>
        <translation>Der Abgleich verwendet nur die %1 angehakten Gruppen.</translation>
    </message>
</context>
<context>
    <name>frmTileset</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>Ü&amp;bernehmen</translation>
    </message>
    <message>
        <source>::Change Tileset::::....</source>
        <translation>::Tileset wechseln::::....</translation>
    </message>
    <message>
        <source>Tileset</source>
        <translation>Tileset</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Paints a picture into the terrain of a StarCraft map.</source>
        <translation>Malt ein Bild in das Gelände einer StarCraft-Karte.</translation>
    </message>
    <message>
        <source>A map (*.scm, *.scx) to load at start.</source>
        <translation>Eine Karte (*.scm, *.scx), die beim Start geladen wird.</translation>
    </message>
</context>
<context>
    <name>mdiMain</name>
    <message>
        <source>Map saved!</source>
        <translation>Karte gespeichert!</translation>
    </message>
    <message>
        <source>StarCraft Maps (*.scm;*.scx) (*.scm *.scx)</source>
        <translation>StarCraft-Karten (*.scm;*.scx) (*.scm *.scx)</translation>
    </message>
    <message>
        <source>No File Loaded</source>
        <translation>Keine Datei geladen</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>::[Velmora]::[Version %1.%2]::[%3]::....</source>
        <translation>::[Velmora]::[Version %1.%2]::[%3]::....</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Load Map</source>
        <translation>Karte &amp;laden</translation>
    </message>
    <message>
        <source>&amp;Save Map</source>
        <translation>Karte &amp;speichern</translation>
    </message>
    <message>
        <source>Save Map &amp;As...</source>
        <translation>Karte speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Conversion</source>
        <translation>&amp;Umwandlung</translation>
    </message>
    <message>
        <source>&amp;Convert</source>
        <translation>&amp;Umwandeln</translation>
    </message>
    <message>
        <source>Convert &amp;&amp; &amp;Save</source>
        <translation>Umwandeln und &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
    </message>
    <message>
        <source>Change &amp;Tileset</source>
        <translation>&amp;Tileset wechseln</translation>
    </message>
    <message>
        <source>Terrain Pre&amp;view</source>
        <translation>Gelände&amp;vorschau</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber Velmora</translation>
    </message>
    <message>
        <source>&amp;Readme</source>
        <translation>&amp;Liesmich</translation>
    </message>
    <message>
        <source>Cool Stuff!</source>
        <translation>Tolle Sachen!</translation>
    </message>
    <message>
        <source>Initialized.</source>
        <translation>Bereit.</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Load Map</source>
        <translation>Karte laden</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; could not be loaded.</source>
        <translation>Die Karte „%1“ konnte nicht geladen werden.</translation>
    </message>
    <message>
        <source>It is missing, is not a StarCraft map archive, or is damaged.</source>
        <translation>Sie fehlt, ist kein StarCraft-Kartenarchiv oder ist beschädigt.</translation>
    </message>
    <message>
        <source>Map dimensions invalid.</source>
        <translation>Ungültige Kartengröße.</translation>
    </message>
    <message>
        <source>Make sure the map uses standard map dimensions.</source>
        <translation>Achten Sie darauf, dass die Karte eine Standardgröße hat.</translation>
    </message>
    <message>
        <source>Map loaded!</source>
        <translation>Karte geladen!</translation>
    </message>
    <message>
        <source>No map loaded.</source>
        <translation>Keine Karte geladen.</translation>
    </message>
    <message>
        <source>Save Map</source>
        <translation>Karte speichern</translation>
    </message>
    <message>
        <source>The map could not be saved to %1.</source>
        <translation>Die Karte konnte nicht unter %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>Save Map As...</source>
        <translation>Karte speichern unter...</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>Umwandlung fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Convert &amp; Save</source>
        <translation>Umwandeln und speichern</translation>
    </message>
    <message>
        <source>No map is loaded. Load a map first.</source>
        <translation>Es ist keine Karte geladen. Laden Sie zuerst eine Karte.</translation>
    </message>
    <message>
        <source>Change Tileset</source>
        <translation>Tileset wechseln</translation>
    </message>
    <message>
        <source>Choose the game data folder in Tools &gt; Preferences.</source>
        <translation>Wählen Sie den Spieldatenordner unter Werkzeuge &gt; Einstellungen.</translation>
    </message>
    <message>
        <source>Tile Palette</source>
        <translation>Kachelpalette</translation>
    </message>
    <message>
        <source>Match Colours</source>
        <translation>Farben abgleichen</translation>
    </message>
    <message>
        <source>The tileset has no terrain tiles to match colours with.</source>
        <translation>Das Tileset hat keine Geländekacheln, mit denen Farben abgeglichen werden können.</translation>
    </message>
    <message>
        <source>The groups ticked in the tile palette hold no terrain tiles. Tick other groups, or none to match with every terrain group.</source>
        <translation>Die in der Kachelpalette angehakten Gruppen enthalten keine Geländekacheln. Haken Sie andere Gruppen an, oder keine, um mit jeder Geländegruppe abzugleichen.</translation>
    </message>
    <message>
        <source>Matching colours... %1 of %2</source>
        <translation>Farben werden abgeglichen... %1 von %2</translation>
    </message>
    <message>
        <source>Colours matched: %1 of %2.</source>
        <translation>Farben abgeglichen: %1 von %2.</translation>
    </message>
    <message>
        <source>Load a map to see its terrain and tiles.</source>
        <translation>Laden Sie eine Karte, um ihr Gelände und ihre Kacheln zu sehen.</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>readme.txt could not be found.</source>
        <translation>readme.txt wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Vary Tiles</source>
        <translation>Kacheln &amp;variieren</translation>
    </message>
    <message>
        <source>Vary Tiles could not be remembered: the settings file cannot be written.</source>
        <translation>„Kacheln variieren“ konnte nicht gespeichert werden: die Einstellungsdatei kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Dither</source>
        <translation>Dithern</translation>
    </message>
    <message>
        <source>Picture dithered to the tiles: %1 colours.</source>
        <translation>Bild auf die Kacheln gedithert: %1 Farben.</translation>
    </message>
    <message>
        <source>The fit could not be remembered: the settings file cannot be written.</source>
        <translation>Die Anpassung konnte nicht gespeichert werden: die Einstellungsdatei kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Fit Picture</source>
        <translation>Bild anpassen</translation>
    </message>
    <message>
        <source>Picture loaded!</source>
        <translation>Bild geladen!</translation>
    </message>
    <message>
        <source>Load a map to vary its tiles.</source>
        <translation>Laden Sie eine Karte, um ihre Kacheln zu variieren.</translation>
    </message>
    <message>
        <source>Replace each terrain tile written by a variant of the same tile group of nearly the same colour</source>
        <translation>Jede geschriebene Geländekachel durch eine Variante derselben Kachelgruppe in fast derselben Farbe ersetzen</translation>
    </message>
</context>
<context>
    <name>modFunctions</name>
    <message>
        <source>&quot;%1&quot; is not a section name of four characters.</source>
        <translation>„%1“ ist kein Abschnittsname aus vier Zeichen.</translation>
    </message>
    <message>
        <source>The scenario file &quot;%1&quot; is missing and cannot be created.</source>
        <translation>Die Szenariodatei „%1“ fehlt und kann nicht angelegt werden.</translation>
    </message>
</context>
</TS>
