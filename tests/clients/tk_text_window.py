"""A Tk text window with one line of text, as a Tk program shows it: a helper of the desktop
tests. Tk takes PRIMARY once and keeps it while its selection changes.

Arguments: the text, the window geometry (WIDTHxHEIGHT+X+Y) and, optionally, "dark": light text
at 28 points on a near-black page, wrapped at the window's side, the selection drawn as Tk draws
it (a light grey block with black text). Prints "<word> x y" with the middle of every word on the
screen, "line x y" with the middle of the first line, then "ready". A copy into the window adds
"copied" to its title.
"""

import sys
import tkinter

text, geometry = sys.argv[1], sys.argv[2]
dark = sys.argv[3:] == ["dark"]
root = tkinter.Tk()
root.title("glossivo-tk-window")
root.geometry(geometry)
widget = tkinter.Text(root, font=("DejaVu Sans", 28 if dark else 20), borderwidth=0,
                      highlightthickness=0, padx=16, pady=16, wrap="word" if dark else "none")
if dark:
    widget.configure(background="#1e1e1e", foreground="#e0e0e0", insertbackground="#e0e0e0",
                     selectbackground="#c3c3c3", selectforeground="#000000")
widget.insert("1.0", text)
widget.pack(fill="both", expand=True)
# A copy sent into the window shows in its title, for the tests to see.
widget.bind("<<Copy>>", lambda event: root.title("glossivo-tk-window copied"))


def report():
    if not widget.winfo_viewable():
        root.after(50, report)
        return
    root.update_idletasks()
    left, top = widget.winfo_rootx(), widget.winfo_rooty()
    column = 0
    for word in text.split(" "):
        x, y, width, height = widget.bbox("1.%d" % column)
        end_x, _, end_width, _ = widget.bbox("1.%d" % (column + len(word) - 1))
        middle = (x + end_x + end_width) // 2
        print(word.strip(".,"), left + middle, top + y + height // 2)
        column += len(word) + 1
    x, y, width, height = widget.dlineinfo("1.0")[:4]
    print("line", left + x + width // 2, top + y + height // 2)
    print("ready", flush=True)


root.after(500, report)
root.mainloop()
