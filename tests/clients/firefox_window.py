"""Firefox ESR with its accessibility on, showing a local page: a helper of the desktop tests.

Arguments: a folder of the caller, then the page's paragraphs as HTML. Writes page.html and a
fresh profile (offline, no first-run pages) into the folder. Prints "<word> x y" with the middle
of every word on the screen and "<word>< x y", "<word>> x y" with its ends, then "ready".
"""

import ctypes
import os
import re
import signal
import subprocess
import sys

PREFERENCES = """user_pref("browser.dom.window.dump.enabled", true);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("browser.aboutwelcome.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.auto", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
"""

# The words are reported through dump() once the window manager has placed the window and
# given it the focus.
PAGE = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>Page</title><script>
let last = "";
function report() {
  const where = mozInnerScreenX + "," + mozInnerScreenY;
  if (!document.hasFocus() || where !== last) { last = where; return setTimeout(report, 300); }
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  const range = document.createRange();
  const at = (name, x, y) => dump(name + " " + Math.round((mozInnerScreenX + x) * devicePixelRatio)
                                  + " " + Math.round((mozInnerScreenY + y) * devicePixelRatio) + "\\n");
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    for (const word of node.data.matchAll(/[A-Za-z']+/g)) {
      range.setStart(node, word.index);
      range.setEnd(node, word.index + word[0].length);
      const box = range.getBoundingClientRect(), y = (box.top + box.bottom) / 2;
      at(word[0], (box.left + box.right) / 2, y);
      at(word[0] + "<", box.left + 1, y);
      at(word[0] + ">", box.right - 1, y);
    }
  }
  dump("ready\\n");
}
addEventListener("load", () => setTimeout(report, 300));
</script><style>body { font: 20px/1.6 "DejaVu Sans"; margin: 40px; }</style></head>
<body><p>%s</p></body></html>"""

folder = sys.argv[1]
os.makedirs(os.path.join(folder, "profile"))
with open(os.path.join(folder, "profile", "user.js"), "w") as out:
    out.write(PREFERENCES)
with open(os.path.join(folder, "page.html"), "w") as out:
    out.write(PAGE % "</p><p>".join(sys.argv[2:]))
browser = subprocess.Popen(
    ["firefox-esr", "--no-remote", "--profile", os.path.join(folder, "profile"),
     "file://" + os.path.join(folder, "page.html")],
    env=dict(os.environ, GNOME_ACCESSIBILITY="1"), stdout=subprocess.PIPE,
    stderr=subprocess.DEVNULL, text=True,
    preexec_fn=lambda: ctypes.CDLL("libc.so.6").prctl(1, signal.SIGKILL))  # dies with us
for line in browser.stdout:
    if re.fullmatch(r"([A-Za-z']+[<>]? -?\d+ -?\d+|ready)\n", line):
        print(line, end="", flush=True)
