#include "input/TerminalClasses.h"

#include <QStringList>

namespace glossivo::TerminalClasses {

bool contains(const QString& windowClass)
{
    // Lower-cased WM_CLASS class names of the common terminal emulators.
    static const QStringList terminals{QStringLiteral("xterm"),
                                       QStringLiteral("uxterm"),
                                       QStringLiteral("urxvt"),
                                       QStringLiteral("rxvt"),
                                       QStringLiteral("gnome-terminal"),
                                       QStringLiteral("gnome-terminal-server"),
                                       QStringLiteral("org.gnome.console"),
                                       QStringLiteral("kgx"),
                                       QStringLiteral("konsole"),
                                       QStringLiteral("xfce4-terminal"),
                                       QStringLiteral("mate-terminal"),
                                       QStringLiteral("lxterminal"),
                                       QStringLiteral("qterminal"),
                                       QStringLiteral("terminator"),
                                       QStringLiteral("tilix"),
                                       QStringLiteral("alacritty"),
                                       QStringLiteral("kitty"),
                                       QStringLiteral("st"),
                                       QStringLiteral("st-256color"),
                                       QStringLiteral("wezterm"),
                                       QStringLiteral("org.wezfurlong.wezterm"),
                                       QStringLiteral("foot"),
                                       QStringLiteral("sakura"),
                                       QStringLiteral("terminology"),
                                       QStringLiteral("guake"),
                                       QStringLiteral("tilda"),
                                       QStringLiteral("yakuake"),
                                       QStringLiteral("cool-retro-term"),
                                       QStringLiteral("eterm"),
                                       QStringLiteral("aterm"),
                                       QStringLiteral("roxterm"),
                                       QStringLiteral("deepin-terminal"),
                                       QStringLiteral("io.elementary.terminal"),
                                       QStringLiteral("com.raggesilver.blackbox"),
                                       QStringLiteral("ptyxis"),
                                       QStringLiteral("hyper"),
                                       QStringLiteral("tabby"),
                                       QStringLiteral("warp"),
                                       QStringLiteral("ghostty"),
                                       QStringLiteral("com.mitchellh.ghostty"),
                                       QStringLiteral("contour"),
                                       QStringLiteral("cutefish-terminal")};
    return terminals.contains(windowClass.toLower());
}

} // namespace glossivo::TerminalClasses
