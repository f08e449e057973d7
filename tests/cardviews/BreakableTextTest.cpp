#include "ui/BreakableText.h"
#include "ui/PlainLabel.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

using namespace glossivo;

// A note without blanks gets places to break in its label, and a copy of it is still the note.
TEST(BreakableTextTest, ACopyFromAWrappingLabelLeavesOutItsBreakPlaces)
{
    keepBreaksOutOfCopies();
    const QString note = QStringLiteral("https://example.com/") + QString(40, u'x');
    QWidget window;
    auto* label = new PlainLabel(note, &window);
    label->wrapping().setTextInteractionFlags(Qt::TextSelectableByMouse);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    label->setFocus();
    label->setSelection(0, int(label->text().size()));
    ASSERT_NE(label->selectedText(), note); // the label does hold break places
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), note);
    // Pasted into a rich editor the note keeps no break places either.
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied && copied->hasHtml());
    EXPECT_EQ(QTextDocumentFragment::fromHtml(copied->html()).toPlainText(), note);
}
