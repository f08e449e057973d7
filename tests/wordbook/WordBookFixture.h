#pragma once

#include "card/views/SourceLabel.h"
#include "model/JsonFields.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"
#include "ui/RegisterBadge.h"
#include "ui/SpeakButton.h"
#include "wordbook/WordListModel.h"
#include "wordbook/views/WordBookWindow.h"

#include <QJsonDocument>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace glossivo::testing {

// A word book on disk and the window over it.
class WordBookFixture : public ::testing::Test {
protected:
    WordEntry& addWord(const QString& headword, const QString& meaning,
                       std::optional<Stage> stage = std::nullopt)
    {
        WordEntry entry;
        entry.id = QUuid::createUuid();
        entry.headword = headword;
        entry.meaningZh = meaning;
        entry.createdAt = clock.now().addDays(-1);
        entry.stage = stage;
        words.append(entry);
        return words.last();
    }
    GrammarEncounter& addGrammar(GrammarPoint point, const QString& headword,
                                 const QString& surface, const QString& sentence)
    {
        GrammarEncounter record;
        record.id = QUuid::createUuid();
        record.point = point;
        record.headword = headword;
        record.surface = surface;
        record.sentence = sentence;
        record.addedAt = clock.now();
        grammar.append(record);
        return grammar.last();
    }
    AffixEncounter& addAffix(Affix affix, const QString& headword, std::optional<QString> root = {},
                             std::optional<QString> sentence = {})
    {
        AffixEncounter record;
        record.id = QUuid::createUuid();
        record.affix = affix;
        record.headword = headword;
        record.root = root;
        record.sentence = sentence;
        record.addedAt = clock.now();
        affixes.append(record);
        return affixes.last();
    }

    WordBookWindow& open()
    {
        window.reset();
        folder.write("words.json", QJsonDocument(Json::toArray(words)).toJson());
        folder.write("grammar.json", QJsonDocument(Json::toArray(grammar)).toJson());
        folder.write("affixes.json", QJsonDocument(Json::toArray(affixes)).toJson());
        folder.write("notes.json", QJsonDocument(Json::toArray(notes)).toJson());
        store = std::make_unique<WordStore>(folder.paths(), clock);
        WordBookWindow::Actions actions;
        actions.showAddWord = [this] { ++addWordOpened; };
        actions.views.source = [](const PageSource& source, bool showTitle, QWidget* parent) {
            return new SourceLabel(source, showTitle, parent);
        };
        actions.views.speakButton = [](const QString& text, QWidget* parent) {
            return new SpeakButton(text, {}, parent);
        };
        actions.views.registerBadge = [](Register value, QWidget* parent) {
            return RegisterBadge::make(value, parent);
        };
        window = std::make_unique<WordBookWindow>(
            *store, [] { return AppConfig{}; }, clock, actions);
        window->show();
        return *window;
    }

    // What the word list shows, by headword.
    QStringList listed() const
    {
        QStringList headwords;
        const WordListModel* model = window->wordModel();
        for (int row = 0; row < model->rowCount(); ++row)
            headwords.append(model->index(row).data().toString());
        return headwords;
    }

    // The word book says before it changes; the window looks once the event loop runs.
    static void settle() { QCoreApplication::processEvents(); }

    DataFolder folder;
    FakeClock clock;
    QList<WordEntry> words;
    QList<GrammarEncounter> grammar;
    QList<AffixEncounter> affixes;
    QList<AINote> notes;
    std::unique_ptr<WordStore> store;
    std::unique_ptr<WordBookWindow> window;
    int addWordOpened = 0;
};

} // namespace glossivo::testing
