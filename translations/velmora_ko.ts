<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>AppPaths</name>
    <message>
        <source>&quot;%1&quot; is a file, not a folder</source>
        <translation>&quot;%1&quot;은(는) 폴더가 아니라 파일입니다</translation>
    </message>
    <message>
        <source>you may not write in &quot;%1&quot;</source>
        <translation>&quot;%1&quot;에 쓸 권한이 없습니다</translation>
    </message>
    <message>
        <source>the disk may be full or mounted read-only</source>
        <translation>디스크가 가득 찼거나 읽기 전용으로 마운트되었을 수 있습니다</translation>
    </message>
</context>
<context>
    <name>ArchiveAccess</name>
    <message>
        <source>&quot;%1&quot; cannot be read, so it cannot be stored in the map archive.</source>
        <translation>&quot;%1&quot;을(를) 읽을 수 없어 맵 아카이브에 저장할 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>ArchiveFailure</name>
    <message>
        <source>The map archive &quot;%1&quot; does not exist or cannot be read.</source>
        <translation>맵 아카이브 &quot;%1&quot;이(가) 없거나 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a map archive, or it is damaged. Choose another map file.</source>
        <translation>&quot;%1&quot;은(는) 맵 아카이브가 아니거나 손상되었습니다. 다른 맵 파일을 고르십시오.</translation>
    </message>
    <message>
        <source>The map archive &quot;%1&quot; has no entry &quot;%2&quot;.</source>
        <translation>맵 아카이브 &quot;%1&quot;에 항목 &quot;%2&quot;이(가) 없습니다.</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; of the map archive &quot;%2&quot; is damaged and cannot be read.</source>
        <translation>맵 아카이브 &quot;%2&quot;의 항목 &quot;%1&quot;이(가) 손상되어 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; of the map archive &quot;%2&quot; is larger than Velmora reads.</source>
        <translation>맵 아카이브 &quot;%2&quot;의 항목 &quot;%1&quot;은(는) Velmora가 읽는 크기보다 큽니다.</translation>
    </message>
    <message>
        <source>The map archive &quot;%1&quot; is protected and cannot be written.</source>
        <translation>맵 아카이브 &quot;%1&quot;은(는) 보호되어 있어 쓸 수 없습니다.</translation>
    </message>
    <message>
        <source>The folder of &quot;%1&quot; cannot be written to. Check that the disk is not full and that you may write there.</source>
        <translation>&quot;%1&quot;의 폴더에 쓸 수 없습니다. 디스크가 가득 차지 않았는지, 그곳에 쓸 권한이 있는지 확인하십시오.</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; did not read back correctly from the map archive &quot;%2&quot;; the archive was left as it was.</source>
        <translation>항목 &quot;%1&quot;을(를) 맵 아카이브 &quot;%2&quot;에서 제대로 다시 읽지 못했습니다. 아카이브는 원래대로 두었습니다.</translation>
    </message>
    <message>
        <source>The map archive &quot;%1&quot; is damaged or uses a form Velmora cannot read.</source>
        <translation>맵 아카이브 &quot;%1&quot;이(가) 손상되었거나 Velmora가 읽을 수 없는 형식입니다.</translation>
    </message>
</context>
<context>
    <name>Artwork</name>
    <message>
        <source>Version %1.%2</source>
        <translation>버전 %1.%2</translation>
    </message>
    <message>
        <source>Pictures into map terrain</source>
        <translation>그림을 맵 지형으로</translation>
    </message>
    <message>
        <source>Paints a picture into the terrain of a StarCraft map:
one pixel, one tile.</source>
        <translation>스타크래프트 맵의 지형에 그림을 그려 넣습니다:
픽셀 하나에 타일 하나.</translation>
    </message>
</context>
<context>
    <name>BoundedFile</name>
    <message>
        <source>the file is %1 bytes long; files over %2 MiB are not read</source>
        <translation>파일 크기가 %1바이트입니다. %2 MiB보다 큰 파일은 읽지 않습니다</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>그런 파일이 없습니다</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>읽을 수 없습니다: %1</translation>
    </message>
    <message>
        <source>not a regular file (%1)</source>
        <translation>일반 파일이 아닙니다(%1)</translation>
    </message>
    <message>
        <source>cannot be read (permission denied)</source>
        <translation>읽을 수 없습니다(권한 없음)</translation>
    </message>
    <message>
        <source>cannot be read (%1)</source>
        <translation>읽을 수 없습니다(%1)</translation>
    </message>
</context>
<context>
    <name>CascStorage</name>
    <message>
        <source>zlib cannot start</source>
        <translation>zlib을 시작할 수 없습니다</translation>
    </message>
    <message>
        <source>a zlib chunk does not end where it should</source>
        <translation>zlib 청크가 끝나야 할 곳에서 끝나지 않습니다</translation>
    </message>
    <message>
        <source>a zlib chunk is corrupt</source>
        <translation>zlib 청크가 손상되었습니다</translation>
    </message>
    <message>
        <source>a chunk decodes to another size than stated</source>
        <translation>청크를 풀면 적힌 것과 다른 크기가 됩니다</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>비어 있습니다</translation>
    </message>
    <message>
        <source>it has no &quot;Active&quot; or no &quot;Build Key&quot; column</source>
        <translation>&quot;Active&quot; 열이나 &quot;Build Key&quot; 열이 없습니다</translation>
    </message>
    <message>
        <source>the active build&apos;s key is not 32 hex digits</source>
        <translation>활성 빌드의 키가 16진수 32자리가 아닙니다</translation>
    </message>
    <message>
        <source>no build in it is active (installed)</source>
        <translation>활성(설치된) 빌드가 없습니다</translation>
    </message>
    <message>
        <source>it names no valid &quot;root&quot; or &quot;encoding&quot; key</source>
        <translation>올바른 &quot;root&quot; 키나 &quot;encoding&quot; 키가 없습니다</translation>
    </message>
    <message>
        <source>it is too short for an index file</source>
        <translation>색인 파일이라기에는 너무 짧습니다</translation>
    </message>
    <message>
        <source>its header is not that of an index file of version 7</source>
        <translation>헤더가 버전 7 색인 파일의 헤더가 아닙니다</translation>
    </message>
    <message>
        <source>it holds another bucket than its name says</source>
        <translation>이름과 다른 버킷이 들어 있습니다</translation>
    </message>
    <message>
        <source>its entries have a layout Velmora does not read</source>
        <translation>항목이 Velmora가 읽지 않는 배치로 되어 있습니다</translation>
    </message>
    <message>
        <source>its entries run past its end</source>
        <translation>항목이 파일 끝을 넘어갑니다</translation>
    </message>
    <message>
        <source>the record does not start with &quot;BLTE&quot;</source>
        <translation>레코드가 &quot;BLTE&quot;로 시작하지 않습니다</translation>
    </message>
    <message>
        <source>the record is empty</source>
        <translation>레코드가 비어 있습니다</translation>
    </message>
    <message>
        <source>the record&apos;s chunk table is malformed</source>
        <translation>레코드의 청크 표가 잘못되었습니다</translation>
    </message>
    <message>
        <source>the record&apos;s chunks run past its end</source>
        <translation>레코드의 청크가 레코드 끝을 넘어갑니다</translation>
    </message>
    <message>
        <source>a chunk states a size its data cannot have</source>
        <translation>청크에 데이터가 가질 수 없는 크기가 적혀 있습니다</translation>
    </message>
    <message>
        <source>the record&apos;s chunks do not fill it</source>
        <translation>레코드의 청크가 레코드를 다 채우지 않습니다</translation>
    </message>
    <message>
        <source>a chunk does not match its checksum</source>
        <translation>청크가 체크섬과 맞지 않습니다</translation>
    </message>
    <message>
        <source>a chunk is larger than any such file</source>
        <translation>청크가 그런 파일로서는 있을 수 없을 만큼 큽니다</translation>
    </message>
    <message>
        <source>a chunk states a size its zlib data cannot have</source>
        <translation>청크에 zlib 데이터가 가질 수 없는 크기가 적혀 있습니다</translation>
    </message>
    <message>
        <source>a part of it is encrypted, which Velmora does not read</source>
        <translation>일부가 암호화되어 있어 Velmora가 읽지 않습니다</translation>
    </message>
    <message>
        <source>a part of it is nested (frame mode F), which Velmora does not read</source>
        <translation>일부가 중첩되어 있어(프레임 모드 F) Velmora가 읽지 않습니다</translation>
    </message>
    <message>
        <source>a part of it is LZ4-compressed, which Velmora does not read</source>
        <translation>일부가 LZ4로 압축되어 있어 Velmora가 읽지 않습니다</translation>
    </message>
    <message>
        <source>a chunk has an unknown mode</source>
        <translation>청크의 모드를 알 수 없습니다</translation>
    </message>
    <message>
        <source>the file is larger than any such file</source>
        <translation>파일이 그런 파일로서는 있을 수 없을 만큼 큽니다</translation>
    </message>
    <message>
        <source>its chunks decode to another size than the encoding table says</source>
        <translation>청크를 풀면 인코딩 표에 적힌 것과 다른 크기가 됩니다</translation>
    </message>
    <message>
        <source>its header is not that of an encoding file</source>
        <translation>헤더가 인코딩 파일의 헤더가 아닙니다</translation>
    </message>
    <message>
        <source>its tables run past its end</source>
        <translation>표가 파일 끝을 넘어갑니다</translation>
    </message>
    <message>
        <source>its page table is cut short</source>
        <translation>페이지 표가 잘려 있습니다</translation>
    </message>
    <message>
        <source>its page table is not in key order</source>
        <translation>페이지 표가 키 순서대로 되어 있지 않습니다</translation>
    </message>
    <message>
        <source>is missing</source>
        <translation>없습니다</translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation>열 수 없습니다</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>일반 파일이 아닙니다</translation>
    </message>
    <message>
        <source>is far too large</source>
        <translation>너무 큽니다</translation>
    </message>
    <message>
        <source>is cut short (the game may need repair)</source>
        <translation>잘려 있습니다(게임을 복구해야 할 수 있습니다)</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>읽을 수 없습니다</translation>
    </message>
    <message>
        <source>In the game data folder &quot;%1&quot; (a Remastered installation), &quot;%2&quot; %3.</source>
        <translation>게임 데이터 폴더 &quot;%1&quot;(리마스터 설치)의 &quot;%2&quot;: %3.</translation>
    </message>
    <message>
        <source>cannot be used: %1</source>
        <translation>쓸 수 없습니다: %1</translation>
    </message>
    <message>
        <source>(the active build&apos;s config) %1</source>
        <translation>(활성 빌드의 구성) %1</translation>
    </message>
    <message>
        <source>the encoding file</source>
        <translation>인코딩 파일</translation>
    </message>
    <message>
        <source>has no %1 in its index files (the game may need repair)</source>
        <translation>색인 파일에 %1이(가) 없습니다(게임을 복구해야 할 수 있습니다)</translation>
    </message>
    <message>
        <source>holds a damaged %1: %2</source>
        <translation>손상된 %1이(가) 들어 있습니다: %2</translation>
    </message>
    <message>
        <source>its content does not match its key</source>
        <translation>내용이 키와 맞지 않습니다</translation>
    </message>
    <message>
        <source>holds a damaged %1: its size is not the one the build config states</source>
        <translation>손상된 %1이(가) 들어 있습니다: 크기가 빌드 구성에 적힌 크기와 다릅니다</translation>
    </message>
    <message>
        <source>the root file</source>
        <translation>루트 파일</translation>
    </message>
    <message>
        <source>is missing (the game may need repair)</source>
        <translation>없습니다(게임을 복구해야 할 수 있습니다)</translation>
    </message>
    <message>
        <source>is damaged: %1</source>
        <translation>손상되었습니다: %1</translation>
    </message>
    <message>
        <source>holds %1 in a record far too large</source>
        <translation>너무 큰 레코드에 %1이(가) 들어 있습니다</translation>
    </message>
    <message>
        <source>(holding %1) %2</source>
        <translation>(%1 포함) %2</translation>
    </message>
    <message>
        <source>a table runs past its end</source>
        <translation>표가 파일 끝을 넘어갑니다</translation>
    </message>
    <message>
        <source>a page does not match its checksum</source>
        <translation>페이지가 체크섬과 맞지 않습니다</translation>
    </message>
    <message>
        <source>holds a damaged encoding file: %1</source>
        <translation>손상된 인코딩 파일이 들어 있습니다: %1</translation>
    </message>
    <message>
        <source>holds an encoding file without %1, which the game lists (the game may need repair)</source>
        <translation>게임 목록에 있는 %1이(가) 빠진 인코딩 파일이 들어 있습니다(게임을 복구해야 할 수 있습니다)</translation>
    </message>
    <message>
        <source>has %1 listed but not installed: the game may need repair</source>
        <translation>%1이(가) 목록에는 있지만 설치되어 있지 않습니다. 게임을 복구해야 할 수 있습니다</translation>
    </message>
    <message>
        <source>holds %1 damaged: %2</source>
        <translation>손상된 %1이(가) 들어 있습니다: %2</translation>
    </message>
