#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The program in the user's language, read as a screen reader reads it over AT-SPI on a real X
# server: under a Japanese locale the box about a missing start-up file, the menu bar, the File
# menu and the toolkit's own Undo and Redo read in Japanese; under the C locale exactly in
# English. Usage: run_on_xvfb.sh ui_language.py TAVRIN_BINARY
import os
import shutil
import subprocess
import sys
import tempfile
import time

from private_atspi import atspi, walk

Atspi = atspi()
folder = tempfile.mkdtemp()
missing = os.path.join(folder, "missing.tvr")
CASES = [
    ({"LANG": "ja_JP.UTF-8", "LANGUAGE": "ja"},
     ["指定されたファイルは存在しません。", f"ファイル: {missing}\nこの名前のファイルはありません。"],
     [["ファイル(F)", "編集(E)", "設定(C)", "ヘルプ(H)"],
      ["新規(N)", "開く(O)", "最近使ったファイル(F)", "保存(S)", "プレビュー(V)", "印刷(P)", "終了(X)"],
      ["元に戻す", "やり直す"]]),
    ({"LANG": "C", "LANGUAGE": ""},
     ["Specified file does not exists.", f"File: {missing}\nThere is no file of this name."],
     [["File", "Edit", "Config", "Help"],
      ["New", "Load", "Recent Files", "Save", "View", "Print", "Exit"], ["Undo", "Redo"]]),
]


def waited(find, app):
    deadline = time.monotonic() + 20
    while not (found := find()) and time.monotonic() < deadline:
        time.sleep(0.2)
    return found


def menus(program):
    bar = next((n for n in walk(program) if n.get_role() == Atspi.Role.MENU_BAR), None)
    if bar is None:
        return None
    # Each menu's own items, below its place on the bar; separators have no name.
    items = [[n.get_name() for n in walk(bar.get_child_at_index(i))
              if n.get_role() in (Atspi.Role.MENU_ITEM, Atspi.Role.MENU) and n.get_name()][1:]
             for i in range(bar.get_child_count())]
    return [[bar.get_child_at_index(i).get_name() for i in range(bar.get_child_count())],
            items[0], items[1][:2]]


for environment, box, expected in CASES:
    # A settings folder of its own, with no recent files in the File menu.
    app = subprocess.Popen([sys.argv[1], missing], stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT,
                           env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="",
                                    XDG_CONFIG_HOME=folder, **environment))
    desktop = Atspi.get_desktop(0)
    program = waited(lambda: next((a for a in (desktop.get_child_at_index(i)
                                               for i in range(desktop.get_child_count()))
                                   if a and a.get_process_id() == app.pid), None), app)
    labels = program and waited(lambda: [n.get_name() for n in walk(program)
                                         if n.get_name() in box] == box, app)
    # The box is modal: the menus are there to read once it is answered.
    subprocess.run("for w in $(xdotool search --onlyvisible --name '^Tavrin$'); do "
                   "xdotool windowfocus --sync $w key Return; done", shell=True)
    got = program and menus(program)
    app.kill()
    app.wait()
    if not labels or got != expected:
        sys.exit(f"FAIL: under {environment}: the box reads {box if labels else 'otherwise'}, "
                 f"the menus {got}, expected {expected}")
    print(f"under {environment}: the box reads {box}, the menus {got}")
shutil.rmtree(folder)
print("PASS")
