#pragma once

#include "model/SafeLink.h"

#include <QPointer>
#include <QScrollArea>

class QPushButton;
class QVBoxLayout;

namespace glossivo {

class CoachRow;
class CoachSession;
class PlainLabel;

// The coach window's conversation: one row per message of the session, then the error block.
// Rows are built lazily, from the top down to a screen beyond what is in view, so that a long
// day opens at once; scrolling builds the next ones. When a question is asked it is pinned to
// the top and its answer streams in below it; the view never follows the streaming text.
class CoachConversation : public QScrollArea {
    Q_OBJECT

public:
    CoachConversation(CoachSession& session, LinkOpener open, QWidget* parent = nullptr);

    // How many rows exist now; the rest are built as they come near the view.
    qsizetype builtRows() const { return m_rows.size(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showMessages();
    void showError();
    // Builds rows until a screen below the visible area is covered (every row while an error
    // shows, so that it stands under the last one), and at least up to `through`.
    void fill(qsizetype through = -1);
    void pin();

    CoachSession& m_session;
    LinkOpener m_open;
    QVBoxLayout* m_rowLayout = nullptr;
    QList<CoachRow*> m_rows;
    // The rows' heights at the measured width, kept so that scrolling need not lay text out.
    QList<int> m_heights;
    int m_measuredWidth = -1;
    qsizetype m_count = 0;
    QPointer<CoachRow> m_pinned;
    QWidget* m_errorBlock = nullptr;
    PlainLabel* m_error = nullptr;
    QPushButton* m_retry = nullptr;
};

} // namespace glossivo