</context>
<context>
    <name>ColorFile</name>
    <message>
        <source>line %1 gives colour %2 a value again (first on line %3)</source>
        <translation>%1번째 줄이 색 %2에 값을 다시 지정합니다(처음은 %3번째 줄)</translation>
    </message>
    <message>
        <source>line %1 is not KEY=VALUE: &quot;%2&quot;</source>
        <translation>%1번째 줄이 KEY=VALUE 형식이 아닙니다: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot; is not a colour key (eight digits, such as 00000255) or a colour (such as #FF0000)</source>
        <translation>%1번째 줄: &quot;%2&quot;은(는) 색 키(00000255 같은 여덟 자리 숫자)나 색(#FF0000 같은)이 아닙니다</translation>
    </message>
    <message>
        <source>line %1: the tile value &quot;%2&quot; of colour %3 is not a whole number from 0 to %4</source>
        <translation>%1번째 줄: 색 %3의 타일 값 &quot;%2&quot;은(는) 0부터 %4까지의 정수가 아닙니다</translation>
    </message>
</context>
<context>
    <name>ColorListModel</name>
    <message>
        <source>no pixel</source>
        <translation>픽셀 없음</translation>
    </message>
    <message>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <source>no tile</source>
        <translation>타일 없음</translation>
    </message>
    <message>
        <source>tile %1</source>
        <translation>타일 %1</translation>
    </message>
    <message>
        <source>Colour %1: no picture pixel</source>
        <translation>색 %1: 그림 픽셀 없음</translation>
    </message>
    <message>
        <source>Colour %1: red %2, green %3, blue %4 (%5)</source>
        <translation>색 %1: 빨강 %2, 초록 %3, 파랑 %4 (%5)</translation>
    </message>
    <message>
        <source>, 1 pixel</source>
        <translation>, 1픽셀</translation>
    </message>
    <message>
        <source>, %1 pixels</source>
        <translation>, %1픽셀</translation>
    </message>
    <message>
        <source>, tile value %1</source>
        <translation>, 타일 값 %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>없음</translation>
    </message>
</context>
<context>
    <name>Companion</name>
    <message>
        <source>unknown option %1</source>
        <translation>알 수 없는 옵션 %1</translation>
    </message>
    <message>
        <source>the option %1 needs a value</source>
        <translation>옵션 %1에는 값이 필요합니다</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>명령이 없습니다</translation>
    </message>
    <message>
        <source>info takes one map</source>
        <translation>info에는 맵 하나가 필요합니다</translation>
    </message>
    <message>
        <source>colors takes a map and a picture</source>
        <translation>colors에는 맵과 그림이 필요합니다</translation>
    </message>
    <message>
        <source>convert takes a map and a picture</source>
        <translation>convert에는 맵과 그림이 필요합니다</translation>
    </message>
    <message>
        <source>render takes one map</source>
        <translation>render에는 맵 하나가 필요합니다</translation>
    </message>
    <message>
        <source>--template applies only to the colors command</source>
        <translation>--template는 colors 명령에만 쓸 수 있습니다</translation>
    </message>
    <message>
        <source>--colors/--tileset applies only to the convert command</source>
        <translation>--colors/--tileset은 convert 명령에만 쓸 수 있습니다</translation>
    </message>
    <message>
        <source>--output applies only to the convert and render commands</source>
        <translation>--output은 convert와 render 명령에만 쓸 수 있습니다</translation>
    </message>
    <message>
        <source>--tile-size applies only to the render command</source>
        <translation>--tile-size는 render 명령에만 쓸 수 있습니다</translation>
    </message>
    <message>
        <source>--match applies only to the colors and convert commands</source>
        <translation>--match는 colors와 convert 명령에만 쓸 수 있습니다</translation>
    </message>
    <message>
        <source>--template and --match cannot be used together</source>
        <translation>--template와 --match는 함께 쓸 수 없습니다</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>알 수 없는 명령 &quot;%1&quot;</translation>
    </message>
    <message>
        <source>velmora-cli: converted %1 into %2 (%3 x %4 tiles, %5 colours, %6 not named in %7 and set to 0%8)</source>
        <translation>velmora-cli: %1을(를) %2(으)로 변환했습니다(%3 x %4 타일, 색 %5개, %7에 없어 0으로 둔 색 %6개%8)</translation>
    </message>
    <message>
        <source>a colour file</source>
        <translation>색 파일</translation>
    </message>
    <message>
        <source>%1:%2: colour %3 does not occur in the map&apos;s area of %4</source>
        <translation>%1:%2: 색 %3은(는) %4의 맵 영역에 없습니다</translation>
    </message>
    <message>
        <source>unknown tileset &quot;%1&quot;; give a name such as Jungle World or a number from 0 to 7</source>
        <translation>알 수 없는 타일셋 &quot;%1&quot;. Jungle World 같은 이름이나 0부터 7까지의 번호를 주십시오</translation>
    </message>
    <message>
        <source>the output file name is empty</source>
        <translation>출력 파일 이름이 비어 있습니다</translation>
    </message>
    <message>
        <source>render needs the picture to write (-o OUT.png)</source>
        <translation>render에는 쓸 그림이 필요합니다(-o OUT.png)</translation>
    </message>
    <message>
        <source>the tile size &quot;%1&quot; is not a whole number from 1 to 32</source>
        <translation>타일 크기 &quot;%1&quot;은(는) 1부터 32까지의 정수가 아닙니다</translation>
    </message>
    <message>
        <source>the tileset &quot;%1&quot; in the game data folder has no terrain tiles to match</source>
        <translation>게임 데이터 폴더의 타일셋 &quot;%1&quot;에는 맞출 지형 타일이 없습니다</translation>
    </message>
    <message>
        <source>no game data folder: give --game-data DIR or set VELMORA_GAME_DATA</source>
        <translation>게임 데이터 폴더가 없습니다: --game-data DIR을 주거나 VELMORA_GAME_DATA를 설정하십시오</translation>
    </message>
    <message>
        <source>%1 of the map&apos;s tiles have values outside the tileset &quot;%2&quot;; they show the missing-tile pattern</source>
        <translation>맵 타일 %1개의 값이 타일셋 &quot;%2&quot; 밖에 있어 빠진 타일 무늬로 그려집니다</translation>
    </message>
    <message>
        <source>velmora-cli: rendered %1 into %2 (%3 x %4 tiles, %5 pixels per tile)</source>
        <translation>velmora-cli: %1을(를) %2(으)로 그렸습니다(%3 x %4 타일, 타일당 %5픽셀)</translation>
    </message>
    <message>
        <source>the file cannot be written: %1</source>
        <translation>파일을 쓸 수 없습니다: %1</translation>
    </message>
    <message>
        <source>, tileset %1</source>
        <translation>, 타일셋 %1</translation>
    </message>
    <message>
        <source>Saving map...</source>
        <translation>맵 저장 중...</translation>
    </message>
    <message>
        <source>Map saved!</source>
        <translation>맵을 저장했습니다!</translation>
    </message>
    <message>
        <source>%1 had %2 other names (hard links); they still hold the map as it was</source>
        <translation>%1에는 다른 이름(하드 링크)이 %2개 있었습니다. 그 이름들은 여전히 이전 맵을 가리킵니다</translation>
    </message>
    <message>
        <source>no private working folder can be made in this temporary folder (it is missing, full or not writable; set TMPDIR to another folder)</source>
        <translation>이 임시 폴더에는 전용 작업 폴더를 만들 수 없습니다(폴더가 없거나, 가득 찼거나, 쓸 수 없습니다. TMPDIR을 다른 폴더로 설정하십시오)</translation>
    </message>
    <message>
        <source>%1 (see velmora-cli --help)</source>
        <translation>%1 (velmora-cli --help 참고)</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>경고: %1</translation>
    </message>
    <message>
        <source>--fit/--resample/--dither applies only to the colors and convert commands</source>
        <translation>--fit/--resample/--dither는 colors와 convert 명령에만 쓸 수 있습니다</translation>
    </message>
    <message>
        <source>--vary applies only to the convert command</source>
        <translation>--vary는 convert 명령에만 쓸 수 있습니다</translation>
    </message>
    <message>
        <source>--game-data applies only with --match, --dither, --vary or the render command</source>
        <translation>--game-data는 --match, --dither, --vary나 render 명령과 함께만 쓸 수 있습니다</translation>
    </message>
    <message>
        <source>convert needs a colour file (--colors FILE), --match or --dither</source>
        <translation>convert에는 색 파일(--colors FILE), --match 또는 --dither가 필요합니다</translation>
    </message>
    <message>
        <source>unknown fit &quot;%1&quot;; give none, stretch, contain or cover</source>
        <translation>알 수 없는 맞춤 방식 &quot;%1&quot;. none, stretch, contain, cover 중 하나를 주십시오</translation>
    </message>
    <message>
        <source>unknown resampling &quot;%1&quot;; give area or nearest</source>
        <translation>알 수 없는 리샘플링 &quot;%1&quot;. area나 nearest를 주십시오</translation>
    </message>
    <message>
        <source>--dither sets the tile values itself, so it cannot be used with --colors</source>
        <translation>--dither는 타일 값을 스스로 정하므로 --colors와 함께 쓸 수 없습니다</translation>
    </message>
    <message>
        <source>data takes one game data folder</source>
        <translation>data에는 게임 데이터 폴더 하나가 필요합니다</translation>
    </message>
    <message>
        <source>the map (leave out -o to replace the map itself)</source>
        <translation>맵(-o를 빼면 맵 자체를 교체합니다)</translation>
    </message>
    <message>
        <source>the picture</source>
        <translation>그림</translation>
    </message>
    <message>
        <source>the colour file</source>
        <translation>색 파일</translation>
    </message>
    <message>
        <source>the map</source>
        <translation>맵</translation>
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
        <translation>사용법:
  velmora-cli info MAP
  velmora-cli colors MAP PICTURE [--template | --match] [--dither]
                      [--fit MODE] [--resample HOW] [--game-data DIR]
  velmora-cli convert MAP PICTURE [--colors FILE | --dither] [--match] [--vary]
                      [--fit MODE] [--resample HOW] [--game-data DIR]
                      [--tileset NAME|NUMBER] [-o OUT]
  velmora-cli render MAP -o OUT.png [--game-data DIR] [--tile-size N]
  velmora-cli data DIR
  velmora-cli --help | --version

스타크래프트 맵 아카이브 MAP(*.scm, *.scx)의 지형에 그림 PICTURE를 픽셀 하나당
타일 하나로, Velmora 창과 똑같이 그려 넣습니다.

명령:
  info      맵의 너비, 높이, 타일셋과 아카이브의 항목을 출력합니다.
  colors    그림의 맵 크기 영역에 있는 색을 색 목록 순서대로 출력합니다:
            키, 픽셀 수, #RRGGBB. --template를 주면 모든 값이 0인 색 파일을
            출력하므로 바로 고쳐 쓸 수 있습니다.
  convert   색 파일의 타일 값으로 그림을 변환하고, 원하면 타일셋을 설정한 뒤
            OUT에 저장합니다(기본값: MAP 자체를 안전하게 교체).
  render    게임 데이터 폴더의 타일셋 그래픽으로 맵의 지형(&quot;MTXM&quot; 타일)을 그려
            OUT.png에 씁니다. 타일당 N픽셀.

옵션:
  --colors FILE        색 파일(convert)
  --tileset NAME|NUM   Badlands, Space Platform, Installation, Ash World,
                       Jungle World, Desert, Ice, Twilight, 또는 0부터 7(convert)
  -o, --output OUT     변환한 맵(convert)이나 PNG 그림(render)을 저장할 곳.
                       입력 파일은 안 됩니다
  --tile-size N        타일당 픽셀 수, 1부터 32(render. 기본값 32: 각 타일의
                       원래 픽셀. 더 작으면 평균을 냅니다)
  --template           목록 대신 색 파일을 출력(colors)
  --match              각 색에 평균 색이 가장 가까운(CIELAB, CIE76 거리) 지형
                       타일을 줍니다. 게임 데이터 폴더에 있는 맵의 타일셋
                       (또는 --tileset)에서 고릅니다(colors, convert)
  --fit MODE           그림을 맵에 맞추는 방식: none(기본값: 그림 왼쪽 위의 맵
                       크기 영역, 픽셀 하나당 타일 하나), stretch(그림 전체를 맵
                       전체에), contain(그림 전체를 모양 그대로 가운데에. 둘레에는
                       픽셀 없음), cover(그림 가운데에서 맵 전체를 채움)
                       (colors, convert)
  --resample HOW       --fit와 함께: area(기본값: 타일 아래 픽셀들의 선형 광도
                       평균) 또는 nearest(타일 가운데 아래의 픽셀)
  --dither             오차 확산으로 모든 타일에 지형 타일을 주어 색이 평균적으로
                       맞게 보이게 합니다. 값을 스스로 정하므로 --colors와 함께
                       쓸 수 없습니다(colors, convert)
  --vary               쓰는 지형 타일을 같은 타일 그룹에서 색이 거의 같은 타일로,
                       위치에 따라 골라 바꿉니다(convert)
  --game-data DIR      게임 데이터 폴더: 리마스터 설치(그 루트나 Data 폴더), 클래식
                       게임 폴더(StarDat.mpq) 또는 꺼낸 타일셋 파일(기본값:
                       VELMORA_GAME_DATA. --match, --dither, --vary, render)
  -h, --help           이 도움말
  --version            프로그램 버전

색 파일: 한 줄에 KEY=VALUE 하나. KEY는 `colors`가 출력하는 색 키(00000255)나
#RRGGBB 형식의 색이고, VALUE는 0부터 %1까지의 타일 값입니다. 빈 줄과 #으로
시작하는 줄은 무시합니다(#RRGGBB=로 시작하는 줄은 색입니다). 파일에 없는 그림의
색은 0이 되고, 그림에 없는 색은 경고가 됩니다.

진행 상황은 표준 오류가 터미널이면 그곳에 출력하고, 아니면 요약 한 줄만 출력합니다.

종료 상태:
   0  성공
   1  그 밖의 실패
   2  잘못된 사용법: 알 수 없는 명령이나 옵션, 빠진 인수, 알 수 없는 타일셋,
      1부터 32가 아닌 타일 크기
   3  맵 파일이 없거나 읽을 수 없음
   4  맵 파일이 맵 아카이브가 아니거나 손상됨
   5  아카이브에 시나리오 항목(staredit\scenario.chk)이 없음
   6  맵 크기를 받지 않음(가로세로 각각 64, 96, 128, 192, 256 타일)
   7  그림이 없거나 디코딩할 수 없음
   8  그림의 맵 크기 영역에 색이 %2개보다 많음
   9  색 파일을 읽을 수 없거나 어떤 줄의 형식이 잘못됨
  10  타일 값이 0부터 %1까지의 정수가 아님
  11  시나리오에 &quot;TILE&quot;, &quot;MTXM&quot;, &quot;ERA &quot; 섹션이 없거나 너무 짧음
  12  출력 파일을 쓰거나 교체할 수 없음
  13  전용 작업 폴더를 만들거나 쓸 수 없음(TMPDIR이 없거나 읽기 전용이거나,
      디스크가 가득 참)
  14  맵 아카이브가 보호되어 있어 쓸 수 없음
  15  게임 데이터 폴더가 없거나 타일셋 파일이 없거나 손상됨(--match,
      --dither, --vary, render, data)
실패한 명령은 어떤 입력 파일도 바꾸지 않습니다.
</translation>
    </message>
</context>
<context>
    <name>Conversion</name>
    <message>
        <source>The scenario of %1 has no %2 section, so the picture cannot be converted into it.</source>
        <translation>%1의 시나리오에 %2 섹션이 없어 그림을 변환해 넣을 수 없습니다.</translation>
    </message>
    <message>
        <source>The scenario of %1 ends inside the header of its %2 section; the map is damaged.</source>
        <translation>%1의 시나리오가 %2 섹션의 헤더 안에서 끝납니다. 맵이 손상되었습니다.</translation>
    </message>
    <message>
        <source>The %1 section of %2 holds %3 bytes, but the map&apos;s size needs %4; the map is damaged or its size is wrong.</source>
        <translation>%2의 %1 섹션은 %3바이트이지만 맵 크기에는 %4바이트가 필요합니다. 맵이 손상되었거나 크기가 잘못되었습니다.</translation>
    </message>
    <message>
        <source>The scenario of %1 ends inside its %2 section (%3 bytes short); the map is damaged.</source>
        <translation>%1의 시나리오가 %2 섹션 안에서 끝납니다(%3바이트 부족). 맵이 손상되었습니다.</translation>
    </message>
    <message>
        <source>Location &quot;MTXM&quot; region.</source>
        <translation>&quot;MTXM&quot; 영역을 찾는 중.</translation>
    </message>
    <message>
        <source>Inserting data in %1 region... (%2, %3)</source>
        <translation>%1 영역에 데이터를 넣는 중... (%2, %3)</translation>
    </message>
    <message>
        <source>No picture is loaded. Load a picture before converting.</source>
        <translation>그림을 불러오지 않았습니다. 변환하기 전에 그림을 불러오십시오.</translation>
    </message>
    <message>
        <source>The map size %1 x %2 is not valid. Load the map again.</source>
        <translation>맵 크기 %1 x %2은(는) 올바르지 않습니다. 맵을 다시 불러오십시오.</translation>
    </message>
    <message>
        <source>The colour list has %1 entries but the tile value list has %2. Load the picture again.</source>
        <translation>색 목록에는 항목이 %1개인데 타일 값 목록에는 %2개입니다. 그림을 다시 불러오십시오.</translation>
    </message>
    <message>
        <source>The colour list has %1 entries; at most %2 can be converted.</source>
        <translation>색 목록에 항목이 %1개 있습니다. 최대 %2개까지 변환할 수 있습니다.</translation>
    </message>
    <message>
        <source>The colour %1 of pixel (%2, %3) is not in the colour list. Load the picture again so the list matches it.</source>
        <translation>픽셀 (%2, %3)의 색 %1이(가) 색 목록에 없습니다. 목록이 그림과 맞도록 그림을 다시 불러오십시오.</translation>
    </message>
    <message>
        <source>The &quot;TILE&quot; and &quot;MTXM&quot; sections of %1 overlap; the map is damaged and cannot be converted.</source>
        <translation>%1의 &quot;TILE&quot; 섹션과 &quot;MTXM&quot; 섹션이 겹칩니다. 맵이 손상되어 변환할 수 없습니다.</translation>
    </message>
    <message>
        <source>Location &quot;TILE&quot; region.</source>
        <translation>&quot;TILE&quot; 영역을 찾는 중.</translation>
    </message>
    <message>
        <source>Conversion successful!</source>
        <translation>변환했습니다!</translation>
    </message>
    <message>
        <source>The tile value %1 is not from 0 to %2.</source>
        <translation>타일 값 %1은(는) 0부터 %2 사이가 아닙니다.</translation>
    </message>
    <message>
        <source>The tile value &quot;%1&quot; of colour %2 is not a whole number from 0 to %3. Correct it and convert again.</source>
        <translation>색 %2의 타일 값 &quot;%1&quot;은(는) 0부터 %3까지의 정수가 아닙니다. 고친 뒤 다시 변환하십시오.</translation>
    </message>
</context>
<context>
    <name>FileIdentity</name>
    <message>
        <source>missing</source>
        <translation>없음</translation>
    </message>
    <message>
        <source>a regular file</source>
        <translation>일반 파일</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>폴더</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>장치</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>이름 있는 파이프</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>소켓</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>일반 파일이 아닙니다</translation>
    </message>
</context>
<context>
    <name>FileNames</name>
    <message>
        <source>its folder holds names that are not valid in the system&apos;s encoding (UTF-8), which file dialogs do not list and which change when given as text: %1; rename such a file to open it here</source>
        <translation>그 폴더에 시스템 인코딩(UTF-8)에서 올바르지 않은 이름이 있습니다. 파일 대화 상자는 이런 이름을 보여 주지 않고, 텍스트로 넘기면 이름이 바뀝니다: %1. 여기서 열려면 그 파일의 이름을 바꾸십시오</translation>
    </message>
</context>
<context>
    <name>GameData</name>
    <message>
        <source>The game data folder &quot;%1&quot; does not exist.</source>
        <translation>게임 데이터 폴더 &quot;%1&quot;이(가) 없습니다.</translation>
    </message>
    <message>
        <source>The game archive &quot;%1&quot; is damaged or is not an archive, so the tileset file &quot;%2&quot; cannot be read from it.</source>
        <translation>게임 아카이브 &quot;%1&quot;이(가) 손상되었거나 아카이브가 아니어서 타일셋 파일 &quot;%2&quot;을(를) 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>The game data folder &quot;%1&quot; has no tileset file &quot;%2&quot;.</source>
        <translation>게임 데이터 폴더 &quot;%1&quot;에 타일셋 파일 &quot;%2&quot;이(가) 없습니다.</translation>
    </message>
    <message>
        <source>The game data folder &quot;%1&quot; holds neither a Remastered installation, StarDat.mpq, BrooDat.mpq nor a &quot;tileset&quot; folder. Choose the folder the game is installed in.</source>
        <translation>게임 데이터 폴더 &quot;%1&quot;에는 리마스터 설치도, StarDat.mpq도, BrooDat.mpq도, &quot;tileset&quot; 폴더도 없습니다. 게임이 설치된 폴더를 고르십시오.</translation>
    </message>
    <message>
        <source>Its storage holds nothing under a &quot;tileset&quot; folder.</source>
        <translation>저장소의 &quot;tileset&quot; 폴더 아래에 아무것도 없습니다.</translation>
    </message>
    <message>
        <source>Under &quot;tileset&quot; folders its storage holds: %1.</source>
        <translation>저장소의 &quot;tileset&quot; 폴더 아래에 있는 것: %1.</translation>
    </message>
    <message>
        <source>The game archive &quot;%1&quot; is not usable: %2.</source>
        <translation>게임 아카이브 &quot;%1&quot;을(를) 쓸 수 없습니다: %2.</translation>
    </message>
    <message>
        <source>The tileset folder &quot;%1&quot; cannot be read (permission denied).</source>
        <translation>타일셋 폴더 &quot;%1&quot;을(를) 읽을 수 없습니다(권한 없음).</translation>
    </message>
    <message>
        <source>The tileset file &quot;%1&quot; is not usable: %2.</source>
        <translation>타일셋 파일 &quot;%1&quot;을(를) 쓸 수 없습니다: %2.</translation>
    </message>
</context>
<context>
    <name>InstanceLock</name>
    <message>
        <source>you may not write in &quot;%1&quot;</source>
        <translation>&quot;%1&quot;에 쓸 권한이 없습니다</translation>
    </message>
    <message>
        <source>the file cannot be created</source>
        <translation>파일을 만들 수 없습니다</translation>
    </message>
    <message>
        <source>it cannot be read as a lock and cannot be removed</source>
        <translation>잠금 파일로 읽을 수도, 지울 수도 없습니다</translation>
    </message>
</context>
<context>
    <name>MapSaver</name>
    <message>
        <source>&quot;%1&quot; is a folder; choose a file name for the map.</source>
        <translation>&quot;%1&quot;은(는) 폴더입니다. 맵의 파일 이름을 고르십시오.</translation>
    </message>
    <message>
        <source>The folder of &quot;%1&quot; does not exist; choose another place for the map.</source>
        <translation>&quot;%1&quot;의 폴더가 없습니다. 맵을 저장할 다른 곳을 고르십시오.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is one of the program&apos;s working files; choose another place for the map.</source>
        <translation>&quot;%1&quot;은(는) 프로그램의 작업 파일 중 하나입니다. 맵을 저장할 다른 곳을 고르십시오.</translation>
    </message>
    <message>
        <source>The working copy of the map cannot be read, so &quot;%1&quot; was not changed.</source>
        <translation>맵의 작업 사본을 읽을 수 없어 &quot;%1&quot;은(는) 바뀌지 않았습니다.</translation>
    </message>
    <message>
        <source>The working copy of the map did not hold the map as it was stored, so &quot;%1&quot; was not changed.</source>
        <translation>맵의 작업 사본이 저장된 맵과 달라 &quot;%1&quot;은(는) 바뀌지 않았습니다.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; could not be written (%2); it was left as it was.</source>
        <translation>맵 &quot;%1&quot;을(를) 쓸 수 없어(%2) 원래대로 두었습니다.</translation>
    </message>
</context>
<context>
    <name>MapSession</name>
    <message>
        <source>No map is loaded. Load a map first.</source>
        <translation>불러온 맵이 없습니다. 먼저 맵을 불러오십시오.</translation>
    </message>
    <message>
        <source>The working folder &quot;%1&quot; cannot be used for &quot;%2&quot;: its disk may be full, or it may not be writable.</source>
        <translation>작업 폴더 &quot;%1&quot;을(를) &quot;%2&quot;에 사용할 수 없습니다. 디스크가 가득 찼거나 쓸 수 없는 폴더일 수 있습니다.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; does not exist.</source>
        <translation>맵 &quot;%1&quot;이(가) 없습니다.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file.</source>
        <translation>&quot;%1&quot;은(는) 파일이 아닙니다.</translation>
    </message>
    <message>
        <source>Loading Map...</source>
        <translation>맵 불러오는 중...</translation>
    </message>
    <message>
        <source>Location &quot;DIM &quot; region.</source>
        <translation>&quot;DIM &quot; 영역을 찾는 중.</translation>
    </message>
    <message>
        <source>Checking dimension...</source>
        <translation>크기 확인 중...</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; is %2 x %3 tiles; Velmora accepts only 64, 96, 128, 192 or 256 tiles each way.</source>
        <translation>맵 &quot;%1&quot;은(는) %2 x %3 타일입니다. Velmora는 가로세로 각각 64, 96, 128, 192, 256 타일인 맵만 받습니다.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; could not be saved; it was left as it was.</source>
        <translation>맵 &quot;%1&quot;을(를) 저장하지 못해 원래대로 두었습니다.</translation>
    </message>
    <message>
        <source>Change Tileset</source>
        <translation>타일셋 변경</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>변환</translation>
    </message>
    <message>
        <source>Load Picture</source>
        <translation>그림 불러오기</translation>
    </message>
    <message>
        <source>Type Value</source>
        <translation>값 입력</translation>
    </message>
    <message>
        <source>Pick Tile</source>
        <translation>타일 고르기</translation>
    </message>
    <message>
        <source>The working copy of &quot;%1&quot; was changed outside Velmora; the step cannot be taken back. Load the map again.</source>
        <translation>&quot;%1&quot;의 작업 사본이 Velmora 밖에서 바뀌어 이 단계를 되돌릴 수 없습니다. 맵을 다시 불러오십시오.</translation>
    </message>
    <message>
        <source>The colour list changed.</source>
        <translation>색 목록이 바뀌었습니다.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; does not exist (%2).</source>
        <translation>맵 &quot;%1&quot;이(가) 없습니다(%2).</translation>
    </message>
</context>
<context>
    <name>MpqControl</name>
    <message>
        <source>Velmora&apos;s archive helper &quot;%1&quot; is missing; install Velmora again.</source>
        <translation>Velmora의 아카이브 도우미 &quot;%1&quot;이(가) 없습니다. Velmora를 다시 설치하십시오.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an entry name that can be extracted.</source>
        <translation>&quot;%1&quot;은(는) 꺼낼 수 있는 항목 이름이 아닙니다.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written. Check that the disk is not full and that you may write there.</source>
        <translation>&quot;%1&quot;을(를) 쓸 수 없었습니다. 디스크가 가득 차지 않았는지, 그곳에 쓸 권한이 있는지 확인하십시오.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read, so it cannot be stored in the map archive.</source>
        <translation>&quot;%1&quot;을(를) 읽을 수 없어 맵 아카이브에 저장할 수 없습니다.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large to be stored in a map archive.</source>
        <translation>&quot;%1&quot;은(는) 너무 커서 맵 아카이브에 저장할 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>OutputTarget</name>
    <message>
        <source>No file name was given for the output.</source>
        <translation>출력할 파일 이름이 없습니다.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, not a regular file; Velmora writes only regular files or new names. Choose another file.</source>
        <translation>&quot;%1&quot;은(는) 일반 파일이 아니라 %2입니다. Velmora는 일반 파일이나 새 이름에만 씁니다. 다른 파일을 고르십시오.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, which this job reads; choose another file.</source>
        <translation>&quot;%1&quot;은(는) 이 작업이 읽는 %2입니다. 다른 파일을 고르십시오.</translation>
    </message>
</context>
<context>
    <name>PictureModule</name>
    <message>
        <source>this kind of picture needs Qt&apos;s picture decoders, and %1, which holds them, is not installed</source>
        <translation>이런 종류의 그림에는 Qt의 그림 디코더가 필요한데, 이를 담은 %1이(가) 설치되어 있지 않습니다</translation>
    </message>
    <message>
        <source>this kind of picture needs Qt&apos;s picture decoders, and %1, which holds them, cannot be loaded: %2</source>
        <translation>이런 종류의 그림에는 Qt의 그림 디코더가 필요한데, 이를 담은 %1을(를) 불러올 수 없습니다: %2</translation>
    </message>
    <message>
        <source>this kind of picture needs Qt&apos;s picture decoders, and the %1 found does not hold them</source>
        <translation>이런 종류의 그림에는 Qt의 그림 디코더가 필요한데, 찾은 %1에는 디코더가 없습니다</translation>
    </message>
</context>
<context>
    <name>PicturePipeline</name>
    <message>
        <source>the picture cannot be decoded: %1</source>
        <translation>그림을 디코딩할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>the picture is incomplete: %1</source>
        <translation>그림이 온전하지 않습니다: %1</translation>
    </message>
    <message>
        <source>Scanning pixels... %1% complete.</source>
        <translation>픽셀 검사 중... %1% 완료.</translation>
    </message>
    <message>
        <source>the map&apos;s %1 x %2 area of the picture has %3 colours; at most %4 fit the colour list</source>
        <translation>그림의 %1 x %2 맵 영역에 색이 %3개 있습니다. 색 목록에는 %4개까지만 들어갑니다</translation>
    </message>
    <message>
        <source>; Dither gives it the colours of the tiles instead</source>
        <translation>. 대신 디더링하면 타일의 색으로 나타낼 수 있습니다</translation>
    </message>
</context>
<context>
    <name>PictureReader</name>
    <message>
        <source>the file ends inside the BMP header</source>
        <translation>파일이 BMP 헤더 안에서 끝납니다</translation>
    </message>
    <message>
        <source>the BMP header states no valid size</source>
        <translation>BMP 헤더에 올바른 크기가 없습니다</translation>
    </message>
    <message>
        <source>the file ends inside the BMP colour table</source>
        <translation>파일이 BMP 색상표 안에서 끝납니다</translation>
    </message>
    <message>
        <source>the picture&apos;s size does not fit in 32 bits</source>
        <translation>그림 크기가 32비트에 들어가지 않습니다</translation>
    </message>
    <message>
        <source>the file ends before the last row of pixels its header announces</source>
        <translation>파일이 헤더가 알린 마지막 픽셀 행보다 먼저 끝납니다</translation>
    </message>
    <message>
        <source>the file cannot be read: %1</source>
        <translation>파일을 읽을 수 없습니다: %1</translation>
    </message>
    <message>
        <source>the file ends before the last row of pixels the map needs</source>
        <translation>파일이 맵에 필요한 마지막 픽셀 행보다 먼저 끝납니다</translation>
    </message>
    <message>
        <source>the GIF data is damaged (%1)</source>
        <translation>GIF 데이터가 손상되었습니다(%1)</translation>
    </message>
    <message>
        <source>the JPEG data is damaged (more than %1 scans)</source>
        <translation>JPEG 데이터가 손상되었습니다(스캔이 %1개보다 많음)</translation>
    </message>
    <message>
        <source>decoding the picture needs more memory than Velmora allows</source>
        <translation>그림을 디코딩하려면 Velmora가 허용하는 것보다 많은 메모리가 필요합니다</translation>
    </message>
    <message>
        <source>the JPEG data is damaged (%1)</source>
        <translation>JPEG 데이터가 손상되었습니다(%1)</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>그런 파일이 없습니다</translation>
    </message>
    <message>
        <source>it is not a BMP, PNG, GIF or JPEG picture</source>
        <translation>BMP, PNG, GIF, JPEG 그림이 아닙니다</translation>
    </message>
    <message>
        <source>no decoder for this kind of picture is installed</source>
        <translation>이런 종류의 그림을 읽을 디코더가 설치되어 있지 않습니다</translation>
    </message>
    <message>
        <source>the PNG data is damaged (%1)</source>
        <translation>PNG 데이터가 손상되었습니다(%1)</translation>
    </message>
    <message>
        <source>there is not enough memory to read the picture</source>
        <translation>그림을 읽을 메모리가 부족합니다</translation>
    </message>
    <message>
        <source>one row of the picture (%1 pixels wide) needs more memory than Velmora allows</source>
        <translation>그림의 한 행(너비 %1픽셀)에 Velmora가 허용하는 것보다 많은 메모리가 필요합니다</translation>
    </message>
    <message>
        <source>a map of %1 x %2 tiles is too large to fit a picture to</source>
        <translation>%1 x %2 타일 맵은 너무 커서 그림을 맞출 수 없습니다</translation>
    </message>
    <message>
        <source>the picture is too complex: its JPEG data has more than %1 scans</source>
        <translation>그림이 너무 복잡합니다: JPEG 데이터의 스캔이 %1개보다 많습니다</translation>
    </message>
    <message>
        <source>the picture is too large: it is %1 x %2 pixels and stored in several scans, so all of it is decoded at once; that takes %3 MiB, more than the %4 MiB Velmora allows</source>
        <translation>그림이 너무 큽니다: %1 x %2 픽셀이고 여러 스캔으로 저장되어 한 번에 모두 디코딩됩니다. 그러려면 %3 MiB가 필요한데, Velmora가 허용하는 %4 MiB보다 많습니다</translation>
    </message>
    <message>
        <source>the picture is too complex: %1 scans over %2 MiB of coefficients would take more than Velmora allows (%3 GiB of scan work)</source>
        <translation>그림이 너무 복잡합니다: 계수 %2 MiB에 걸친 스캔 %1개는 Velmora가 허용하는 것보다 많은 작업이 듭니다(스캔 작업 %3 GiB)</translation>
    </message>
    <message>
        <source>the picture is too large to fit to the map: it is %1 x %2 pixels, and Velmora fits pictures of up to %3 million pixels</source>
        <translation>그림이 너무 커서 맵에 맞출 수 없습니다: %1 x %2 픽셀인데, Velmora는 %3백만 픽셀까지의 그림만 맞춥니다</translation>
    </message>
    <message>
        <source>not a regular file (%1)</source>
        <translation>일반 파일이 아닙니다(%1)</translation>
    </message>
    <message>
        <source>the picture is too large: it is %1 x %2 pixels and interlaced, so all of it is decoded; Velmora decodes interlaced PNGs up to %3 MiB of pixels (save it without interlacing)</source>
        <translation>그림이 너무 큽니다: %1 x %2 픽셀이고 인터레이스 방식이라 전체를 디코딩합니다. Velmora는 인터레이스 PNG를 픽셀 %3 MiB까지만 디코딩합니다(인터레이스 없이 저장하십시오)</translation>
    </message>
    <message>
        <source>no such file; %1</source>
        <translation>그런 파일이 없습니다. %1</translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>there is nothing to draw</source>
        <translation>그릴 것이 없습니다</translation>
    </message>
    <message>
        <source>there is not enough memory to write the picture</source>
        <translation>그림을 쓸 메모리가 부족합니다</translation>
    </message>
    <message>
        <source>the picture cannot be written: %1</source>
        <translation>그림을 쓸 수 없습니다: %1</translation>
    </message>
    <message>
        <source>the picture cannot be encoded</source>
        <translation>그림을 인코딩할 수 없습니다</translation>
    </message>
</context>
<context>
    <name>QtImage</name>
    <message>
        <source>the picture is %1 x %2 pixels; Velmora reads pictures of this format only whole and up to %3 MiB of pixels, so save it as BMP or PNG</source>
        <translation>그림은 %1 x %2 픽셀입니다. Velmora는 이 형식의 그림을 통째로, 픽셀 %3 MiB까지만 읽으므로 BMP나 PNG로 저장하십시오</translation>
    </message>
</context>
<context>
    <name>RecentMapsMenu</name>
    <message>
        <source>Recent &amp;Maps</source>
        <translation>최근 맵(&amp;M)</translation>
    </message>
    <message>
        <source>%1 is no longer there.</source>
        <translation>%1이(가) 더 이상 없습니다.</translation>
    </message>
</context>
<context>
    <name>ScenarioFile</name>
    <message>
        <source>The scenario file of &quot;%1&quot; cannot be read.</source>
        <translation>&quot;%1&quot;의 시나리오 파일을 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>The scenario file of &quot;%1&quot; is too large.</source>
        <translation>&quot;%1&quot;의 시나리오 파일이 너무 큽니다.</translation>
    </message>
    <message>
        <source>The scenario file of &quot;%1&quot; cannot be opened for writing (%2).</source>
        <translation>&quot;%1&quot;의 시나리오 파일을 쓰기용으로 열 수 없습니다(%2).</translation>
    </message>
    <message>
        <source>The scenario file of &quot;%1&quot; changed while it was being edited. Try again.</source>
        <translation>&quot;%1&quot;의 시나리오 파일이 편집 중에 바뀌었습니다. 다시 해 보십시오.</translation>
    </message>
    <message>
        <source>The scenario file of &quot;%1&quot; could not be written (%2). Check that the disk is not full or write-protected.</source>
        <translation>&quot;%1&quot;의 시나리오 파일을 쓸 수 없었습니다(%2). 디스크가 가득 차지 않았는지, 쓰기 금지가 아닌지 확인하십시오.</translation>
    </message>
    <message>
        <source>The scenario file of &quot;%1&quot; ends before the place to write; it may be damaged.</source>
        <translation>&quot;%1&quot;의 시나리오 파일이 쓸 위치보다 먼저 끝납니다. 손상되었을 수 있습니다.</translation>
    </message>
    <message>
        <source>The scenario of &quot;%1&quot; has no &quot;DIM &quot; section, so the map size is unknown.</source>
        <translation>&quot;%1&quot;의 시나리오에 &quot;DIM &quot; 섹션이 없어 맵 크기를 알 수 없습니다.</translation>
    </message>
    <message>
        <source>The scenario of &quot;%1&quot; ends inside its &quot;DIM &quot; section; the map is damaged.</source>
        <translation>&quot;%1&quot;의 시나리오가 &quot;DIM &quot; 섹션 안에서 끝납니다. 맵이 손상되었습니다.</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The lock file &quot;%1&quot; cannot be taken: %2. Velmora runs anyway, but cannot tell whether another copy of it is running.</source>
        <translation>잠금 파일 &quot;%1&quot;을(를) 잡을 수 없습니다: %2. Velmora는 그래도 실행되지만, 다른 Velmora가 실행 중인지 알 수 없습니다.</translation>
    </message>
    <message>
        <source>Velmora is already running (process %1) and did not answer. Close it, or end that process, and start Velmora again. Its lock file is &quot;%2&quot;.</source>
        <translation>Velmora가 이미 실행 중이며(프로세스 %1) 응답하지 않았습니다. 그것을 닫거나 그 프로세스를 끝낸 뒤 Velmora를 다시 시작하십시오. 잠금 파일은 &quot;%2&quot;입니다.</translation>
    </message>
</context>
<context>
    <name>TerrainSource</name>
    <message>
        <source>The path of the game data folder &quot;%1&quot; is too long to be kept in the settings file.</source>
        <translation>게임 데이터 폴더 &quot;%1&quot;의 경로가 너무 길어 설정 파일에 담을 수 없습니다.</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; cannot be written.</source>
        <translation>설정 파일 &quot;%1&quot;을(를) 쓸 수 없습니다.</translation>
    </message>
    <message>
        <source>No game data folder is set: terrain graphics come from the folder the game is installed in.</source>
        <translation>게임 데이터 폴더가 설정되지 않았습니다. 지형 그래픽은 게임이 설치된 폴더에서 가져옵니다.</translation>
    </message>
    <message>
        <source>in the game data folder &quot;%1&quot;</source>
        <translation>게임 데이터 폴더 &quot;%1&quot; 안의 파일</translation>
    </message>
</context>
<context>
    <name>TerrainView</name>
    <message>
        <source>Terrain</source>
        <translation>지형</translation>
    </message>
</context>
<context>
    <name>TileGraphics</name>
    <message>
        <source>The tileset file &quot;%1.%2&quot; in the game data folder &quot;%3&quot; is damaged: %4</source>
        <translation>게임 데이터 폴더 &quot;%3&quot;의 타일셋 파일 &quot;%1.%2&quot;이(가) 손상되었습니다: %4</translation>
    </message>
    <message>
        <source>it is empty.</source>
        <translation>비어 있습니다.</translation>
    </message>
    <message>
        <source>its %1 bytes are not a whole number of %2-byte %3.</source>
        <translation>%1바이트가 %2바이트짜리 %3의 정수 배가 아닙니다.</translation>
    </message>
    <message>
        <source>tile groups</source>
        <translation>타일 그룹</translation>
    </message>
    <message>
        <source>megatiles</source>
        <translation>메가타일</translation>
    </message>
    <message>
        <source>minitiles</source>
        <translation>미니타일</translation>
    </message>
    <message>
        <source>it holds %1 bytes instead of the palette&apos;s 1024.</source>
        <translation>팔레트의 1024바이트 대신 %1바이트입니다.</translation>
    </message>
</context>
<context>
    <name>TileMap</name>
    <message>
        <source>The scenario of &quot;%1&quot; has no complete &quot;%2&quot; section; the map is damaged.</source>
        <translation>&quot;%1&quot;의 시나리오에 온전한 &quot;%2&quot; 섹션이 없습니다. 맵이 손상되었습니다.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; is %2 x %3 tiles, a size the program does not accept.</source>
        <translation>맵 &quot;%1&quot;은(는) %2 x %3 타일로, 프로그램이 받지 않는 크기입니다.</translation>
    </message>
    <message>
        <source>The scenario of &quot;%1&quot; cannot be read.</source>
        <translation>&quot;%1&quot;의 시나리오를 읽을 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>TilePaletteModel</name>
    <message>
        <source>Group %1</source>
        <translation>그룹 %1</translation>
    </message>
    <message>
        <source>Tile group %1 holds doodads; matching never uses them.</source>
        <translation>타일 그룹 %1에는 장식물(두들)이 들어 있어 맞추기에 쓰이지 않습니다.</translation>
    </message>
    <message>
        <source>Tile group %1, terrain type %2. Tick groups to match colours with the ticked groups only.</source>
        <translation>타일 그룹 %1, 지형 종류 %2. 그룹을 체크하면 체크한 그룹만으로 색을 맞춥니다.</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>타일 %1</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>그룹</translation>
    </message>
</context>
<context>
    <name>Tileset</name>
    <message>
        <source>The map has no tileset section, so its tileset cannot be changed.</source>
        <translation>맵에 타일셋 섹션이 없어 타일셋을 바꿀 수 없습니다.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; has no tileset section, so its tileset cannot be changed.</source>
        <translation>맵 &quot;%1&quot;에 타일셋 섹션이 없어 타일셋을 바꿀 수 없습니다.</translation>
    </message>
    <message>
        <source>The map&apos;s scenario ends before its tileset; it may be damaged.</source>
        <translation>맵의 시나리오가 타일셋보다 먼저 끝납니다. 손상되었을 수 있습니다.</translation>
    </message>
    <message>
        <source>The map&apos;s working copy is gone. Load the map again.</source>
        <translation>맵의 작업 사본이 없어졌습니다. 맵을 다시 불러오십시오.</translation>
    </message>
    <message>
        <source>The scenario of &quot;%1&quot; cannot be read.</source>
        <translation>&quot;%1&quot;의 시나리오를 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>%1 is not a tileset number.</source>
        <translation>%1은(는) 타일셋 번호가 아닙니다.</translation>
    </message>
    <message>
        <source>The map changed while the tileset dialog was open. Open the dialog again.</source>
        <translation>타일셋 대화 상자가 열려 있는 동안 맵이 바뀌었습니다. 대화 상자를 다시 여십시오.</translation>
    </message>
</context>
<context>
    <name>UnsavedWork</name>
    <message>
        <source>The changes to %1 have not been saved.

Save them before going on?</source>
        <translation>%1의 변경 내용이 저장되지 않았습니다.

계속하기 전에 저장하시겠습니까?</translation>
    </message>
</context>
<context>
    <name>Workspace</name>
    <message>
        <source>The working file &quot;%1&quot; cannot be deleted. Close any program that uses it and try again.</source>
        <translation>작업 파일 &quot;%1&quot;을(를) 지울 수 없습니다. 그 파일을 쓰는 프로그램을 닫고 다시 해 보십시오.</translation>
    </message>
    <message>
        <source>The working folder &quot;%1&quot; cannot be created or written: %2.</source>
        <translation>작업 폴더 &quot;%1&quot;을(를) 만들거나 쓸 수 없습니다: %2.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; does not exist or is not a file.</source>
        <translation>맵 &quot;%1&quot;이(가) 없거나 파일이 아닙니다.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; cannot be loaded: %2.</source>
        <translation>맵 &quot;%1&quot;을(를) 불러올 수 없습니다: %2.</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; cannot be copied into the working folder &quot;%2&quot;. Check that its disk is not full and that you may write there.</source>
        <translation>맵 &quot;%1&quot;을(를) 작업 폴더 &quot;%2&quot;(으)로 복사할 수 없습니다. 디스크가 가득 차지 않았는지, 그곳에 쓸 권한이 있는지 확인하십시오.</translation>
    </message>
    <message>
        <source>The scenario of the map could not be extracted to &quot;%1&quot;.</source>
        <translation>맵의 시나리오를 &quot;%1&quot;(으)로 꺼내지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>About</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>Velmora, version %1.%2</source>
        <translation>Velmora, 버전 %1.%2</translation>
    </message>
</context>
<context>
    <name>frmColorList</name>
    <message>
        <source>no colour</source>
        <translation>색 없음</translation>
    </message>
    <message>
        <source>red %1, green %2, blue %3</source>
        <translation>빨강 %1, 초록 %2, 파랑 %3</translation>
    </message>
    <message>
        <source>::[Color List]::::....</source>
        <translation>::[색 목록]::::....</translation>
    </message>
    <message>
        <source>::Color List::::....</source>
        <translation>::색 목록::::....</translation>
    </message>
    <message>
        <source>Color List</source>
        <translation>색 목록</translation>
    </message>
    <message>
        <source>::Color::::....</source>
        <translation>::색::::....</translation>
    </message>
    <message>
        <source>Selected color</source>
        <translation>선택한 색</translation>
    </message>
    <message>
        <source>::Replace::::....</source>
        <translation>::바꾸기::::....</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>바꾸기</translation>
    </message>
    <message>
        <source>Tile</source>
        <translation>타일</translation>
    </message>
    <message>
        <source>Set the game data folder in Preferences to see tiles.</source>
        <translation>타일을 보려면 환경 설정에서 게임 데이터 폴더를 설정하십시오.</translation>
    </message>
    <message>
        <source>&amp;Pick Tile...</source>
        <translation>타일 고르기(&amp;P)...</translation>
    </message>
    <message>
        <source>&amp;Match Colours</source>
        <translation>색 맞추기(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Import Colours...</source>
        <translation>색 가져오기(&amp;I)...</translation>
    </message>
    <message>
        <source>Read the tile values from a colour file</source>
        <translation>색 파일에서 타일 값을 읽습니다</translation>
    </message>
    <message>
        <source>E&amp;xport Colours...</source>
        <translation>색 내보내기(&amp;X)...</translation>
    </message>
    <message>
        <source>Write the colours and their tile values to a colour file</source>
        <translation>색과 그 타일 값을 색 파일로 씁니다</translation>
    </message>
    <message>
        <source>No tiles</source>
        <translation>타일 없음</translation>
    </message>
    <message>
        <source>No value</source>
        <translation>값 없음</translation>
    </message>
    <message>
        <source>Too large</source>
        <translation>너무 큼</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>타일 %1</translation>
    </message>
    <message>
        <source>Colour Files (*.txt) (*.txt);;All Files (*.*) (*)</source>
        <translation>색 파일 (*.txt) (*.txt);;모든 파일 (*.*) (*)</translation>
    </message>
    <message>
        <source>Export Colours</source>
        <translation>색 내보내기</translation>
    </message>
    <message>
        <source>Import Colours</source>
        <translation>색 가져오기</translation>
    </message>
    <message>
        <source>%1 could not be written: %2.</source>
        <translation>%1을(를) 쓸 수 없었습니다: %2.</translation>
    </message>
    <message>
        <source>%1 cannot be imported: %2.

No tile value was changed.</source>
        <translation>%1을(를) 가져올 수 없습니다: %2.

바뀐 타일 값은 없습니다.</translation>
    </message>
    <message>
        <source>line %1: colour %2</source>
        <translation>%1번째 줄: 색 %2</translation>
    </message>
    <message>
        <source>the picture</source>
        <translation>그림</translation>
    </message>
    <message>
        <source>%1 names a colour that does not occur in the map&apos;s area of %2; it was left out:</source>
        <translation>%1에 %2의 맵 영역에 없는 색이 있어 뺐습니다:</translation>
    </message>
    <message>
        <source>%1 names %2 colours that do not occur in the map&apos;s area of %3; they were left out:</source>
        <translation>%1에 %3의 맵 영역에 없는 색이 %2개 있어 뺐습니다:</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... 그리고 %1개 더</translation>
    </message>
    <message>
        <source>No tile value was changed.</source>
        <translation>바뀐 타일 값은 없습니다.</translation>
    </message>
    <message>
        <source>The file&apos;s other colour was applied.</source>
        <translation>파일의 다른 색 하나는 적용했습니다.</translation>
    </message>
    <message>
        <source>The file&apos;s other %1 colours were applied.</source>
        <translation>파일의 다른 색 %1개는 적용했습니다.</translation>
    </message>
    <message>
        <source>the map the colours come from</source>
        <translation>색을 가져온 맵</translation>
    </message>
    <message>
        <source>the picture the colours come from</source>
        <translation>색을 가져온 그림</translation>
    </message>
    <message>
        <source>Tile values go up to %1.</source>
        <translation>타일 값은 %1까지입니다.</translation>
    </message>
    <message>
        <source>The tile value &quot;%1&quot; of colour %2 is not a whole number from 0 to %3. Correct it and export again; %4 was not written.</source>
        <translation>색 %2의 타일 값 &quot;%1&quot;은(는) 0부터 %3까지의 정수가 아닙니다. 고친 뒤 다시 내보내십시오. %4은(는) 쓰지 않았습니다.</translation>
    </message>
    <message>
        <source>Give every colour the terrain tile of the nearest average colour</source>
        <translation>각 색에 평균 색이 가장 가까운 지형 타일을 줍니다</translation>
    </message>
    <message>
        <source>&amp;Dither</source>
        <translation>디더링(&amp;D)</translation>
    </message>
    <message>
        <source>Give every cell of the picture a terrain tile by error diffusion, so the terrain matches the picture&apos;s colours on average</source>
        <translation>오차 확산으로 그림의 각 칸에 지형 타일을 주어, 지형이 평균적으로 그림의 색과 맞게 합니다</translation>
    </message>
</context>
<context>
    <name>frmPicture</name>
    <message>
        <source>::[Picture]:::....</source>
        <translation>::[그림]:::....</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>그림</translation>
    </message>
    <message>
        <source>&amp;Load</source>
        <translation>불러오기(&amp;L)</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>확대(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>축소(&amp;O)</translation>
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
        <translation>창에 맞추기(&amp;F)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>열기</translation>
    </message>
    <message>
        <source>Load Picture</source>
        <translation>그림 불러오기</translation>
    </message>
    <message>
        <source>%1 cannot be used: %2.</source>
        <translation>%1을(를) 쓸 수 없습니다: %2.</translation>
    </message>
    <message>
        <source>Removing duplicates...</source>
        <translation>중복 색 없애는 중...</translation>
    </message>
    <message>
        <source>Picture loaded!</source>
        <translation>그림을 불러왔습니다!</translation>
    </message>
    <message>
        <source>All Picture Files (*.bmp; *.gif; *.jpg) (*.bmp *.gif *.jpg *.jpeg *.png);;Bitmap Images (*.bmp) (*.bmp);;GIF Images (*.gif) (*.gif);;JPEG Images (*.jpg; *.jpeg) (*.jpg *.jpeg);;PNG Images (*.png) (*.png);;All Files (*.*) (*)</source>
        <translation>모든 그림 파일 (*.bmp; *.gif; *.jpg) (*.bmp *.gif *.jpg *.jpeg *.png);;비트맵 그림 (*.bmp) (*.bmp);;GIF 그림 (*.gif) (*.gif);;JPEG 그림 (*.jpg; *.jpeg) (*.jpg *.jpeg);;PNG 그림 (*.png) (*.png);;모든 파일 (*.*) (*)</translation>
    </message>
    <message>
        <source>%1 could not be loaded: %2.</source>
        <translation>%1을(를) 불러올 수 없었습니다: %2.</translation>
    </message>
    <message>
        <source>Fi&amp;t to Map</source>
        <translation>맵에 맞추기(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;None (top-left corner)</source>
        <translation>없음 - 왼쪽 위 모서리(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Stretch</source>
        <translation>늘이기(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Contain</source>
        <translation>안에 맞추기(&amp;C)</translation>
    </message>
    <message>
        <source>C&amp;over</source>
        <translation>채우기(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Resampling</source>
        <translation>리샘플링(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Area (mean colour)</source>
        <translation>영역 - 평균 색(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Nearest pixel</source>
        <translation>가장 가까운 픽셀(&amp;N)</translation>
    </message>
    <message>
        <source>The map&apos;s area of this picture has too many colors for the color list (%1 &gt; %2).</source>
        <translation>이 그림의 맵 영역에는 색 목록에 넣기에 너무 많은 색이 있습니다(%1 &gt; %2).</translation>
    </message>
    <message>
        <source>The picture fitted to the map has too many colors for the color list (%1 &gt; %2).</source>
        <translation>맵에 맞춘 그림의 색이 색 목록에 비해 너무 많습니다(%1 &gt; %2).</translation>
    </message>
    <message>
        <source>Reduce the number of colors in the picture and load it again.</source>
        <translation>그림의 색 수를 줄인 뒤 다시 불러오십시오.</translation>
    </message>
    <message>
        <source>Dither in the color list gives it the colors of the tiles instead.</source>
        <translation>색 목록의 디더링을 쓰면 그 대신 타일의 색을 줍니다.</translation>
    </message>
    <message>
        <source>Dither in the color list could give it the colors of the tiles, but it needs the tiles of the map&apos;s tileset first:

%1</source>
        <translation>색 목록의 디더링으로 타일의 색을 줄 수 있지만, 먼저 맵 타일셋의 타일이 필요합니다:

%1</translation>
    </message>
</context>
<context>
    <name>frmPreferences</name>
    <message>
        <source>a folder has that name</source>
        <translation>그 이름의 폴더가 있습니다</translation>
    </message>
    <message>
        <source>the file cannot be written; it may be read-only or too large to be a settings file</source>
        <translation>파일을 쓸 수 없습니다. 읽기 전용이거나 설정 파일이라기에는 너무 클 수 있습니다</translation>
    </message>
    <message>
        <source>::General::::....</source>
        <translation>::일반::::....</translation>
    </message>
    <message>
        <source>Show splash screen</source>
        <translation>시작 화면 보이기</translation>
    </message>
    <message>
        <source>Enable status bar</source>
        <translation>상태 표시줄 켜기</translation>
    </message>
    <message>
        <source>Show load dialog on start</source>
        <translation>시작할 때 불러오기 대화 상자 보이기</translation>
    </message>
    <message>
        <source>&amp;Game data folder:</source>
        <translation>게임 데이터 폴더(&amp;G):</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>찾아보기(&amp;B)...</translation>
    </message>
    <message>
        <source>La&amp;nguage:</source>
        <translation>언어(&amp;N):</translation>
    </message>
    <message>
        <source>From the next start.</source>
        <translation>다음 시작부터 적용됩니다.</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>적용(&amp;A)</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>환경 설정</translation>
    </message>
    <message>
        <source>Game data folder</source>
        <translation>게임 데이터 폴더</translation>
    </message>
    <message>
        <source>System</source>
        <translation>시스템</translation>
    </message>
    <message>
        <source>The language of the windows, from the next start. System: the desktop&apos;s language.</source>
        <translation>창에 쓰이는 언어로, 다음 시작부터 적용됩니다. 시스템: 데스크톱의 언어.</translation>
    </message>
    <message>
        <source>The settings could not be saved to &quot;%1&quot;: %2.</source>
        <translation>설정을 &quot;%1&quot;에 저장할 수 없었습니다: %2.</translation>
    </message>
    <message>
        <source>Game Data Folder</source>
        <translation>게임 데이터 폴더</translation>
    </message>
    <message>
        <source>The Remastered installation (with .build.info and Data), the classic game&apos;s folder (with StarDat.mpq), or a folder of extracted tileset files. Empty: no terrain graphics.</source>
        <translation>리마스터 설치 폴더(.build.info와 Data가 있는 곳), 클래식 게임 폴더(StarDat.mpq가 있는 곳), 또는 꺼낸 타일셋 파일이 든 폴더입니다. 비워 두면 지형 그래픽이 없습니다.</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>일반 파일이 아니라 %1입니다</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Velmora, version %1.%2</source>
        <translation>Velmora, 버전 %1.%2</translation>
    </message>
    <message>
        <source>Click or press a key to continue.</source>
        <translation>클릭하거나 아무 키나 누르면 계속합니다.</translation>
    </message>
</context>
<context>
    <name>frmTerrainPreview</name>
    <message>
        <source>Fit</source>
        <translation>맞추기</translation>
    </message>
    <message>
        <source>Terrain Preview</source>
        <translation>지형 미리보기</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>확대/축소</translation>
    </message>
    <message>
        <source>Export scale</source>
        <translation>내보내기 배율</translation>
    </message>
    <message>
        <source>%1 px per tile</source>
        <translation>타일당 %1 px</translation>
    </message>
    <message>
        <source>&amp;Export PNG...</source>
        <translation>PNG 내보내기(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Zoom:</source>
        <translation>확대/축소(&amp;Z):</translation>
    </message>
    <message>
        <source>Load a map to see its terrain.</source>
        <translation>지형을 보려면 맵을 불러오십시오.</translation>
    </message>
    <message>
        <source>%1 x %2 tiles</source>
        <translation>%1 x %2 타일</translation>
    </message>
    <message>
        <source>; tiles not in the tileset (drawn magenta and black): %1</source>
        <translation>; 타일셋에 없는 타일(자홍색과 검은색으로 그림): %1</translation>
    </message>
    <message>
        <source>Tile (%1, %2): value %3</source>
        <translation>타일 (%1, %2): 값 %3</translation>
    </message>
    <message>
        <source>Export Terrain</source>
        <translation>지형 내보내기</translation>
    </message>
    <message>
        <source>PNG Images (*.png)</source>
        <translation>PNG 그림 (*.png)</translation>
    </message>
    <message>
        <source>there is no terrain</source>
        <translation>지형이 없습니다</translation>
    </message>
    <message>
        <source>The terrain could not be written to &quot;%1&quot; (%2).</source>
        <translation>지형을 &quot;%1&quot;에 쓸 수 없었습니다(%2).</translation>
    </message>
    <message>
        <source>&amp;Picture</source>
        <translation>그림(&amp;P)</translation>
    </message>
    <message>
        <source>Show the picture&apos;s cells in place of the terrain (P)</source>
        <translation>지형 대신 그림의 칸을 보여 줍니다(P)</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>그림</translation>
    </message>
    <message>
        <source>the map the terrain comes from</source>
        <translation>지형을 가져온 맵</translation>
    </message>
</context>
<context>
    <name>frmTilePalette</name>
    <message>
        <source>Tile Palette - %1</source>
        <translation>타일 팔레트 - %1</translation>
    </message>
    <message>
        <source>Tile Palette</source>
        <translation>타일 팔레트</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>확대/축소</translation>
    </message>
    <message>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <source>&amp;Zoom:</source>
        <translation>확대/축소(&amp;Z):</translation>
    </message>
    <message>
        <source>Tiles</source>
        <translation>타일</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>고르기(&amp;C)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>타일 %1</translation>
    </message>
    <message>
        <source>Matching uses every terrain group.</source>
        <translation>모든 지형 그룹으로 맞춥니다.</translation>
    </message>
    <message>
        <source>Matching uses the ticked group only.</source>
        <translation>체크한 그룹만으로 맞춥니다.</translation>
    </message>
    <message>
        <source>Matching uses the %1 ticked groups only.</source>
        <translation>체크한 그룹 %1개만으로 맞춥니다.</translation>
    </message>
</context>
<context>
    <name>frmTileset</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>적용(&amp;A)</translation>
    </message>
    <message>
        <source>::Change Tileset::::....</source>
        <translation>::타일셋 변경::::....</translation>
    </message>
    <message>
        <source>Tileset</source>
        <translation>타일셋</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Paints a picture into the terrain of a StarCraft map.</source>
        <translation>스타크래프트 맵의 지형에 그림을 그려 넣습니다.</translation>
    </message>
    <message>
        <source>A map (*.scm, *.scx) to load at start.</source>
        <translation>시작할 때 불러올 맵(*.scm, *.scx).</translation>
    </message>
</context>
<context>
    <name>mdiMain</name>
    <message>
        <source>Map saved!</source>
        <translation>맵을 저장했습니다!</translation>
    </message>
    <message>
        <source>StarCraft Maps (*.scm;*.scx) (*.scm *.scx)</source>
        <translation>스타크래프트 맵 (*.scm;*.scx) (*.scm *.scx)</translation>
    </message>
    <message>
        <source>No File Loaded</source>
        <translation>불러온 파일 없음</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>상태</translation>
    </message>
    <message>
        <source>::[Velmora]::[Version %1.%2]::[%3]::....</source>
        <translation>::[Velmora]::[버전 %1.%2]::[%3]::....</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>파일(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Load Map</source>
        <translation>맵 불러오기(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Save Map</source>
        <translation>맵 저장(&amp;S)</translation>
    </message>
    <message>
        <source>Save Map &amp;As...</source>
        <translation>다른 이름으로 맵 저장(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>끝내기(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Conversion</source>
        <translation>변환(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Convert</source>
        <translation>변환(&amp;C)</translation>
    </message>
    <message>
        <source>Convert &amp;&amp; &amp;Save</source>
        <translation>변환 후 저장(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>도구(&amp;T)</translation>
    </message>
    <message>
        <source>Change &amp;Tileset</source>
        <translation>타일셋 변경(&amp;T)</translation>
    </message>
    <message>
        <source>Terrain Pre&amp;view</source>
        <translation>지형 미리보기(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>환경 설정(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>정보(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Readme</source>
        <translation>읽어보기(&amp;R)</translation>
    </message>
    <message>
        <source>Cool Stuff!</source>
        <translation>멋진 것들!</translation>
    </message>
    <message>
        <source>Initialized.</source>
        <translation>준비되었습니다.</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Load Map</source>
        <translation>맵 불러오기</translation>
    </message>
    <message>
        <source>The map &quot;%1&quot; could not be loaded.</source>
        <translation>맵 &quot;%1&quot;을(를) 불러올 수 없었습니다.</translation>
    </message>
    <message>
        <source>It is missing, is not a StarCraft map archive, or is damaged.</source>
        <translation>파일이 없거나, 스타크래프트 맵 아카이브가 아니거나, 손상되었습니다.</translation>
    </message>
    <message>
        <source>Map dimensions invalid.</source>
        <translation>맵 크기가 올바르지 않습니다.</translation>
    </message>
    <message>
        <source>Make sure the map uses standard map dimensions.</source>
        <translation>맵이 표준 맵 크기인지 확인하십시오.</translation>
    </message>
    <message>
        <source>Map loaded!</source>
        <translation>맵을 불러왔습니다!</translation>
    </message>
    <message>
        <source>No map loaded.</source>
        <translation>불러온 맵이 없습니다.</translation>
    </message>
    <message>
        <source>Save Map</source>
        <translation>맵 저장</translation>
    </message>
    <message>
        <source>The map could not be saved to %1.</source>
        <translation>맵을 %1에 저장할 수 없었습니다.</translation>
    </message>
    <message>
        <source>Save Map As...</source>
        <translation>다른 이름으로 맵 저장...</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>변환</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>변환하지 못했습니다.</translation>
    </message>
    <message>
        <source>Convert &amp; Save</source>
        <translation>변환 후 저장</translation>
    </message>
    <message>
        <source>No map is loaded. Load a map first.</source>
        <translation>불러온 맵이 없습니다. 먼저 맵을 불러오십시오.</translation>
    </message>
    <message>
        <source>Change Tileset</source>
        <translation>타일셋 변경</translation>
    </message>
    <message>
        <source>Choose the game data folder in Tools &gt; Preferences.</source>
        <translation>도구 &gt; 환경 설정에서 게임 데이터 폴더를 고르십시오.</translation>
    </message>
    <message>
        <source>Tile Palette</source>
        <translation>타일 팔레트</translation>
    </message>
    <message>
        <source>Match Colours</source>
        <translation>색 맞추기</translation>
    </message>
    <message>
        <source>The tileset has no terrain tiles to match colours with.</source>
        <translation>타일셋에 색을 맞출 지형 타일이 없습니다.</translation>
    </message>
    <message>
        <source>The groups ticked in the tile palette hold no terrain tiles. Tick other groups, or none to match with every terrain group.</source>
        <translation>타일 팔레트에서 체크한 그룹에 지형 타일이 없습니다. 다른 그룹을 체크하거나, 모든 지형 그룹으로 맞추려면 체크를 모두 푸십시오.</translation>
    </message>
    <message>
        <source>Matching colours... %1 of %2</source>
        <translation>색 맞추는 중... %2개 중 %1개</translation>
    </message>
    <message>
        <source>Colours matched: %1 of %2.</source>
        <translation>색을 맞췄습니다: %2개 중 %1개.</translation>
    </message>
    <message>
        <source>Load a map to see its terrain and tiles.</source>
        <translation>지형과 타일을 보려면 맵을 불러오십시오.</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>환경 설정</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>readme.txt could not be found.</source>
        <translation>readme.txt를 찾을 수 없습니다.</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>끝내기</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>편집(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>실행 취소(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>다시 실행(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>%1 실행 취소(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>%1 다시 실행(&amp;R)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>실행 취소</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>다시 실행</translation>
    </message>
    <message>
        <source>&amp;Vary Tiles</source>
        <translation>타일 바꿔 쓰기(&amp;V)</translation>
    </message>
    <message>
        <source>Vary Tiles could not be remembered: the settings file cannot be written.</source>
        <translation>타일 바꿔 쓰기를 기억할 수 없습니다: 설정 파일을 쓸 수 없습니다.</translation>
    </message>
    <message>
        <source>Dither</source>
        <translation>디더링</translation>
    </message>
    <message>
        <source>Picture dithered to the tiles: %1 colours.</source>
        <translation>그림을 타일로 디더링했습니다: 색 %1개.</translation>
    </message>
    <message>
        <source>The fit could not be remembered: the settings file cannot be written.</source>
        <translation>맞추기 방식을 기억할 수 없습니다: 설정 파일을 쓸 수 없습니다.</translation>
    </message>
    <message>
        <source>Fit Picture</source>
        <translation>그림 맞추기</translation>
    </message>
    <message>
        <source>Picture loaded!</source>
        <translation>그림을 불러왔습니다!</translation>
    </message>
    <message>
        <source>Load a map to vary its tiles.</source>
        <translation>타일을 바꿔 쓰려면 맵을 불러오십시오.</translation>
    </message>
    <message>
        <source>Replace each terrain tile written by a variant of the same tile group of nearly the same colour</source>
        <translation>쓰는 지형 타일마다 같은 타일 그룹에서 색이 거의 같은 변형으로 바꿉니다</translation>
    </message>
</context>
<context>
    <name>modFunctions</name>
    <message>
        <source>&quot;%1&quot; is not a section name of four characters.</source>
        <translation>&quot;%1&quot;은(는) 네 글자로 된 섹션 이름이 아닙니다.</translation>
    </message>
    <message>
        <source>The scenario file &quot;%1&quot; is missing and cannot be created.</source>
        <translation>시나리오 파일 &quot;%1&quot;이(가) 없고 만들 수도 없습니다.</translation>
    </message>
</context>
</TS>
