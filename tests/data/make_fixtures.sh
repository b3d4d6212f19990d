#!/bin/sh
# Regenerates the code page 932 fixture files of the core tests (needs iconv).
set -e
cd "$(dirname "$0")"
{
printf '"2006/01/05","21:07:33","数字記憶",3,"暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%%",\r\n'
printf '"2006/01/05","21:07:33","数字記憶",3,"暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%%",""\r\n'
printf '"2006/01/06","08:00:01","画像記憶",12.5,"今日は調子が良い、また明日, きっと",""\r\n'
printf '\r\n'
printf '"2006/01/06","08:10:00","アイコン衰弱",41.3,"①～－髙ⅰ纊",\r\n'
} | iconv -f UTF-8 -t CP932 > playlog.txt
# A line with bytes that are not code page 932.
printf '"2006/01/07","09:00:00","\202\377\375",0.5,"a\201",\r\n' >> playlog.txt
# The last line lacks its line end, as after an edit by hand.
printf '"2006/01/07","09:30:00","時間差記憶",7,"最後の行は行末なし",' | iconv -f UTF-8 -t CP932 >> playlog.txt
printf '\357\273\277"ヘルプツアー",0\r\n"２行目",①\r\n' > utf8bom.txt
printf '①②～－髙ⅰ纊¬∵\r\n' | iconv -f UTF-8 -t CP932 > cp932.txt
# The play log the view tests share: lines ending in a bare comma and in an
# empty quoted text, a comment with a comma, plays at 23:59:59 and 00:00:00 and
# at 09:59:59 / 10:00:00, no play in January 2008, a 29 February, and an item
# that is not one of the seven games. The first play is on a Sunday.
{
printf '"2007/12/30","23:59:59","数字記憶",42.5,"暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%%",\r\n'
printf '"2007/12/31","00:00:00","画像記憶",12.5,"今日は良い、また明日, きっと",""\r\n'
printf '"2007/12/31","09:59:59","数字記憶",0.5,"",\r\n'
printf '"2007/12/31","10:00:00","数字記憶",1.5,"",""\r\n'
printf '"2008/02/29","12:00:00","独自の練習",30,"七つのゲームにない項目",""\r\n'
printf '"2008/02/29","23:59:59","追跡記憶",100,"うるう日",\r\n'
printf '"2008/03/02","00:00:00","バラバラ記憶",7,"",\r\n'
} | iconv -f UTF-8 -t CP932 > views.txt
