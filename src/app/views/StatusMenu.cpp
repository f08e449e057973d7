#include "app/views/StatusMenu.h"

#include "model/BidiControls.h"

#include <QFontInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QWidgetAction>

namespace glossivo {

namespace {

constexpr int kIndent = 16;
// Where the menu's own items start their text, past the check and icon column.
constexpr int kTextStart = 28;

// Desktop icon-theme names standing in for the symbol names of the menu's model.
QString themeIcon(const QString& symbol)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("speaker.wave.2"), QStringLiteral("audio-volume-high")},
        {QStringLiteral("arrow.triangle.2.circlepath"), QStringLiteral("view-refresh")},
        {QStringLiteral("rectangle.stack"), QStringLiteral("view-list")},
        {QStringLiteral("checkmark.circle"), QStringLiteral("emblem-ok")},
        {QStringLiteral("character.cursor.ibeam"), QStringLiteral("insert-text")},
        {QStringLiteral("person.wave.2"), QStringLiteral("user-available")},
        {QStringLiteral("magnifyingglass"), QStringLiteral("edit-find")},
        {QStringLiteral("book.pages"), QStringLiteral("x-office-document")},
        {QStringLiteral("exclamationmark.triangle"), QStringLiteral("dialog-warning")},
    };
    return names.value(symbol);
}

// Outside text (a headword, a sentence) escaped before it becomes markup.
QString html(const QString& text)
{
    return BidiControls::removed(text).toHtmlEscaped().replace(QLatin1Char('\n'),
                                                               QStringLiteral("<br>"));
}

QString richTitle(const StatusMenuItem& item, const QPalette& palette, int pixelSize)
{
    const QString secondary = palette.color(QPalette::PlaceholderText).name();
    const QString label = palette.color(QPalette::WindowText).name();
    const TextRange bold = item.bold.value_or(TextRange{item.title.size(), 0});
    const QString before = item.title.left(bold.location);
    const QString inside = item.title.mid(bold.location, bold.length);
    const QString after = item.title.mid(bold.location + bold.length);
    const QString boldStyle = item.style == StatusMenuItem::Style::word
                                  ? QStringLiteral("font-weight:700; font-size:%1px; color:%2")
                                        .arg(pixelSize + 2)
                                        .arg(label)
                                  : QStringLiteral("font-weight:700; color:%1").arg(label);
    return QStringLiteral("<span style=\"color:%1\">%2<span style=\"%3\">%4</span>%5</span>")
        .arg(secondary, html(before), boldStyle, html(inside), html(after));
}

// A menu line that is a label: highlighted under the pointer, and a click runs its action.
class MenuLine : public QWidget {
public:
    MenuLine(QMenu& menu, const StatusMenuItem& item, std::function<void()> click)
        : m_click(std::move(click))
    {
        setObjectName(QStringLiteral("menuLine"));
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(kTextStart + item.indent * kIndent, 3, 16, 3);
        if (!item.symbol.isEmpty()) {
            auto* icon = new QLabel;
            icon->setPixmap(QIcon::fromTheme(themeIcon(item.symbol)).pixmap(16, 16));
            icon->setFixedWidth(16);
            layout->addWidget(icon, 0, Qt::AlignTop);
        }
        m_text = new QLabel;
        m_text->setObjectName(QStringLiteral("menuLineText"));
        if (item.style == StatusMenuItem::Style::plain) {
            m_text->setTextFormat(Qt::PlainText);
            m_text->setText(BidiControls::removed(item.title));
        } else {
            m_text->setTextFormat(Qt::RichText);
            m_text->setText(richTitle(item, menu.palette(), QFontInfo(menu.font()).pixelSize()));
        }
        layout->addWidget(m_text, 1);
        setToolTip(item.tooltip);
        setMouseTracking(true);
    }

protected:
    void enterEvent(QEnterEvent*) override { highlight(true); }
    void leaveEvent(QEvent*) override { highlight(false); }
    void mousePressEvent(QMouseEvent* event) override
    {
        m_pressed = event->button() == Qt::LeftButton;
    }
    // Only a click made on the line runs it. The click on the tray icon that opens the menu
    // ends over the menu's first line, and that release must not speak the word.
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const bool clicked = m_pressed && event->button() == Qt::LeftButton &&
                             rect().contains(event->position().toPoint());
        m_pressed = false;
        if (clicked) m_click();
    }

private:
    void highlight(bool on)
    {
        // Filled only under the pointer; otherwise the menu's own background shows through.
        setAutoFillBackground(on);
        setBackgroundRole(QPalette::Highlight);
        m_text->setForegroundRole(on ? QPalette::HighlightedText : QPalette::WindowText);
    }

    QLabel* m_text = nullptr;
    std::function<void()> m_click;
    bool m_pressed = false;
};

bool isLabelLine(const StatusMenuItem& item)
{
    return item.style != StatusMenuItem::Style::plain || item.title.contains(QLatin1Char('\n'));
}

} // namespace

void fillStatusMenu(QMenu& menu, const QList<StatusMenuItem>& items,
                    const std::function<void(const StatusMenuItem&)>& trigger)
{
    menu.clear();
    menu.setToolTipsVisible(true);
    for (const StatusMenuItem& item : items) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        if (isLabelLine(item)) {
            auto* action = new QWidgetAction(&menu);
            action->setText(item.title);
            action->setDefaultWidget(new MenuLine(menu, item, [&menu, action] {
                menu.close();
                action->trigger();
            }));
            QObject::connect(action, &QAction::triggered, &menu,
                             [trigger, item] { trigger(item); });
            menu.addAction(action);
            continue;
        }
        QString title = item.title;
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        title.prepend(QString(item.indent * 4, QLatin1Char(' ')));
        QAction* action = menu.addAction(title);
        if (!item.symbol.isEmpty()) action->setIcon(QIcon::fromTheme(themeIcon(item.symbol)));
        if (!item.shortcut.isEmpty())
            action->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + item.shortcut.toUpper()));
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(*item.checked);
        }
        if (!item.tooltip.isEmpty()) action->setToolTip(item.tooltip);
        action->setData(item.data);
        QObject::connect(action, &QAction::triggered, &menu, [trigger, item] { trigger(item); });
    }
}

} // namespace glossivo
