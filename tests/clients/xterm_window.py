"""An xterm showing one line of text: a helper of the desktop tests. xterm takes PRIMARY anew at
every selection, and no copy may ever be sent into it.

Argument: the text. Prints "<word> x y" with the middle of every word on the screen, then
"ready", and ends its xterm when it is itself ended.
"""

import ctypes
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

COLUMNS, ROWS, BORDER = 72, 4, 2

text = sys.argv[1]


def die_with_parent():
    ctypes.CDLL("libc.so.6").prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


shown = tempfile.mktemp(prefix="glossivo-xterm-")
terminal = subprocess.Popen(
    ["xterm", "-geometry", "%dx%d+100+300" % (COLUMNS, ROWS), "-fa", "DejaVu Sans Mono",
     "-fs", "14", "-b", str(BORDER), "-e", "sh", "-c",
     'printf "%s" "$0"; touch "$1"; sleep 3600', text, shown],
    preexec_fn=die_with_parent)
# The text is on the screen once the shell has printed it: a busy machine takes its time.
while not os.path.exists(shown):
    time.sleep(0.05)
os.remove(shown)
window = subprocess.check_output(
    ["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(terminal.pid)]).split()[0]
info = subprocess.check_output(["xwininfo", "-id", window]).decode()


def field(name):
    return int(re.search(name + r":\s+(-?\d+)", info).group(1))


left, top = field("Absolute upper-left X"), field("Absolute upper-left Y")
cell_width = (field("Width") - 2 * BORDER) / COLUMNS
cell_height = (field("Height") - 2 * BORDER) / ROWS
for match in re.finditer(r"[A-Za-z']+", text):
    middle = (match.start() + match.end()) / 2
    print(match.group(0), int(left + BORDER + middle * cell_width),
          int(top + BORDER + cell_height / 2))
print("ready", flush=True)
terminal.wait()
