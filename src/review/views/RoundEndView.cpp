#include "review/views/RoundEndView.h"

#include "review/ReviewViewState.h"
#include "review/views/ReviewWidgets.h"
#include "ui/IconLabel.h"
#include "ui/SystemColors.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

using namespace ReviewWidgets;
using Screen = ReviewScreen;

// The title 3 and title 2 text styles and the callout style, in pixels.
constexpr qreal kTitle3 = 15;
constexpr qreal kTitle2 = 17;
constexpr qreal kCallout = 12;

QPushButton* button(const QString& label, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(label, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(label);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumSize(button->sizeHint().width() + 24, 28);
    return button;
}

} // namespace

RoundEndView::RoundEndView(const ReviewScreen& screen, ReviewViewState& state, QWidget* parent)
    : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    column->addStretch();
    if (screen.content == Screen::Content::empty) {
        setObjectName(QStringLiteral("emptyView"));
        const Screen::Empty& empty = screen.empty;
        const QColor grey = secondary(palette());
        const Glyph glyph = empty.kind == Screen::EmptyKind::spelling    ? Glyph::textCursor
                            : empty.kind == Screen::EmptyKind::emptyBook ? Glyph::book
                                                                         : Glyph::checkmarkCircle;
        const QColor tint = empty.kind == Screen::EmptyKind::nothingDue
                                ? systemColor(SystemColor::green, palette())
                                : grey;
        column->addWidget(symbol(glyph, tint, 36, empty.title, this), 0, Qt::AlignHCenter);
        column->addWidget(text(empty.title, kTitle3, this, QFont::DemiBold), 0, Qt::AlignHCenter);
        PlainLabel* line = coloured(empty.text, 13, grey, this);
        line->setAlignment(Qt::AlignCenter);
        column->addWidget(&line->wrapping());
        if (empty.kind == Screen::EmptyKind::nothingDue) {
            if (empty.offerMore) {
                column->addSpacing(4);
                QPushButton* more =
                    button(QStringLiteral("想多学？再加 5 个新词"), "moreButton", this);
                connect(more, &QPushButton::clicked, &state, &ReviewViewState::learnMore);
                column->addWidget(more, 0, Qt::AlignHCenter);
            } else {
                column->addWidget(coloured(QStringLiteral("名额已满，等有词毕业就会自动补上。"),
                                           kCallout, tertiary(palette()), this),
                                  0, Qt::AlignHCenter);
            }
        }
    } else {
        setObjectName(QStringLiteral("finishedView"));
        const Screen::Finished& finished = screen.finished;
        column->addWidget(symbol(Glyph::starFilled, systemColor(SystemColor::orange, palette()), 38,
                                 QStringLiteral("完成"), this),
                          0, Qt::AlignHCenter);
        column->addWidget(text(QStringLiteral("这一轮做完了"), kTitle2, this, QFont::DemiBold), 0,
                          Qt::AlignHCenter);
        column->addWidget(coloured(finished.counter, 13, secondary(palette()), this), 0,
                          Qt::AlignHCenter);
        const QColor ink = palette().color(QPalette::WindowText);
        for (const auto& [line, glyph] : {std::pair{finished.levelUps, Glyph::arrowUpCircleFilled},
                                          std::pair{finished.graduated, Glyph::star}}) {
            if (!line) continue;
            auto* label = new IconLabel(glyph, *line, ink, kCallout, QFont::Normal, this);
            label->setAccessibleName(*line);
            column->addWidget(label, 0, Qt::AlignHCenter);
        }
        if (finished.reassurance) {
            PlainLabel* calm =
                coloured(QStringLiteral("忘了的词会安排在快要忘的时候再出现，不用担心。"), kCallout,
                         secondary(palette()), this);
            calm->setAlignment(Qt::AlignCenter);
            column->addWidget(&calm->wrapping());
        }
        column->addSpacing(6);
        auto* row = new QHBoxLayout;
        row->addStretch();
        if (finished.again) {
            QPushButton* again = button(*finished.again, "againButton", this);
            connect(again, &QPushButton::clicked, &state, &ReviewViewState::startAgain);
            row->addWidget(again);
        }
        QPushButton* close = button(QStringLiteral("关闭"), "closeButton", this);
        close->setDefault(true);
        pressWith(close, Qt::Key_Return);
        connect(close, &QPushButton::clicked, &state, &ReviewViewState::close);
        row->addWidget(close);
        row->addStretch();
        column->addLayout(row);
    }
    column->addStretch();
}

} // namespace glossivo
